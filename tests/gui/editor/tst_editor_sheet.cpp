// "Отчёт…" of the settings editor: the print preview of the sheet of the settings as they
// stand in the open editor, its pages printed, and the sheet saved as HTML with the
// editor's own previews in it.
#include "EditorDialogKit.h"

#include "editing/ScreenEnable.h"

#include <QDoubleSpinBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The pictures of a sheet page by the preview box they stand for.
QHash<QString, QImage> HtmlPictures(const QByteArray& html) {
    static const QRegularExpression picture(QStringLiteral(
        "<td data-picture=\"([^\"]+)\"><img src=\"data:image/png;base64,([^\"]+)\""));
    QHash<QString, QImage> pictures;
    for (auto it = picture.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        pictures.insert(m.captured(1),
                        QImage::fromData(QByteArray::fromBase64(m.captured(2).toLatin1()), "PNG"));
    }
    return pictures;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* SaveAction(QPrintPreviewDialog& dialog) {
    return dialog.findChild<QAction*>(QStringLiteral("aSaveSheet"));
}

} // namespace

class TestEditorSheet : public QObject {
    Q_OBJECT
    QTemporaryDir Dir;

private slots:
    void buttonStandsBeforeOk() {
        TEditorDialogKit kit;
        auto* sheet = kit.Find<QPushButton>("bSettingsSheet");
        auto* ok = kit.Find<QPushButton>("bOK");
        QCOMPARE(sheet->text(), QStringLiteral("Отчёт…"));
        QVERIFY(!sheet->accessibleName().isEmpty());
        QCOMPARE(sheet->parentWidget(), ok->parentWidget());
        QVERIFY(sheet->geometry().right() < ok->geometry().left());
        QVERIFY(kit.Find("eFindSetting")->geometry().right() < sheet->geometry().left());
    }

    void savedSheetShowsTheOpenEditorWithItsOwnPreviews() {
        TEditorDialogKit kit;
        auto* corr = kit.Find<QDoubleSpinBox>("seVelocityCorr");
        corr->setValue(corr->value() == 3.5 ? 4.5 : 3.5);
        TEditorDialogKit::Leave(corr);
        const QString shown = QString::number(corr->value(), 'f', corr->decimals());
        for (const ScreenEnable::TGroup& group : ScreenEnable::Groups())
            if (group.Key != '1' && group.Key != 'S')
                for (int d = 0; d < group.Count; ++d)
                    kit.Editor().Put(ScreenEnable::BoxName(group, d), true);
        const QByteArray before(reinterpret_cast<const char*>(&kit.Mk.Record),
                                sizeof kit.Mk.Record);

        const QString path = Dir.filePath("open.html");
        kit.Dialogs.FileAnswers << path;
        kit.Dialogs.PreviewAnswers << [](QPrintPreviewDialog& dialog) {
            QVERIFY(SaveAction(dialog));
            SaveAction(dialog)->trigger();
        };
        kit.Find<QPushButton>("bSettingsSheet")->click();
        QCOMPARE(kit.Dialogs.Texts("PrintPreview"), QStringList{"SheetPreview"});
        QCOMPARE(kit.Dialogs.Unanswered, 0);
        QVERIFY(kit.Dialogs.Errors().isEmpty());
        const QByteArray html = FileBytes(path);
        const QRegularExpression line(
            QStringLiteral("<tr data-name=\"seVelocityCorr\"><td class=\"caption\"[^>]*>%1</td>"
                           "<td class=\"value\"[^>]*>%2</td>")
                .arg(QRegularExpression::escape(kit.Editor().Caption("seVelocityCorr")),
                     QRegularExpression::escape(shown)));
        QVERIFY(line.match(QString::fromUtf8(html)).hasMatch());
        // Making the sheet changed nothing in the record.
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&kit.Mk.Record), sizeof kit.Mk.Record),
                 before);

        // Each screen in the sheet is the picture the editor draws in its box on that page.
        const QHash<QString, QImage> pictures = HtmlPictures(html);
        QVERIFY(pictures.size() > 30);
        for (auto it = pictures.begin(); it != pictures.end(); ++it) {
            auto* box = kit.Find<TPreviewBox>(it.key());
            QWidget* page = box->parentWidget();
            while (page && kit.Dialog->Sheet(page->objectName()) != page)
                page = page->parentWidget();
            QVERIFY2(page, qPrintable(it.key()));
            kit.Page(page->objectName());
            kit.Dialog->RefreshAll();
            QVERIFY2(!box->Image().isNull(), qPrintable(it.key()));
            QCOMPARE(it.value().convertToFormat(QImage::Format_RGB32),
                     box->Image().convertToFormat(QImage::Format_RGB32));
        }
    }

    void previewPrintsTheSheetsPages() {
        TEditorDialogKit kit;
        const QString pdf = Dir.filePath("printed.pdf");
        kit.Dialogs.PreviewAnswers << [&pdf](QPrintPreviewDialog& dialog) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            emit dialog.paintRequested(&printer);
        };
        kit.Find<QPushButton>("bSettingsSheet")->click();
        QVERIFY(FileBytes(pdf).startsWith("%PDF-"));
        QProcess text;
        text.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        QVERIFY2(text.waitForFinished(60000) && text.exitCode() == 0,
                 "pdftotext did not run (scripts/setup installs poppler-utils)");
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(printed.contains(QStringLiteral("Настройки МК")));
        QVERIFY(printed.contains(kit.Editor().Caption("seVelocityCorr").simplified()));
    }

    void saveErrorIsShownAndLeavesNothing() {
        TEditorDialogKit kit;
        kit.Dialogs.FileAnswers << Dir.filePath("no/such/folder/sheet.pdf") << QString();
        kit.Dialogs.PreviewAnswers << [](QPrintPreviewDialog& dialog) {
            SaveAction(dialog)->trigger(); // refused
            SaveAction(dialog)->trigger(); // cancelled
        };
        kit.Find<QPushButton>("bSettingsSheet")->click();
        QCOMPARE(kit.Dialogs.Texts("SaveFile").size(), 2);
        QCOMPARE(kit.Dialogs.Errors().size(), 1);
        QVERIFY(kit.Dialogs.Errors()[0].contains("sheet.pdf"));
        QVERIFY(!QFile::exists(Dir.filePath("no")));
    }
};

QTEST_MAIN(TestEditorSheet)
#include "tst_editor_sheet.moc"
