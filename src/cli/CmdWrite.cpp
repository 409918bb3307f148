#include "CliUtil.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include "base/MKError.h"
#include "editing/ChosenWrite.h"
#include "editing/SettingsDiff.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"

namespace {

// --only names what the editor shows or a difference lists; anything else is a slip.
void CheckNames(const std::optional<QStringList>& names) {
    if (!names)
        return;
    for (const QString& name : *names)
        if (!IsChangeName(name))
            throw Cli::TUsageError{
                QStringLiteral("--only: нет такой настройки или данных: %1").arg(name)};
}

} // namespace

// mktool write: the program's write of a settings file into the MK.
// Before the first write command it prints what changes in the MK; --dry-run stops there.
// With --only the MK keeps its own value for every change not named.
int RunWrite(const QStringList& args) {
    Cli::TDeviceCommand command(args, QStringLiteral("write"));
    const bool dryRun = command.IsDryRun();
    const std::optional<QStringList> only = command.Only();
    CheckNames(only);
    TMK mk;
    SettingsFile::Load(mk, command.File());
    if (!command.FindMK())
        return Cli::ExitFailure;
    TMKTransfer transfer(command.Link(), mk);
    transfer.LastAddress = command.FirstAddress();
    bool compared = false;
    transfer.ConfirmWrite = [&](TMK& device, TMK& toWrite) -> std::optional<QByteArray> {
        const TSettingsDiff diff = CompareSettings(device, toWrite);
        const QList<int> chosen = only ? diff.LinesAbout(*only) : diff.LinesAbout(diff.Names());
        Cli::PrintProgress(ChangesText(diff.Pick(chosen), 1000));
        compared = true;
        if (dryRun)
            return std::nullopt;
        return ChosenImage(device, toWrite, diff.Drop(chosen));
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
        const QString notice = transfer.BackupNoticeAfter(e.Kind());
        if (!notice.isEmpty())
            Cli::PrintProgress(notice);
        return command.Fail(e);
    }
    Cli::PrintProgress(WorkflowTexts::SettingsWritten());
    return Cli::ExitOk;
}
