#pragma once

// What the fuzz targets share: a device model holding the factory memory with its
// catalogues built, as the main window has it when the editor opens, and the record's
// bytes as a plain copy to restore and compare.

#include "catalog/MenuItems.h"
#include "catalog/Variants.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include <QByteArray>
#include <QPair>
#include <QSet>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

struct TPair {
    uint16_t SettingsVersion;
    uint32_t Variant;
};

// The (settings version, variant) pairs of the variant table; a row for every variant is
// tried with the first few.
inline std::vector<TPair> KnownPairs() {
    std::vector<TPair> pairs;
    QSet<QPair<int, int>> seen;
    for (const TVariantRow& row : DeviceVariantRows()) {
        for (int v = 0; v < 32; ++v) {
            if ((row.Variants.Any && v > 2) || !row.Variants.Contains(uint8_t(v)))
                continue;
            if (!seen.contains({row.SettingsVersion, v})) {
                seen.insert({row.SettingsVersion, v});
                pairs.push_back({row.SettingsVersion, uint32_t(v)});
            }
        }
    }
    return pairs;
}

// The bytes of blocks 1-11 in the record, from its start.
constexpr std::size_t EditedRecordBytes = offsetof(TSettingsRecord, ErrorJournal);

// `image` declared as the pair's device, with up to EditedRecordBytes of `record` laid over
// blocks 1-11 and packed; the rest of the record stays the image's own.
inline void DeclareRecord(TMK& mk, const QByteArray& image, TPair pair, const uint8_t* record,
                          std::size_t size) {
    mk.Image = image;
    mk.SettingsVersion = pair.SettingsVersion;
    std::memcpy(mk.Image.data() + offsetof(TImageDirectory, FirmwareVersion), &pair.Variant, 4);
    mk.UnpackAll();
    std::memcpy(&mk.Record, record, std::min(size, EditedRecordBytes));
    mk.PackAll();
}
