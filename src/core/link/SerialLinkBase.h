#pragma once

#include "link/FrameInterface.h"
#include "link/LinkEnvironment.h"

#include <array>
#include <memory>

// The serial port half of the link: which COM ports exist, opening and configuring one.
class TML_RS_Base : public TMLBaseInterface {
    Q_OBJECT

public:
    explicit TML_RS_Base(TLinkEnvironment environment, QObject* parent = nullptr);
    ~TML_RS_Base() override;

    // Opens the port of the "Port" key (the current one by default).
    void LoadSettings(TMIniFile& settings) override;
    void SaveSettings(TMIniFile& settings) override;
    // The manual choice of the port number.
    virtual void ChoosePort();
    virtual void ClosePort();

    int ScanPorts();
    int FirstAvailablePort() const;
    // Opens n, or the first available port when n is not available; n <= 0 does nothing.
    void OpenPort(int n);
    void SetOpen(bool open);
    void SetBaudRate(quint32 rate);
    void SetByteSize(quint8 value);
    void SetParity(quint8 value);
    void SetStopBits(quint8 value);
    void PurgeInput();
    void PurgeOutput();

    const TLinkEnvironment& Environment() const { return Env; }
    QString DevicePath(int n) const { return Env.Ports.DevicePath(n); }
    // An error box through the user interface's prompt.
    void ShowError(const TMKError& error) const;

    int AvailableCount = 0;
    std::array<bool, TPortMap::LastPort + 1> Available{}; // indexed 1..32
    std::unique_ptr<TSerialPort> PortHandle;              // null while closed
    bool IsOpen = false;
    int PortNumber = 0;
    quint32 BaudRate = 115200;
    quint8 ByteSize = 8;
    quint8 Parity = 0;
    quint8 StopBits = 2;

protected:
    TLinkClock& Clock() const { return *Env.Clock; }

private:
    bool IsAvailable(int n) const;
    // Reads the port's line settings, lets change alter them, writes them back.
    template <typename TChange> void ChangeLineSettings(TChange change);

    TLinkEnvironment Env;
};
