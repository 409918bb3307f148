#include "link/SystemSerialPort.h"

#include <termios.h>

namespace {

// A write that cannot drain in this time is left to the driver; the reply check
// reports the failure.
constexpr int WriteDrainMs = 1000;
// The terminal driver's limit for a held-back count (its VMIN is one byte).
constexpr int MaxWakeCount = 255;

QSerialPort::Parity ToQtParity(quint8 code) {
    switch (code) {
    case 1:
        return QSerialPort::OddParity;
    case 2:
        return QSerialPort::EvenParity;
    case 3:
        return QSerialPort::MarkParity;
    case 4:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

quint8 FromQtParity(QSerialPort::Parity parity) {
    switch (parity) {
    case QSerialPort::OddParity:
        return 1;
    case QSerialPort::EvenParity:
        return 2;
    case QSerialPort::MarkParity:
        return 3;
    case QSerialPort::SpaceParity:
        return 4;
    default:
        return 0;
    }
}

// Stop-bit codes: 0 one, 1 one and a half, 2 two.
QSerialPort::StopBits ToQtStopBits(quint8 code) {
    switch (code) {
    case 1:
        return QSerialPort::OneAndHalfStop;
    case 2:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}

quint8 FromQtStopBits(QSerialPort::StopBits bits) {
    switch (bits) {
    case QSerialPort::OneAndHalfStop:
        return 1;
    case QSerialPort::TwoStop:
        return 2;
    default:
        return 0;
    }
}

} // namespace

TSystemSerialPort::TSystemSerialPort(const QString& path) {
    Port.setPortName(path);
}

TSerialPortFactory TSystemSerialPort::Factory() {
    return [](const QString& path) { return std::make_unique<TSystemSerialPort>(path); };
}

bool TSystemSerialPort::Open() {
    if (Port.portName().isEmpty())
        return false;
    const bool opened = Port.open(QIODevice::ReadWrite);
    WakeCount = 0;
    Port.clearError();
    return opened;
}

void TSystemSerialPort::Close() {
    if (Port.isOpen())
        Port.close();
    Port.clearError();
    WakeCount = 0;
}

bool TSystemSerialPort::IsOpen() const {
    return Port.isOpen();
}

std::optional<TLineSettings> TSystemSerialPort::LineSettings() {
    if (!Port.isOpen())
        return std::nullopt;
    TLineSettings settings;
    settings.BaudRate = quint32(qMax(0, Port.baudRate()));
    settings.ByteSize = quint8(Port.dataBits());
    settings.Parity = FromQtParity(Port.parity());
    settings.StopBits = FromQtStopBits(Port.stopBits());
    return settings;
}

bool TSystemSerialPort::SetLineSettings(const TLineSettings& settings) {
    if (!Port.isOpen())
        return false;
    bool ok = Port.setBaudRate(qint32(settings.BaudRate));
    ok = Port.setDataBits(QSerialPort::DataBits(settings.ByteSize)) && ok;
    ok = Port.setParity(ToQtParity(settings.Parity)) && ok;
    ok = Port.setStopBits(ToQtStopBits(settings.StopBits)) && ok;
    WakeCount = 0; // the port object writes its own terminal settings back
    Port.clearError();
    return ok;
}

bool TSystemSerialPort::SetDataTerminalReady(bool on) {
    // A pseudo-terminal refuses the modem lines; that is no reason to fail the port.
    const bool ok = Port.isOpen() && Port.setDataTerminalReady(on);
    Port.clearError();
    return ok;
}

bool TSystemSerialPort::PurgeInput() {
    if (!Port.isOpen())
        return false;
    const bool ok = Port.clear(QSerialPort::Input);
    ClearTransientError();
    return ok;
}

bool TSystemSerialPort::PurgeOutput() {
    if (!Port.isOpen())
        return false;
    const bool ok = Port.clear(QSerialPort::Output);
    ClearTransientError();
    return ok;
}

qint64 TSystemSerialPort::Read(char* data, qint64 maxSize) {
    if (!Port.isOpen() || DeviceFailed())
        return -1;
    if (Port.bytesAvailable() == 0) {
        SetWakeCount(0);
        Port.waitForReadyRead(0);
        ClearTransientError();
        if (DeviceFailed())
            return -1;
    }
    return qMax<qint64>(0, Port.read(data, maxSize));
}

qint64 TSystemSerialPort::Write(const char* data, qint64 size) {
    if (!Port.isOpen() || DeviceFailed())
        return -1;
    const qint64 queued = Port.write(data, size);
    if (queued < 0)
        return -1;
    // Straight to the driver: the reply's wait starts with the request on its way.
    Port.flush();
    while (Port.bytesToWrite() > 0 && Port.waitForBytesWritten(WriteDrainMs)) {
    }
    ClearTransientError();
    if (DeviceFailed())
        return -1;
    return queued - Port.bytesToWrite();
}

bool TSystemSerialPort::WaitReadable(int msecs) {
    if (!Port.isOpen() || DeviceFailed())
        return true; // let the caller's read report the failure at once
    if (Port.bytesAvailable() > 0)
        return true;
    SetWakeCount(0);
    Port.waitForReadyRead(msecs);
    ClearTransientError();
    return Port.bytesAvailable() > 0 || DeviceFailed();
}

bool TSystemSerialPort::WaitForBytes(qint64 count, int msecs) {
    if (!Port.isOpen() || DeviceFailed())
        return true;
    const qint64 missing = count - Port.bytesAvailable();
    if (missing <= 0)
        return true;
    // Linux's terminal driver reports a raw-mode port readable only once VMIN bytes are in,
    // so the wait returns once, when they are complete, not per byte (elsewhere it may
    // return at the first byte, and the caller waits again). The count stays until the
    // next look at an empty port: the reply's end is not delayed by putting it back.
    SetWakeCount(int(qMin<qint64>(missing, MaxWakeCount)));
    Port.waitForReadyRead(msecs);
    ClearTransientError();
    return Port.bytesAvailable() >= count || DeviceFailed();
}

void TSystemSerialPort::SetWakeCount(int count) {
    // 0 and 1 both wake on the first byte; 0 is what the port object itself sets.
    if (count <= 1)
        count = 0;
    if (count == WakeCount)
        return;
    const int fd = int(Port.handle());
    termios settings{};
    if (fd < 0 || ::tcgetattr(fd, &settings) != 0)
        return;
    settings.c_cc[VMIN] = cc_t(count);
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &settings) == 0)
        WakeCount = count;
}

bool TSystemSerialPort::DeviceFailed() const {
    const QSerialPort::SerialPortError error = Port.error();
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

void TSystemSerialPort::ClearTransientError() {
    if (Port.error() == QSerialPort::TimeoutError)
        Port.clearError();
}
