#include "link/SystemSerialPort.h"

namespace {

// A write that cannot drain in this time is left to the driver; the reply check
// reports the failure.
constexpr int WriteDrainMs = 1000;

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
    Port.clearError();
    return opened;
}

void TSystemSerialPort::Close() {
    if (Port.isOpen())
        Port.close();
    Port.clearError();
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
    Port.waitForReadyRead(msecs);
    ClearTransientError();
    return Port.bytesAvailable() > 0 || DeviceFailed();
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
