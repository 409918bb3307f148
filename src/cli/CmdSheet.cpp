// mktool sheet: the settings sheet of a settings file, as HTML or PDF by OUT's extension.

#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetFile.h"

int RunSheet(const QStringList& args) {
    // 0 written; 2 for anything that keeps the sheet from being written (nothing is left).
    try {
        const Cli::TArgs a(args, QStringLiteral("sheet"));
        a.ExpectPositional(2, Cli::UsageOf(QStringLiteral("sheet")));
        const QString in = a.Positional()[0];
        const QString out = a.Positional()[1];
        if (!SheetFile::FormatOf(out))
            throw Cli::TUsageError{QStringLiteral("Формат отчёта по расширению: .html или .pdf, "
                                                  "а не %1\nИспользование: %2")
                                       .arg(out, Cli::UsageOf(QStringLiteral("sheet")))};
        TMK mk;
        SettingsFile::Load(mk, in);
        TSettingsSheet sheet;
        RunEditorModel(mk, [&](TSettingsEditor& editor) {
            sheet = SettingsSheet::Build(editor);
            return false;
        });
        SheetFile::Write(sheet, out);
        return Cli::ExitOk;
    } catch (const Cli::TUsageError& e) {
        Cli::PrintError(e.Text);
    } catch (const TMKError& e) {
        Cli::PrintError(e.Text());
    }
    return Cli::ExitUsage;
}
