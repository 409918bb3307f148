#pragma once

#include "link/LinkDevice.h"

#include <array>

// Request and reply frames: a length byte, the bytes of the frame, an additive checksum.
class TMLBaseInterface : public TMLBaseDevice {
    Q_OBJECT

public:
    static constexpr int BufferSize = 256;

    explicit TMLBaseInterface(QObject* parent = nullptr);

    virtual bool ReplyChecksumOk() const;
    virtual void BeginFrame();
    // Sets the length byte and the checksum; TxLen is then the checksum's index.
    virtual void FinishFrame();
    virtual void PutByte(quint8 value);
    virtual void PutWord(quint16 value);
    // Reply data from RxPos; reading past the reply's length is refused.
    virtual quint8 GetByte();
    virtual quint16 GetWord();
    virtual void BeginCommand(quint8 address, quint8 code);
    virtual void Transact() = 0;
    virtual void Command(quint8 address, quint8 code);

    std::array<quint8, BufferSize> TxBuf{};
    std::array<quint8, BufferSize> RxBuf{};
    int TxLen = 0;
    int RxPos = 0;
};
