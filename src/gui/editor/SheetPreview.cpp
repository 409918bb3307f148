#include "editor/SheetPreview.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/SettingsEditor.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetFile.h"
#include "sheet/SheetPdf.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>

namespace SheetPreview {

namespace {

void Save(const TSettingsSheet& sheet, QWidget* parent) {
    const QString path =
        Dialogs::SaveFile(parent, {QStringLiteral("Сохранить отчёт"), QString(),
                                   QStringLiteral("Документ PDF (*.pdf);;Страница HTML (*.html)"),
                                   QStringLiteral("pdf"), false});
    if (path.isEmpty())
        return;
    try {
        SheetFile::Write(sheet, path);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}

} // namespace

void Run(TSettingsEditor& editor, QWidget* parent) {
    try {
        const TSettingsSheet sheet = SettingsSheet::Build(editor);
        const std::unique_ptr<QTextDocument> document = SheetPdf::Document(sheet);
        QPrinter printer(QPrinter::HighResolution);
        // The document keeps margins of its own.
        printer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        printer.setDocName(sheet.Title);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("SheetPreview"));
        dialog.setWindowTitle(QStringLiteral("Отчёт о настройках"));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&document](QPrinter* target) { SheetPdf::Print(*document, *target); });
        if (auto* tools = dialog.findChild<QToolBar*>()) {
            tools->addSeparator();
            QAction* save = tools->addAction(QStringLiteral("Сохранить как PDF или HTML…"));
            save->setObjectName(QStringLiteral("aSaveSheet"));
            QObject::connect(save, &QAction::triggered, &dialog,
                             [&sheet, &dialog] { Save(sheet, &dialog); });
        }
        Dialogs::PrintPreview(dialog);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}

} // namespace SheetPreview
