#pragma once

#include <QByteArray>

// The program's image is the MK memory without the first 32-byte unit of each half:
// units 1..H-1, then H+1..2H-1 (H = memory size / 64).
namespace MemoryImage {

constexpr int UnitSize = 32;

// Image length for a memory size: the size less two units.
constexpr qsizetype ImageSize(qsizetype memorySize) {
    return memorySize - 2 * UnitSize;
}

// The whole memory for an image of exactly ImageSize bytes (else TMKError); the two
// skipped units are erased (0xFF).
QByteArray ToMemory(const QByteArray& image, qsizetype memorySize);
QByteArray FromMemory(const QByteArray& memory);

} // namespace MemoryImage
