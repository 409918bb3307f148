#pragma once

// Memory images for record tests: a plain directory that lays every block out one after
// another, with room for the record packed into it; and the factory memory declared as any
// device of the variant table, with a chosen protocol, for tests that move settings between
// devices.

#include "catalog/Protocols.h"
#include "catalog/Variants.h"
#include "editing/Conversions.h"
#include "model/DeviceModel.h"
#include "model/Record.h"
#include "sim/FactoryMemory.h"

#include <QByteArray>
#include <cstddef>
#include <cstring>
#include <utility>

// An image whose directory places each block from address 96 on, length = block size + 4,
// and entry 12 after the last block with 20 bytes.
inline QByteArray DirectoryImage(int imageSize = 8128, uint32_t firmwareVersion = 0) {
    QByteArray image(imageSize, '\0');
    TImageDirectory dir{};
    dir.DirectoryCount = 13;
    dir.FirmwareVersion = firmwareVersion;
    int address = 96;
    for (const TBlockInfo& b : BlockTable()) {
        dir.Entries[b.DirectoryEntry - 1] = {uint16_t(address), uint16_t(b.Size + 4)};
        address += int(b.Size) + 4;
    }
    dir.Entries[11] = {uint16_t(address), 20};
    std::memcpy(image.data(), &dir, sizeof(dir));
    return image;
}

// The model's record packed into a DirectoryImage.
inline QByteArray PackedImage(TMK& mk, uint32_t firmwareVersion = 0) {
    mk.Image = DirectoryImage(8128, firmwareVersion);
    mk.PackAll();
    return mk.Image;
}

// The position of a protocol entry in a device's list; -1 when the device lacks it.
inline int ProtocolIndex(uint16_t version, uint32_t variant, const QString& name, int code) {
    const TProtocolEntries entries =
        CreateProtocolEntries(LookUpDeviceVariant(version, uint8_t(variant)).Flags);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i]->ProtName == name && entries[i]->ProtCode == code)
            return int(i);
    return -1;
}

// The factory memory of `memory` bytes as the device (version, variant), its record unpacked;
// with a protocol name the record selects that entry of the device's list.
inline void DeclareDevice(TMK& mk, uint16_t version, uint32_t variant, quint32 memory = 8192,
                          const QString& protocol = {}, int code = 0) {
    mk.Image = FactoryImage(memory);
    std::memcpy(mk.Image.data() + offsetof(TImageDirectory, FirmwareVersion), &variant,
                sizeof variant);
    mk.SettingsVersion = version;
    mk.UnpackAll();
    if (protocol.isEmpty())
        return;
    const int index = ProtocolIndex(version, variant, protocol, code);
    if (index < 0)
        qFatal("no protocol %s on the device", qPrintable(protocol));
    StoreField(mk, RecordField(u"Protocol"), index);
    StoreField(mk, RecordField(u"PrevProtocol"), index);
    mk.PackAll();
}

// The model's catalogue rebuilt for its device's flags changed by `change` (a device the
// variant table lacks), the record's protocol selected in it.
template <class Change> void ChangeFlags(TMK& mk, Change change) {
    TDeviceFlags flags = mk.Catalog.Flags();
    change(flags);
    mk.Catalog = TDeviceCatalog(flags, mk.Catalog.ProjectName());
    mk.Catalog.SelectProtocol(mk.Record.ProtocolSettings.Protocol);
}

// The first device of the variant table that has every flag of `with` and none of `without`.
inline std::pair<uint16_t, uint32_t> DeviceWith(TCapMask with, TCapMask without = {}) {
    for (const TVariantRow& row : DeviceVariantRows()) {
        if (!row.Caps.Contains(with) || (row.Caps.Bits & without.Bits))
            continue;
        for (uint32_t v = 0; v < 32; ++v)
            if (row.Variants.Contains(uint8_t(v)) &&
                LookUpDeviceVariant(row.SettingsVersion, uint8_t(v)).Flags.Caps().Bits ==
                    row.Caps.Bits)
                return {row.SettingsVersion, v};
    }
    return {0, 0};
}
