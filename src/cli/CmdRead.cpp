#include "app/MKTransfer.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/DeviceCommand.h"
#include "link/LinkTexts.h"
#include "link/ML_RS232.h"
#include "model/MKError.h"
#include "model/Pars32.h"
#include "model/SettingsFile.h"

// mktool read: the program's read from the MK, into a settings file.
int RunRead(const QStringList& args) {
    Cli::TDeviceCommand command(
        args, QStringLiteral("mktool read [--port P | --auto] [--connect-timeout S] OUT.rvset"));
    if (!command.FindMK())
        return Cli::ExitFailure;
    TMK mk;
    TMKTransfer transfer(command.Link(), mk);
    try {
        if (transfer.ReadSettings(command.Progress()) == TMKTransfer::TOutcome::Cancelled)
            return command.Fail(LinkTexts::NoConnection());
    } catch (const TMKError& e) {
        return command.Fail(e.Text());
    }
    SettingsFile::Save(mk, command.File());
    Cli::PrintProgress(QStringLiteral("МК по адресу 0x%1: %2 байт памяти, версия настроек 0x%3")
                           .arg(transfer.DeviceAddress, 2, 16, QLatin1Char('0'))
                           .arg(mk.Image.size())
                           .arg(mk.SettingsVersion, 4, 16, QLatin1Char('0'))
                           .toUpper()
                           .replace(QStringLiteral("0X"), QStringLiteral("0x")));
    return Cli::ExitOk;
}
