#include "sim/MemoryImage.h"

#include "base/MKError.h"

#include <cstring>

namespace MemoryImage {

QByteArray ToMemory(const QByteArray& image, qsizetype memorySize) {
    if (image.size() != ImageSize(memorySize))
        throw TMKError(QStringLiteral("Образ памяти должен занимать %1 байт, а не %2.")
                           .arg(ImageSize(memorySize))
                           .arg(image.size()));
    const qsizetype half = memorySize / 2;
    const qsizetype halfImage = half - UnitSize;
    QByteArray memory(memorySize, char(0xFF));
    std::memcpy(memory.data() + UnitSize, image.constData(), std::size_t(halfImage));
    std::memcpy(memory.data() + half + UnitSize, image.constData() + halfImage,
                std::size_t(halfImage));
    return memory;
}

QByteArray FromMemory(const QByteArray& memory) {
    const qsizetype half = memory.size() / 2;
    return memory.mid(UnitSize, half - UnitSize) + memory.mid(half + UnitSize, half - UnitSize);
}

} // namespace MemoryImage
