#pragma once

// Memory images for record tests: a plain directory that lays every block out one after
// another, with room for the record packed into it.

#include "model/Pars32.h"
#include "model/Record.h"

#include <QByteArray>
#include <cstring>

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
