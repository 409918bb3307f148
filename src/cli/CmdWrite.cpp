#include "CliUtil.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include "base/MKError.h"
#include "editing/SettingsDiff.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"

// mktool write: the program's write of a settings file into the MK.
// Before the first write command it prints what changes in the MK; --dry-run stops there.
int RunWrite(const QStringList& args) {
    Cli::TDeviceCommand command(args, QStringLiteral("write"));
    const bool dryRun = command.IsDryRun();
    TMK mk;
    SettingsFile::Load(mk, command.File());
    if (!command.FindMK())
        return Cli::ExitFailure;
    TMKTransfer transfer(command.Link(), mk);
    transfer.LastAddress = command.FirstAddress();
    bool compared = false;
    transfer.ConfirmWrite = [&compared, dryRun](TMK& device, TMK& toWrite) {
        Cli::PrintProgress(ChangesText(CompareSettings(device, toWrite), 1000));
        compared = true;
        return !dryRun;
    };
    TBackupStore backups;
    try {
        if (transfer.WriteSettings(command.Progress(), backups) ==
            TMKTransfer::TOutcome::Cancelled) {
            if (dryRun && compared) {
                Cli::PrintProgress(QStringLiteral("Пробный запуск: в МК ничего не записано."));
                return Cli::ExitOk;
            }
            return command.Fail(TMKError(TErrorKind::NoConnection, LinkTexts::NoConnection()));
        }
    } catch (const TMKError& e) {
        if (!transfer.LastBackup.isEmpty())
            Cli::PrintProgress(WorkflowTexts::BackupNotice(transfer.LastBackup));
        return command.Fail(e);
    }
    Cli::PrintProgress(WorkflowTexts::SettingsWritten());
    return Cli::ExitOk;
}
