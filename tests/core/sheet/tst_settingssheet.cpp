// The settings sheet shows what the editor shows: every visible control once with its caption
// and shown value, no hidden one, the ticked screens as previews, and the same text in the PDF.
#include "SheetKit.h"

#include "base/MKError.h"
#include "editing/PageTree.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenEnable.h"
#include "model/Preview.h"
#include "sheet/SheetFile.h"
#include "sheet/SheetHtml.h"
#include "sheet/SheetPdf.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextTable>

namespace {

// What the control shows, from the model's shown value and item texts.
QString ExpectedValue(const TSettingsEditor& editor, const TControlRow& row) {
    const QVariant shown = editor.Shown(row);
    switch (row.Kind) {
    case TControlKind::Spin:
        return QString::number(shown.toDouble(), 'f', row.Decimals);
    case TControlKind::Radio:
    case TControlKind::List:
        return editor.Items(row).value(shown.toInt());
    case TControlKind::Check:
        return shown.toBool() ? QStringLiteral("да") : QStringLiteral("нет");
    case TControlKind::Edit:
        return shown.toString();
    }
    return {};
}

// Its own caption, or the caption of the captioned control before it on its page.
QString ExpectedCaption(const TSettingsEditor& editor, std::size_t at) {
    const std::vector<TControlRow>& rows = editor.Rows();
    for (std::size_t i = at + 1; i-- > 0 && rows[i].Page == rows[at].Page;)
        if (!editor.Caption(rows[i]).isEmpty() || !rows[i].Caption.isEmpty() || rows[i].CaptionRule)
            return editor.Caption(rows[i]);
    return {};
}

const TSheetPage* Page(const TSettingsSheet& sheet, const QString& name) {
    for (const TSheetPage& page : sheet.Pages)
        if (page.Name == name)
            return &page;
    return nullptr;
}

QStringList PictureNames(const TSettingsSheet& sheet) {
    QStringList names;
    for (const TSheetPage& page : sheet.Pages)
        for (const TSheetPicture& picture : page.Pictures)
            names << picture.Name;
    return names;
}

void TickEveryScreen(TSettingsEditor& editor) {
    for (const ScreenEnable::TGroup& group : ScreenEnable::Groups())
        if (group.Key != '1' && group.Key != 'S')
            for (int d = 0; d < group.Count; ++d)
                editor.Put(ScreenEnable::BoxName(group, d), true);
}

// The page of the document's pages `height` high on which the text from `from` to `to`
// stands; -1 when it stands on more than one.
int PageOf(const QTextDocument& document, int from, int to, int height) {
    int page = -2;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QRectF box = document.documentLayout()->blockBoundingRect(block);
        const int top = int(box.top()) / height;
        if (int(box.bottom() - 1) / height != top || (page != -2 && page != top))
            return -1;
        page = top;
    }
    return page;
}

} // namespace

class TestSettingsSheet : public QObject {
    Q_OBJECT

private slots:
    void htmlShowsEveryVisibleControlAsTheEditorShowsIt_data() { SheetDevices(); }

    void htmlShowsEveryVisibleControlAsTheEditorShowsIt() {
        QFETCH(int, version);
        QFETCH(int, variant);
        QFETCH(QString, versionText);
        WithSheet(version, variant, {}, [&](TSettingsEditor& editor, const TSettingsSheet& sheet) {
            const QString html = SheetHtml::Html(sheet);
            const QHash<QString, THtmlLine> lines = HtmlLines(html);
            int visible = 0;
            for (std::size_t i = 0; i < editor.Rows().size(); ++i) {
                const TControlRow& row = editor.Rows()[i];
                const THtmlLine line = lines.value(row.Name);
                if (!editor.Visible(row)) {
                    QVERIFY2(line.Count == 0 && !html.contains("\"" + row.Name + "\""),
                             qPrintable(row.Name));
                    continue;
                }
                ++visible;
                QVERIFY2(line.Count == 1, qPrintable(row.Name));
                QCOMPARE(line.Caption, ExpectedCaption(editor, i));
                QCOMPARE(line.Value, ExpectedValue(editor, row));
                QCOMPARE(line.Mark.isEmpty(), editor.Enabled(row));
            }
            QCOMPARE(lines.size(), visible);
            QVERIFY(visible > 100);

            // The header, and the visible pages in tab order, each once.
            for (const QString& text :
                 {versionText, QString::number(variant), editor.Protocol().ProtName,
                  QStringLiteral("car.rvset"), QStringLiteral("09.12.2026 10:05")})
                QVERIFY2(html.contains(">" + text.toHtmlEscaped() + "</td>"), qPrintable(text));
            qsizetype at = 0;
            for (const TPageInfo& page : PageTree()) {
                const QString heading = QStringLiteral("data-page=\"%1\"").arg(page.Name);
                QCOMPARE(html.count(heading), editor.PageVisible(page.Name) ? 1 : 0);
                if (page.Parent.isEmpty() && editor.PageVisible(page.Name)) {
                    QVERIFY2(html.indexOf(heading) > at, qPrintable(page.Name));
                    at = html.indexOf(heading);
                }
            }
            QVERIFY(!html.contains("tsServiceInfo"));

            // Self-contained: every picture inline, nothing to fetch. Each in a block of its own
            // that a page break does not split: caption, picture, notes.
            QCOMPARE(html.count("<img src=\"data:image/png;base64,"), PictureNames(sheet).size());
            std::size_t rows = 0;
            for (const TSheetPage& page : sheet.Pages)
                rows += (page.Pictures.size() + 1) / 2;
            QCOMPARE(html.count("<table class=\"pictures\" width=\"100%\"><thead>"), rows);
            QCOMPARE(html.count(QRegularExpression("<td data-picture=\"[^\"]+\"><img ")),
                     PictureNames(sheet).size());
            QVERIFY(html.contains("table.pictures { margin-top: 4pt; page-break-inside: avoid;"));
            QVERIFY(!html.contains("http"));
        });
    }

    void sheetShowsTheTickedScreensWithTheirParameters() {
        WithSheet(
            0x0001, 1,
            [](TSettingsEditor& editor) {
                const QList<QPair<char, int>> ticked{{'4', 0}, {'4', 4}, {'9', 1}, {'G', 7}};
                for (const ScreenEnable::TGroup& group : ScreenEnable::Groups())
                    if (group.Key != '1' && group.Key != 'S')
                        for (int d = 0; d < group.Count; ++d)
                            editor.Put(ScreenEnable::BoxName(group, d),
                                       ticked.contains({group.Key, d}));
                editor.Mk.Preview->PreviewSurface.fill(Qt::magenta);
            },
            [](TSettingsEditor& editor, const TSettingsSheet& sheet) {
                // The screens in page order; the colour samples' boxes have no display number.
                const QStringList screens = PictureNames(sheet).filter(QStringLiteral("_"));
                const QStringList expected{
                    ScreenChoice::BoxName(TScreenKind::Four, 0),
                    ScreenChoice::BoxName(TScreenKind::Four, 4),
                    ScreenChoice::BoxName(TScreenKind::Nine, 1),
                    ScreenChoice::BoxName(TScreenKind::Graph, 7),
                };
                QCOMPARE(screens, expected);

                // Display 5 of x4 sits on the second x4 sub-page, with one line per part naming
                // the parameter it shows.
                const TSheetPage* page = Page(sheet, "tsDisp4_2");
                QVERIFY(page);
                QCOMPARE(page->Pictures.size(), std::size_t(1));
                const TSheetPicture& five = page->Pictures[0];
                QCOMPARE(five.Image.size(),
                         QSize(TMKPreview::ScreenWidth, TMKPreview::ScreenHeight));
                QCOMPARE(five.Notes.size(), ScreenChoice::PartCount(TScreenKind::Four));
                ScreenChoice::TPartMenus menus(editor);
                for (int part = 0; part < five.Notes.size(); ++part) {
                    const int id = ScreenChoice::StoredId(editor.Mk, TScreenKind::Four, 4, part);
                    QCOMPARE(five.Notes[part],
                             QStringLiteral("%1. %2").arg(part + 1).arg(
                                 menus.Find(TScreenKind::Four, part, id)->Caption));
                }
                // What the editor had on its preview surface is left there.
                QCOMPARE(editor.Mk.Preview->PreviewSurface.pixelColor(5, 5), QColor(Qt::magenta));
            });
    }

    // Whatever the height of the pages, no row of pictures is split across two, and each
    // picture stays with its caption and its notes.
    void picturesStayWholeOnAPage() {
        WithSheet(0x0001, 1, TickEveryScreen, [](TSettingsEditor&, const TSettingsSheet& sheet) {
            const std::unique_ptr<QTextDocument> document = SheetPdf::Document(sheet);
            for (int height = 600; height <= 1300; height += 35) {
                document->setPageSize(QSizeF(640, height));
                int rows = 0;
                for (QTextFrame* frame : document->rootFrame()->childFrames()) {
                    const auto* table = qobject_cast<QTextTable*>(frame);
                    if (!table || table->format().headerRowCount() != table->rows())
                        continue; // not a row of pictures
                    ++rows;
                    QVERIFY2(
                        PageOf(*document, table->firstPosition(), table->lastPosition(), height) >=
                            0,
                        qPrintable(QStringLiteral("row %1 of %2 px pages").arg(rows).arg(height)));
                }
                QVERIFY(rows > 15);
            }
        });
    }

    void pageDataTablesFollowTheRecord() {
        WithSheet(
            0x0001, 1, [](TSettingsEditor& editor) { editor.Put("seTarirLeng", 2.0); },
            [](TSettingsEditor&, const TSettingsSheet& sheet) {
                const TSheetPage* tank = Page(sheet, "tsOil");
                QVERIFY(tank);
                QCOMPARE(tank->Tables.size(), std::size_t(1));
                QCOMPARE(tank->Tables[0].Rows.size(), 2);
                const TSheetPage* hot = Page(sheet, "tsHotMenu");
                QVERIFY(hot);
                QCOMPARE(int(hot->Tables.size()), 4);
                for (const TSheetTable& table : hot->Tables)
                    for (const QStringList& row : table.Rows)
                        QVERIFY2(!row.value(1).isEmpty() && !row.value(1).startsWith("пункт"),
                                 qPrintable(row.join('|')));
                const TSheetPage* palette = Page(sheet, "tsColors");
                QVERIFY(palette);
                QCOMPARE(palette->Tables.at(0).Rows.size(), 16);
                QVERIFY(palette->Tables.at(0).Rows.at(0).at(2).startsWith('#'));
            });
    }

    void htmlEscapesWhatTheUserTyped() {
        const QString typed = QStringLiteral("<b>&\"x");
        WithSheet(
            0x0001, 1, [&](TSettingsEditor& editor) { editor.Put("eCandleCntK", typed); },
            [&](TSettingsEditor&, const TSettingsSheet& sheet) {
                const QString html = SheetHtml::Html(sheet);
                QVERIFY(!html.contains(typed));
                const QHash<QString, THtmlLine> lines = HtmlLines(html);
                QCOMPARE(lines.value("eCandleCntK").Value, typed);
                QCOMPARE(lines.value("seCandleCntK").Caption, typed);
            });
    }

    void pdfHoldsTheCaptionsAsText() {
        QTemporaryDir dir;
        WithSheet(0x0A01, 10, {}, [&](TSettingsEditor& editor, const TSettingsSheet& sheet) {
            const QString path = dir.filePath("sheet.pdf");
            SheetFile::Write(sheet, path);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");
            const QString text = PdfText(path);
            const auto bare = [](QString s) { return s.remove(QRegularExpression("\\s")); };
            for (const TSheetPage& page : sheet.Pages) {
                QVERIFY2(text.contains(bare(page.Caption)), qPrintable(page.Caption));
                for (const TSheetLine& line : page.Lines)
                    QVERIFY2(text.contains(bare(line.Caption)), qPrintable(line.Caption));
            }
            QVERIFY(text.contains(bare(editor.Protocol().ProtName)));
            QVERIFY(text.contains("0x0A01"));
        });
    }

    void fileFormatFollowsTheExtension() {
        QTemporaryDir dir;
        WithSheet(0x0001, 1, {}, [&](TSettingsEditor&, const TSettingsSheet& sheet) {
            SheetFile::Write(sheet, dir.filePath("a.HTML"));
            QFile html(dir.filePath("a.HTML"));
            QVERIFY(html.open(QIODevice::ReadOnly));
            QVERIFY(html.readAll().startsWith("<!DOCTYPE html>"));
            QVERIFY_THROWS_EXCEPTION(TMKError, SheetFile::Write(sheet, dir.filePath("a.txt")));
            QVERIFY_THROWS_EXCEPTION(TMKError, SheetFile::Write(sheet, dir.filePath("no/a.pdf")));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.HTML"});
        });
    }
};

QTEST_MAIN(TestSettingsSheet)
#include "tst_settingssheet.moc"
