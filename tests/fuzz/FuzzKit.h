#pragma once

// What the fuzz targets share: a device model holding the factory memory with its
// catalogues built, as the main window has it when the editor opens, and the record's
// bytes as a plain copy to restore and compare.

#include "catalog/MenuItems.h"
#include "model/Pars32.h"
#include "sim/FactoryMemory.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Aborts with the reason when a property of a target does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

inline void PrepareFactoryModel(TMK& mk) {
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    mk.RebuildProtocolList();
    mk.CreateMeasParams();
    BuildMenuItemList();
}

inline QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

inline void SetRecordBytes(TMK& mk, const QByteArray& bytes) {
    std::memcpy(&mk.Record, bytes.constData(),
                std::min(sizeof mk.Record, std::size_t(bytes.size())));
}

inline QByteArray Bytes(const uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
