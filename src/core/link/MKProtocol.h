#pragma once

#include <QtGlobal>
#include <array>
#include <optional>

// The MK's frame layout and command set, shared by the link and the simulator.
namespace MKProtocol {

enum TCommandCode : quint8 {
    Identify = 1,
    WriteChunk = 4,
    ReadBlock = 5,
    EndSectionWrite = 7,
    BeginSectionWrite = 12,
};

constexpr int MinFrameLength = 6;
constexpr int MaxFrameLength = 255;
constexpr int AddressOffset = 1;
constexpr int CommandOffset = 4; // request: command code; reply: status
constexpr int DataOffset = 5;
constexpr quint8 BusyStatus = 0xFF;
constexpr quint16 RequestWord = 1;
constexpr int BlockSize = 32;
constexpr int MaxChunkSize = 32;

// The byte that makes the sum of the given bytes and itself 0 modulo 256.
inline quint8 Checksum(const quint8* bytes, int count) {
    unsigned sum = 0;
    for (int i = 0; i < count; ++i)
        sum += bytes[i];
    return quint8(256 - sum % 256);
}

// Reply frame length below which the reply cannot carry the data its command takes.
constexpr int ReplyLengthFor(quint8 code) {
    switch (code) {
    case Identify:
        return DataOffset + 3 + 1;
    case ReadBlock:
        return DataOffset + BlockSize + 1;
    default:
        return MinFrameLength;
    }
}

// The device table: the MK generation is found by the address that answers.
struct TDeviceKind {
    quint8 Address;
    quint32 MemorySize;
};
inline constexpr std::array<TDeviceKind, 3> DeviceTable{
    {{0xFC, 8192}, {0xFD, 8192}, {0xFE, 32768}}};

inline std::optional<quint32> MemorySizeAt(quint8 address) {
    for (const TDeviceKind& kind : DeviceTable)
        if (kind.Address == address)
            return kind.MemorySize;
    return std::nullopt;
}

} // namespace MKProtocol
