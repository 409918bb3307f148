#pragma once

#include "link/SerialLinkBase.h"

#include <QByteArray>

// The link to the MK: request/reply exchange with timeouts, checks and three attempts,
// and the five commands the workflow uses.
class TML_RS : public TML_RS_Base {
    Q_OBJECT

public:
    explicit TML_RS(TLinkEnvironment environment = TLinkEnvironment::System(),
                    QObject* parent = nullptr);

    void BeginCommand(quint8 address, quint8 code) override;
    // Finishes the request and exchanges it, at most three times; RxPos then points at
    // the reply data.
    void Transact() override;
    void Command(quint8 address, quint8 code) override;
    virtual void ReceiveFrame();
    virtual void SendFrame();
    virtual void Exchange();

    // The settings version the MK at address reports; DeviceAddress := address.
    quint16 Identify(quint8 address);
    // The 32 bytes of memory block number block.
    QByteArray ReadBlock(quint8 address, quint16 block);
    void BeginSectionWrite(quint8 address, quint16 sectionAddress, quint16 count);
    // Chunk index lands at section address + 32 * index; 1 to 32 bytes.
    void WriteChunk(quint8 address, quint16 index, const QByteArray& bytes);
    void EndSectionWrite(quint8 address, quint16 sectionAddress, quint16 count);

    quint16 FirstByteTimeout = 1000; // ms
    quint16 InterByteTimeout = 200;  // ms
    // The address at which the MK last answered Identify; 0 before that.
    quint8 DeviceAddress = 0;

    static constexpr int Attempts = 3;
    static constexpr int RetryPauseMs = 50;

private:
    // 1 when a byte came, 0 when none has yet, -1 when the port failed.
    int ReadInto(int index, int count);
    // Gives UI events their turn, then waits on the port until count bytes have come, at
    // most msecs and never longer than a slice, so the windows stay responsive.
    void WaitForInput(int count, qint64 msecs);
    // The time the given number of bytes take on the line: whole milliseconds rounded up,
    // microseconds rounded down.
    qint64 WireTimeMs(int bytes) const;
    qint64 WireTimeMicros(int bytes) const;

    // Set by BeginCommand: the shortest reply that carries the command's data.
    int ReplyLengthNeeded = 6;
};
