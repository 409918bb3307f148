#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

// The platform's serial port. Works without a running event loop: every call pulls
// pending input and pushes pending output itself.
class TSystemSerialPort : public TSerialPort {
public:
    explicit TSystemSerialPort(const QString& path);

    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    std::optional<TLineSettings> LineSettings() override;
    bool SetLineSettings(const TLineSettings& settings) override;
    bool SetDataTerminalReady(bool on) override;
    bool PurgeInput() override;
    bool PurgeOutput() override;
    qint64 Read(char* data, qint64 maxSize) override;
    qint64 Write(const char* data, qint64 size) override;
    bool WaitReadable(int msecs) override;
    bool WaitForBytes(qint64 count, int msecs) override;

    static TSerialPortFactory Factory();

private:
    bool DeviceFailed() const;
    // A call that only reports "nothing happened yet" must not poison the next one.
    void ClearTransientError();
    // How many bytes the terminal driver holds back before it reports the port readable
    // (its VMIN); 0 reports every byte, as the port object sets it up.
    void SetWakeCount(int count);

    QSerialPort Port;
    int WakeCount = 0;
};
