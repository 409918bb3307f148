#include "link/SerialLinkBase.h"

#include "base/IniFile.h"
#include "base/ProgramSettings.h"
#include "link/LinkTexts.h"

#include <QDebug>

TML_RS_Base::TML_RS_Base(TLinkEnvironment environment, QObject* parent)
    : TMLBaseInterface(parent), Env(std::move(environment)) {
    if (!Env.Clock)
        Env.Clock = std::make_shared<TSystemClock>();
    IsOpen = false;
    if (ScanPorts() > 0) {
        PortNumber = FirstAvailablePort();
        SectionName = QStringLiteral("RS232Base");
    } else {
        ShowError(TMKError(TErrorKind::NoPort, LinkTexts::NoFreePort()));
    }
    BaudRate = 115200;
    ByteSize = 8;
    Parity = 0;
    StopBits = 2;
}

TML_RS_Base::~TML_RS_Base() {
    TML_RS_Base::ClosePort();
}

void TML_RS_Base::LoadSettings(TMIniFile& settings) {
    OpenPort(ProgramSettings::ReadPort(settings, SectionName, PortNumber));
}

void TML_RS_Base::SaveSettings(TMIniFile& settings) {
    settings.WriteInteger(SectionName, ProgramSettings::PortKey, PortNumber);
}

void TML_RS_Base::ChoosePort() {
    ClosePort();
    ScanPorts();
    if (AvailableCount == 0) {
        ShowError(TMKError(TErrorKind::NoPort, LinkTexts::NoFreePort()));
        return;
    }
    TPortChoice choice;
    choice.Current = PortNumber;
    for (int n = TPortMap::FirstPort; n <= TPortMap::LastPort; ++n) {
        if (Available[n]) {
            choice.Ports << n;
            choice.DevicePaths << DevicePath(n);
        }
    }
    if (Env.Prompts.ChoosePortNumber) {
        if (const std::optional<int> chosen = Env.Prompts.ChoosePortNumber(choice))
            PortNumber = *chosen;
    }
    ClosePort();
    OpenPort(PortNumber);
}

void TML_RS_Base::ClosePort() {
    if (PortHandle) {
        PortHandle->Close();
        PortHandle.reset();
    }
    IsOpen = false;
}

int TML_RS_Base::ScanPorts() {
    if (IsOpen || PortHandle)
        ClosePort();
    AvailableCount = 0;
    for (int n = TPortMap::FirstPort; n <= TPortMap::LastPort; ++n) {
        Available[n] = false;
        const QString path = DevicePath(n);
        if (path.isEmpty() || !Env.CreatePort)
            continue;
        std::unique_ptr<TSerialPort> probe = Env.CreatePort(path);
        if (probe && probe->Open()) {
            Available[n] = true;
            ++AvailableCount;
            probe->Close();
        }
    }
    return AvailableCount;
}

int TML_RS_Base::FirstAvailablePort() const {
    for (int n = TPortMap::FirstPort; n <= TPortMap::LastPort; ++n)
        if (Available[n])
            return n;
    return 0;
}

bool TML_RS_Base::IsAvailable(int n) const {
    // A number edited into the settings file beyond the table is simply not available.
    return n >= TPortMap::FirstPort && n <= TPortMap::LastPort && Available[n];
}

void TML_RS_Base::OpenPort(int n) {
    if (n <= 0)
        return;
    PortNumber = n;
    if (!IsAvailable(n))
        PortNumber = FirstAvailablePort();
    if (PortNumber == 0) {
        ShowError(TMKError(TErrorKind::NoPort, LinkTexts::NoFreePort()));
        return;
    }
    ClosePort();
    std::unique_ptr<TSerialPort> port =
        Env.CreatePort ? Env.CreatePort(DevicePath(PortNumber)) : nullptr;
    if (!port || !port->Open()) {
        IsOpen = false;
        return;
    }
    PortHandle = std::move(port);
    SetBaudRate(BaudRate);
    SetByteSize(ByteSize);
    SetParity(Parity);
    SetStopBits(StopBits);
    PortHandle->SetDataTerminalReady(true);
    PurgeInput();
    IsOpen = true;
}

void TML_RS_Base::SetOpen(bool open) {
    if (open)
        OpenPort(PortNumber);
    else
        ClosePort();
}

template <typename TChange> void TML_RS_Base::ChangeLineSettings(TChange change) {
    if (!PortHandle)
        return;
    std::optional<TLineSettings> settings = PortHandle->LineSettings();
    if (!settings)
        return;
    change(*settings);
    PortHandle->SetLineSettings(*settings);
}

void TML_RS_Base::SetBaudRate(quint32 rate) {
    BaudRate = rate;
    ChangeLineSettings([rate](TLineSettings& s) { s.BaudRate = rate; });
    if (!PortHandle)
        return;
    const std::optional<TLineSettings> readBack = PortHandle->LineSettings();
    if (readBack && readBack->BaudRate != 0)
        BaudRate = readBack->BaudRate;
}

void TML_RS_Base::SetByteSize(quint8 value) {
    ByteSize = value;
    ChangeLineSettings([value](TLineSettings& s) { s.ByteSize = value; });
}

void TML_RS_Base::SetParity(quint8 value) {
    Parity = value;
    ChangeLineSettings([value](TLineSettings& s) { s.Parity = value; });
}

void TML_RS_Base::SetStopBits(quint8 value) {
    StopBits = value;
    ChangeLineSettings([value](TLineSettings& s) { s.StopBits = value; });
}

void TML_RS_Base::PurgeInput() {
    if (PortHandle)
        PortHandle->PurgeInput();
}

void TML_RS_Base::PurgeOutput() {
    if (PortHandle)
        PortHandle->PurgeOutput();
}

void TML_RS_Base::ShowError(const TMKError& error) const {
    if (Env.Prompts.ShowError)
        Env.Prompts.ShowError(error);
    else
        qWarning().noquote() << error.Text();
}
