#include "link/FrameInterface.h"

#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKProtocol.h"

TMLBaseInterface::TMLBaseInterface(QObject* parent) : TMLBaseDevice(parent) {}

bool TMLBaseInterface::ReplyChecksumOk() const {
    unsigned sum = 0;
    for (int i = 0; i < RxBuf[0]; ++i)
        sum += RxBuf[i];
    return sum % 256 == 0;
}

void TMLBaseInterface::BeginFrame() {
    TxLen = 1;
}

void TMLBaseInterface::FinishFrame() {
    if (TxLen + 1 > MKProtocol::MaxFrameLength)
        throw TMKError(TErrorKind::Link, LinkTexts::FrameTooLong());
    TxBuf[0] = quint8(TxLen + 1);
    TxBuf[TxLen] = MKProtocol::Checksum(TxBuf.data(), TxLen);
}

void TMLBaseInterface::PutByte(quint8 value) {
    if (TxLen < 0 || TxLen >= BufferSize)
        throw TMKError(TErrorKind::Link, LinkTexts::FrameTooLong());
    TxBuf[TxLen++] = value;
}

void TMLBaseInterface::PutWord(quint16 value) {
    PutByte(quint8(value & 0xFF));
    PutByte(quint8(value >> 8));
}

quint8 TMLBaseInterface::GetByte() {
    // Bytes past the reply's length are left over from an older reply.
    if (RxPos < 0 || RxPos >= RxBuf[0])
        throw TMKError(TErrorKind::Link, LinkTexts::ShortReply());
    return RxBuf[RxPos++];
}

quint16 TMLBaseInterface::GetWord() {
    const quint8 low = GetByte();
    const quint8 high = GetByte();
    return quint16(low | high << 8);
}

void TMLBaseInterface::BeginCommand(quint8, quint8) {}

void TMLBaseInterface::Command(quint8, quint8) {}
