#pragma once

#include "base/MKError.h"
#include "readwrite/TransferProgress.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class TML_RS;

namespace Cli {

// The progress of a transfer on stderr; "cancelled" once the connection loop has tried
// for the --connect-timeout.
class TConsoleProgress : public TTransferProgress {
public:
    explicit TConsoleProgress(int connectTimeoutMs);
    void ShowPhase(const QString& label, bool withGauge) override;
    void SetGauge(int percent) override;
    bool Cancelled() const override;

private:
    int TimeoutMs;
    QElapsedTimer Phase;
    int Printed = -1;
};

// What mktool read and write share: the port options, the link, and failing with the
// program's own texts.
class TDeviceCommand {
public:
    static constexpr int DefaultConnectTimeoutS = 10;

    // The command line of the command ("read", "write"): "[--port COMn|PATH | --auto]
    // [--connect-timeout S] [--address A] FILE"; throws TUsageError.
    TDeviceCommand(const QStringList& args, const QString& command);
    ~TDeviceCommand();

    const QString& File() const { return Path; }
    // The device address to try first (--address), the table's first without it.
    quint8 FirstAddress() const { return Address; }
    bool IsDryRun() const { return DryRun; }
    // The names given with --only (write); nothing without the option.
    const std::optional<QStringList>& Only() const { return OnlyNames; }
    TML_RS& Link() { return *RS; }
    TConsoleProgress& Progress() { return Console; }
    // The port to use: the search of the MK's USB device with --auto (the default), the
    // given port otherwise. False after printing why not.
    bool FindMK();
    // Prints the error text as the last line, after the hint about missing rights, if any.
    int Fail(const TMKError& error) const;

private:
    QString Path;
    bool AutoSearch = true;
    quint8 Address = 0;
    bool DryRun = false;
    std::optional<QStringList> OnlyNames;
    std::unique_ptr<TML_RS> RS;
    TConsoleProgress Console;
};

} // namespace Cli
