#include "DeviceCommand.h"

#include "CliUtil.h"
#include "CommandTable.h"
#include "link/FindMK.h"
#include "link/MKLink.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/PortAccess.h"

namespace Cli {
namespace {

// The hint about rights, if there is one, and then the text itself as the last line.
void PrintWithHint(const TMKError& error, const TPortMap& ports, int currentPort) {
    const QString& text = error.Text();
    const QString shown = WithPermissionHint(error, ports, currentPort);
    if (shown != text)
        PrintProgress(shown.mid(text.size() + 1));
    PrintError(text);
}

// COMn in the program's numbering, or a device path (which keeps its platform number
// when it has one).
TPortMap PortMapFor(const QString& port, int& number) {
    const TPortMap platform = TPortMap::PlatformDefaults();
    TPortMap map;
    if (port.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) && !port.contains('/')) {
        bool ok = false;
        number = port.mid(3).toInt(&ok);
        if (!ok || number < TPortMap::FirstPort || number > TPortMap::LastPort)
            throw TUsageError{QStringLiteral("Неверный порт %1: ожидается COM1..COM32 или путь "
                                             "к устройству")
                                  .arg(port)};
        map.Set(number, platform.DevicePath(number));
        return map;
    }
    number = platform.PortNumberOf(port);
    if (number == 0)
        number = TPortMap::FirstPort;
    map.Set(number, port);
    return map;
}

} // namespace

TConsoleProgress::TConsoleProgress(int connectTimeoutMs) : TimeoutMs(connectTimeoutMs) {
    Phase.start();
}

void TConsoleProgress::ShowPhase(const QString& label, bool) {
    PrintProgress(label);
    Phase.restart();
    Printed = -1;
}

void TConsoleProgress::SetGauge(int percent) {
    // Every tenth is enough on a terminal.
    const int step = percent / 10 * 10;
    if (step <= Printed)
        return;
    Printed = step;
    PrintProgress(QStringLiteral("%1%").arg(step));
}

bool TConsoleProgress::Cancelled() const {
    return Phase.elapsed() >= TimeoutMs;
}

TDeviceCommand::TDeviceCommand(const QStringList& args, const QString& command)
    : Console(DefaultConnectTimeoutS * 1000) {
    const TArgs a(args, command);
    DryRun = a.Has(QStringLiteral("--dry-run"));
    if (const std::optional<QString> only = a.Value(QStringLiteral("--only"))) {
        OnlyNames = only->split(QLatin1Char(','));
        for (QString& name : *OnlyNames)
            name = name.trimmed();
        if (OnlyNames->contains(QString()))
            throw TUsageError{QStringLiteral("--only: пустое имя в списке")};
    }
    a.ExpectPositional(1, UsageOf(command));
    Path = a.Positional()[0];
    const std::optional<QString> port = a.Value(QStringLiteral("--port"));
    if (port && a.Has(QStringLiteral("--auto")))
        throw TUsageError{QStringLiteral("Задайте либо --port, либо --auto")};
    const long long timeout = a.Number(QStringLiteral("--connect-timeout"), DefaultConnectTimeoutS);
    if (timeout < 0 || timeout > 24 * 3600)
        throw TUsageError{QStringLiteral("Время ожидания вне диапазона 0..86400 с")};
    Console = TConsoleProgress(int(timeout * 1000));
    const long long address =
        a.Number(QStringLiteral("--address"), MKProtocol::DeviceTable[0].Address);
    if (address < 0 || address > 0xFF || !TMKTransfer::IsDeviceAddress(quint8(address)))
        throw TUsageError{QStringLiteral("Адрес устройства должен быть 0xFC, 0xFD или 0xFE.")};
    Address = quint8(address);

    int number = 0;
    TLinkEnvironment environment =
        TLinkEnvironment::ForPorts(port ? PortMapFor(*port, number) : TPortMap::PlatformDefaults());
    AutoSearch = !port;
    environment.Prompts.ShowError = [ports = environment.Ports](const TMKError& error) {
        PrintWithHint(error, ports, 0);
    };
    RS = std::make_unique<TML_RS>(environment);
    if (port)
        RS->PortNumber = number;
}

TDeviceCommand::~TDeviceCommand() = default;

bool TDeviceCommand::FindMK() {
    return ::FindMK(*RS, AutoSearch);
}

int TDeviceCommand::Fail(const TMKError& error) const {
    PrintWithHint(error, RS->Environment().Ports, RS->PortNumber);
    return ExitFailure;
}

} // namespace Cli
