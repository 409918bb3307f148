#include "sim/MKDevice.h"

#include "link/MKProtocol.h"

#include <cstring>

namespace {

using namespace MKProtocol;

quint16 WordAt(const QByteArray& frame, int offset) {
    return quint16(quint8(frame[offset]) | quint8(frame[offset + 1]) << 8);
}

std::optional<TMKDevice::TReply> Silent(QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return std::nullopt;
}

constexpr int ParameterOffset = DataOffset;

} // namespace

TMKDevice::TMKDevice(quint8 address, quint16 settingsVersion, QByteArray memory)
    : DeviceAddress(address), Version(settingsVersion), Bytes(std::move(memory)) {}

std::optional<TMKDevice::TReply> TMKDevice::Handle(const QByteArray& request, QString* why) {
    if (request.size() < MinFrameLength || quint8(request[0]) != request.size())
        return Silent(why, QStringLiteral("incomplete frame"));
    if (Checksum(reinterpret_cast<const quint8*>(request.constData()), int(request.size())) != 0)
        return Silent(why, QStringLiteral("bad checksum"));
    if (quint8(request[AddressOffset]) != DeviceAddress)
        return Silent(why, QStringLiteral("another address"));
    switch (quint8(request[CommandOffset])) {
    case Identify:
        if (request.size() != 6)
            return Silent(why, QStringLiteral("bad Identify length"));
        {
            const char data[3] = {char(IdentifyLeadByte), char(Version & 0xFF), char(Version >> 8)};
            return TReply{0, QByteArray(data, 3)};
        }
    case ReadBlock:
        return ReadBlockReply(request, why);
    case BeginSectionWrite:
        return BeginSectionReply(request, why);
    case WriteChunk:
        return WriteChunkReply(request, why);
    case EndSectionWrite:
        return EndSectionReply(request, why);
    default:
        return Silent(why, QStringLiteral("unknown command"));
    }
}

std::optional<TMKDevice::TReply> TMKDevice::ReadBlockReply(const QByteArray& request,
                                                           QString* why) {
    if (request.size() != 8)
        return Silent(why, QStringLiteral("bad ReadBlock length"));
    const qsizetype start = qsizetype(WordAt(request, ParameterOffset)) * BlockSize;
    if (start + BlockSize > Bytes.size())
        return Silent(why, QStringLiteral("block beyond the memory"));
    return TReply{0, Bytes.mid(start, BlockSize)};
}

std::optional<TMKDevice::TReply> TMKDevice::BeginSectionReply(const QByteArray& request,
                                                              QString* why) {
    if (request.size() != 10)
        return Silent(why, QStringLiteral("bad BeginSectionWrite length"));
    TSection section;
    section.Address = WordAt(request, ParameterOffset);
    section.Count = WordAt(request, ParameterOffset + 2);
    if (qsizetype(section.Address) + section.Count > Bytes.size())
        return Silent(why, QStringLiteral("section beyond the memory"));
    section.Bytes = Bytes.mid(section.Address, section.Count);
    Pending = std::move(section);
    Applied.reset();
    return TReply{};
}

std::optional<TMKDevice::TReply> TMKDevice::WriteChunkReply(const QByteArray& request,
                                                            QString* why) {
    if (!Pending)
        return Silent(why, QStringLiteral("chunk outside a section"));
    if (request.size() < 11)
        return Silent(why, QStringLiteral("bad WriteChunk length"));
    const int index = WordAt(request, ParameterOffset);
    const int count = WordAt(request, ParameterOffset + 2);
    if (count < 1 || count > MaxChunkSize || request.size() != 10 + count)
        return Silent(why, QStringLiteral("bad chunk length"));
    const qsizetype offset = qsizetype(index) * MaxChunkSize;
    if (offset + count > Pending->Count)
        return Silent(why, QStringLiteral("chunk beyond the section"));
    std::memcpy(Pending->Bytes.data() + offset, request.constData() + ParameterOffset + 4,
                std::size_t(count));
    return TReply{};
}

std::optional<TMKDevice::TReply> TMKDevice::EndSectionReply(const QByteArray& request,
                                                            QString* why) {
    if (request.size() != 10)
        return Silent(why, QStringLiteral("bad EndSectionWrite length"));
    const quint16 address = WordAt(request, ParameterOffset);
    const quint16 count = WordAt(request, ParameterOffset + 2);
    const auto matches = [&](const std::optional<TSection>& s) {
        return s && s->Address == address && s->Count == count;
    };
    if (matches(Applied))
        return TReply{};
    if (!matches(Pending))
        return Silent(why, QStringLiteral("end of a section never begun"));
    std::memcpy(Bytes.data() + address, Pending->Bytes.constData(), count);
    Applied = std::move(Pending);
    Pending.reset();
    return TReply{};
}
