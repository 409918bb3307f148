#include "link/MKLink.h"

#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKProtocol.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// Longest wait on the port before pending UI events get their turn again. The wait ends
// the moment the awaited bytes are in, so this costs no time, only a wake-up now and then
// while the MK keeps silent.
constexpr int WaitSliceMs = 10;
constexpr int BitsPerByte = 11; // start, 8 data, 2 stop
// Beyond its time on the line, how long the rest of a reply is awaited before the link looks
// at what has come (a USB adapter passes bytes on in bursts).
constexpr int WholeReplySlackMs = 2;
// The last bytes of a reply are awaited on the port; those before them are slept through,
// as even a port that counts bytes wakes its waiter for each one in the driver. Four bytes
// (0.38 ms at 115200 baud) cover a sleep that ends late.
constexpr int PortAwaitedBytes = 4;

} // namespace

TML_RS::TML_RS(TLinkEnvironment environment, QObject* parent)
    : TML_RS_Base(std::move(environment), parent) {
    FirstByteTimeout = 1000;
    InterByteTimeout = 200;
    SectionName = QStringLiteral("RS232");
}

void TML_RS::BeginCommand(quint8 address, quint8 code) {
    BeginFrame();
    PutByte(address);
    PutWord(MKProtocol::RequestWord);
    PutByte(code);
    ReplyLengthNeeded = MKProtocol::ReplyLengthFor(code);
}

void TML_RS::Command(quint8 address, quint8 code) {
    BeginCommand(address, code);
    Transact();
}

void TML_RS::Transact() {
    FinishFrame();
    for (int attempt = 1;; ++attempt) {
        try {
            Exchange();
            RxPos = MKProtocol::DataOffset;
            return;
        } catch (const TMKError&) {
            if (attempt == Attempts)
                throw;
        }
        Clock().Sleep(RetryPauseMs);
    }
}

void TML_RS::SendFrame() {
    PurgeInput();
    PurgeOutput();
    if (PortHandle && PortHandle->Write(reinterpret_cast<const char*>(TxBuf.data()), TxBuf[0]) < 0)
        throw TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection());
}

int TML_RS::ReadInto(int index, int count) {
    if (!PortHandle)
        return 0;
    const qint64 got = PortHandle->Read(reinterpret_cast<char*>(RxBuf.data() + index), count);
    if (got < 0)
        return -1;
    return int(got);
}

void TML_RS::WaitForInput(int count, qint64 msecs) {
    QCoreApplication::processEvents();
    const int slice = int(std::clamp<qint64>(msecs, 1, WaitSliceMs));
    if (PortHandle)
        PortHandle->WaitForBytes(count, slice);
    else
        Clock().Sleep(slice);
}

qint64 TML_RS::WireTimeMs(int bytes) const {
    return (WireTimeMicros(bytes) + 999) / 1000;
}

qint64 TML_RS::WireTimeMicros(int bytes) const {
    if (BaudRate == 0 || bytes <= 0)
        return 0;
    return qint64(bytes) * BitsPerByte * 1000000 / BaudRate;
}

void TML_RS::ReceiveFrame() {
    // The request's own time on the wire is added to the wait for the first byte.
    const qint64 wireMs =
        BaudRate == 0 ? 0 : qint64(std::nearbyint(9600.0 / double(BaudRate) * TxLen));
    qint64 deadline = Clock().NowMs() + FirstByteTimeout + wireMs;
    RxBuf[0] = 0;
    for (;;) {
        const int got = ReadInto(0, 1);
        const qint64 now = Clock().NowMs();
        if (got < 0)
            throw TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection());
        if (got > 0)
            break;
        if (now > deadline)
            throw TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection());
        WaitForInput(1, deadline - now);
    }
    const int length = RxBuf[0];
    if (length < MKProtocol::MinFrameLength)
        throw TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection());
    int received = 1;
    deadline = Clock().NowMs() + InterByteTimeout;
    while (received < length) {
        const int got = ReadInto(received, length - received);
        const qint64 now = Clock().NowMs();
        if (got < 0)
            throw TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection());
        if (got > 0) {
            received += got;
            deadline = now + InterByteTimeout;
            continue;
        }
        if (now > deadline)
            throw TMKError(TErrorKind::Link, LinkTexts::InterByteDelay());
        // The rest is awaited whole: the line cannot deliver it sooner than its bytes take,
        // so most of that time is slept through, and the port then wakes the link once, with
        // the last byte. Looking again after a few milliseconds at most keeps the
        // inter-byte deadline within them of the byte that restarted it.
        const int rest = length - received;
        if (rest > PortAwaitedBytes)
            Clock().SleepMicroseconds(WireTimeMicros(rest - PortAwaitedBytes));
        const qint64 awake = Clock().NowMs();
        WaitForInput(rest, qMin(deadline - awake,
                                WireTimeMs(qMin(rest, PortAwaitedBytes)) + WholeReplySlackMs));
    }
    QCoreApplication::processEvents();
    if (!ReplyChecksumOk())
        throw TMKError(TErrorKind::Link, LinkTexts::BadChecksum());
}

void TML_RS::Exchange() {
    SendFrame();
    ReceiveFrame();
    if (RxBuf[1] == 0 && RxBuf[2] == 0 && RxBuf[3] == 0)
        throw TMKError(TErrorKind::Link, LinkTexts::ZeroHeader());
    if (RxBuf[MKProtocol::CommandOffset] == MKProtocol::BusyStatus)
        throw TMKError(TErrorKind::Link, LinkTexts::DeviceBusy());
    // Taking stale buffer bytes as the MK's data would corrupt the image.
    if (RxBuf[0] < ReplyLengthNeeded)
        throw TMKError(TErrorKind::Link, LinkTexts::ShortReply());
}

quint16 TML_RS::Identify(quint8 address) {
    Command(address, MKProtocol::Identify);
    GetByte(); // no meaning to the program
    const quint16 version = GetWord();
    DeviceAddress = address;
    return version;
}

QByteArray TML_RS::ReadBlock(quint8 address, quint16 block) {
    BeginCommand(address, MKProtocol::ReadBlock);
    PutWord(block);
    Transact();
    QByteArray bytes(MKProtocol::BlockSize, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(GetByte());
    return bytes;
}

void TML_RS::BeginSectionWrite(quint8 address, quint16 sectionAddress, quint16 count) {
    BeginCommand(address, MKProtocol::BeginSectionWrite);
    PutWord(sectionAddress);
    PutWord(count);
    Transact();
}

void TML_RS::WriteChunk(quint8 address, quint16 index, const QByteArray& bytes) {
    Q_ASSERT(!bytes.isEmpty() && bytes.size() <= MKProtocol::MaxChunkSize);
    BeginCommand(address, MKProtocol::WriteChunk);
    PutWord(index);
    PutWord(quint16(bytes.size()));
    for (const char byte : bytes)
        PutByte(quint8(byte));
    Transact();
}

void TML_RS::EndSectionWrite(quint8 address, quint16 sectionAddress, quint16 count) {
    BeginCommand(address, MKProtocol::EndSectionWrite);
    PutWord(sectionAddress);
    PutWord(count);
    Transact();
}
