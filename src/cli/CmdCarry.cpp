// mktool carry: one file's settings carried onto a file read from another MK, by meaning.

#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/MKError.h"
#include "carry/SettingsCarry.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include <cstdio>

namespace {

void PrintLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

} // namespace

int RunCarry(const QStringList& args) {
    // 0 everything carried, 1 written with settings left out, 2 nothing written.
    try {
        const Cli::TArgs a(args, QStringLiteral("carry"));
        a.ExpectPositional(3, Cli::UsageOf(QStringLiteral("carry")));
        TMK source, target;
        SettingsFile::Load(source, a.Positional()[0]);
        SettingsFile::Load(target, a.Positional()[1]);
        const TCarryReport report = CarrySettings(source, target);
        SettingsFile::Save(target, a.Positional()[2]);
        if (a.Has("--json"))
            Cli::PrintJson(QJsonDocument(report.Json()));
        else
            PrintLines(report.Lines());
        Cli::PrintProgress(QStringLiteral("Перенесено элементов: %1, не перенесено: %2")
                               .arg(report.Carried)
                               .arg(report.NotCarried.size()));
        return report.Complete() ? Cli::ExitOk : Cli::ExitFailure;
    } catch (const Cli::TUsageError& e) {
        Cli::PrintError(e.Text);
    } catch (const std::exception& e) {
        Cli::PrintError(Cli::ErrorText(e));
    }
    return Cli::ExitUsage;
}
