#include "CliUtil.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/MKTransfer.h"

// mktool read: the program's read from the MK, into a settings file.
int RunRead(const QStringList& args) {
    Cli::TDeviceCommand command(args, QStringLiteral("read"));
    if (!command.FindMK())
        return Cli::ExitFailure;
    TMK mk;
    TMKTransfer transfer(command.Link(), mk);
    transfer.LastAddress = command.FirstAddress();
    try {
        if (transfer.ReadSettings(command.Progress()) == TMKTransfer::TOutcome::Cancelled)
            return command.Fail(TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection()));
    } catch (const TMKError& e) {
        return command.Fail(e);
    }
    SettingsFile::Save(mk, command.File());
    const auto hex = [](unsigned value, int digits) {
        return QStringLiteral("0x") +
               QString::number(value, 16).rightJustified(digits, '0').toUpper();
    };
    Cli::PrintProgress(QStringLiteral("МК по адресу %1: %2 байт памяти, версия настроек %3")
                           .arg(hex(transfer.DeviceAddress, 2))
                           .arg(mk.Image.size())
                           .arg(hex(mk.SettingsVersion, 4)));
    return Cli::ExitOk;
}
