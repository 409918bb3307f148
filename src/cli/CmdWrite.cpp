#include "workflow/BackupStore.h"
#include "workflow/MKTransfer.h"
#include "workflow/WorkflowTexts.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/DeviceCommand.h"
#include "link/LinkTexts.h"
#include "link/ML_RS232.h"
#include "base/MKError.h"
#include "model/Pars32.h"
#include "model/SettingsFile.h"

// mktool write: the program's write of a settings file into the MK.
int RunWrite(const QStringList& args) {
    Cli::TDeviceCommand command(
        args, QStringLiteral("mktool write [--port P | --auto] [--connect-timeout S] IN.rvset"));
    TMK mk;
    SettingsFile::Load(mk, command.File());
    if (!command.FindMK())
        return Cli::ExitFailure;
    TMKTransfer transfer(command.Link(), mk);
    TBackupStore backups;
    try {
        if (transfer.WriteSettings(command.Progress(), backups) == TMKTransfer::TOutcome::Cancelled)
            return command.Fail(LinkTexts::NoConnection());
    } catch (const TMKError& e) {
        if (!transfer.LastBackup.isEmpty())
            Cli::PrintProgress(WorkflowTexts::BackupNotice(transfer.LastBackup));
        return command.Fail(e.Text());
    }
    Cli::PrintProgress(WorkflowTexts::SettingsWritten());
    return Cli::ExitOk;
}
