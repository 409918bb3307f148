#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

// Line parameters in the codes of the serial settings: Parity 0 = none, StopBits 2 = two.
struct TLineSettings {
    quint32 BaudRate = 115200;
    quint8 ByteSize = 8;
    quint8 Parity = 0;
    quint8 StopBits = 2;
};

// One serial device as the link needs it. Reads never block; a failed read or write
// means the device is gone (unplugged), not that nothing has arrived.
class TSerialPort {
public:
    virtual ~TSerialPort() = default;

    // Exclusive open for reading and writing.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // nullopt when the device does not answer the settings call (a closed port).
    virtual std::optional<TLineSettings> LineSettings() = 0;
    virtual bool SetLineSettings(const TLineSettings& settings) = 0;
    virtual bool SetDataTerminalReady(bool on) = 0;

    virtual bool PurgeInput() = 0;
    virtual bool PurgeOutput() = 0;

    // Bytes copied into data (0 when nothing has arrived), or -1 when the device failed.
    virtual qint64 Read(char* data, qint64 maxSize) = 0;
    // Writes everything before returning; the count written, or -1 on failure.
    virtual qint64 Write(const char* data, qint64 size) = 0;
    // Waits at most msecs for input; true when something can be read.
    virtual bool WaitReadable(int msecs) = 0;
    // Waits at most msecs until count bytes can be read, without returning for each byte
    // on the way; true when they can (or the device failed, so that the read reports it).
    // A port that cannot count ends the wait at the first byte; the caller waits again.
    virtual bool WaitForBytes(qint64 count, int msecs) {
        Q_UNUSED(count);
        return WaitReadable(msecs);
    }
};

// Creates the port object for a device path; opening is left to the caller.
using TSerialPortFactory = std::function<std::unique_ptr<TSerialPort>(const QString& path)>;
