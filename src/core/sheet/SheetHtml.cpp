#include "sheet/SheetHtml.h"

#include "model/Preview.h"
#include "sheet/SettingsSheet.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QRegularExpression>
#include <algorithm>

namespace SheetHtml {

namespace {

// A4 with 15 mm margins leaves 180 mm: two 320-pixel screens side by side fit at 96 dpi.
// Cells are aligned to the top by their valign: a text document would apply a CSS
// vertical-align to the pictures inside them too.
const char* const Style = R"(
@page { size: A4; margin: 15mm; }
body { font-family: "DejaVu Sans", sans-serif; font-size: 9pt; color: #000; max-width: 180mm; }
h1 { font-size: 15pt; margin: 0 0 4pt 0; }
h2 { font-size: 12pt; margin: 12pt 0 3pt 0; border-bottom: 1px solid #444; }
h3 { font-size: 10pt; margin: 8pt 0 3pt 0; }
table { border-collapse: collapse; width: 100%; max-width: 100%; }
td, th { padding: 1px 4px; text-align: left; border-bottom: 1px solid #ccc;
         overflow-wrap: anywhere; }
th.group { font-weight: bold; background-color: #eee; }
td.caption { width: 55%; }
td.value { width: 30%; font-weight: bold; }
td.off { width: 15%; color: #777; font-size: 8pt; }
tr.off td { color: #777; }
table.pictures { margin-top: 4pt; page-break-inside: avoid; break-inside: avoid; }
table.pictures td { border: none; padding: 0 4px 0 0; }
table.pictures td.caption { font-weight: bold; padding-top: 4pt; }
table.pictures td.note { font-size: 8pt; }
table.pictures img { max-width: 100%; height: auto; }
p.caption { font-weight: bold; margin: 4pt 0 2pt 0; }
table.data { width: auto; margin-bottom: 6pt; }
td.swatch { width: 24pt; }
)";

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// "#rrggbb" cells of a data table are colour swatches.
bool IsSwatch(const QString& cell) {
    static const QRegularExpression colour(QStringLiteral("^#[0-9a-f]{6}$"));
    return colour.match(cell).hasMatch();
}

// The pictures as PNG data: URIs, at a low compression level: fast, and the pictures, kept
// with a colour table, still come out small. A picture the sheet shows again (screens set
// alike) is encoded once.
class TDataUris {
public:
    QString Of(const QImage& image) {
        const std::size_t key = qHashBits(image.constBits(), std::size_t(image.sizeInBytes()));
        const auto known = Encoded.constFind(key);
        if (known != Encoded.cend() && known->first == image)
            return known->second;
        QString uri = Encode(image);
        Encoded.insert(key, {image, uri});
        return uri;
    }

private:
    // The quality that makes the PNG writer compress at level 1 of 9.
    static constexpr int PngQuality = 80;

    static QString Encode(const QImage& image) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(PngQuality);
        writer.write(image);
        return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    }

    QHash<std::size_t, std::pair<QImage, QString>> Encoded;
};

void AddHeader(const TSettingsSheet& sheet, QString& out) {
    out += QStringLiteral("<h1>%1</h1>\n<table class=\"head\">\n").arg(Escaped(sheet.Title));
    for (const auto& [caption, value] : sheet.Header)
        out += QStringLiteral("<tr><td class=\"caption\">%1</td><td class=\"value\">%2</td></tr>\n")
                   .arg(Escaped(caption), Escaped(value));
    out += QStringLiteral("</table>\n");
}

void AddLines(const TSheetPage& page, QString& out) {
    if (page.Lines.empty())
        return;
    out += QStringLiteral("<table class=\"lines\" width=\"100%\">\n");
    QString group;
    for (const TSheetLine& line : page.Lines) {
        if (line.Group != group && !line.Group.isEmpty())
            out += QStringLiteral("<tr><th class=\"group\" colspan=\"3\">%1</th></tr>\n")
                       .arg(Escaped(line.Group));
        group = line.Group;
        out +=
            QStringLiteral(
                "<tr data-name=\"%1\"%2><td class=\"caption\" width=\"50%\" valign=\"top\">%3</td>"
                "<td class=\"value\" width=\"35%\">%4</td>"
                "<td class=\"off\" width=\"15%\">%5</td></tr>\n")
                .arg(Escaped(line.Name),
                     line.Enabled ? QString() : QStringLiteral(" class=\"off\""),
                     Escaped(line.Caption), Escaped(line.Value),
                     line.Enabled ? QString() : QStringLiteral("недоступно"));
    }
    out += QStringLiteral("</table>\n");
}

// Each row of two pictures is a table of its own, the captions above the pictures and their
// notes below, whose rows all head the table: a text document moves such a table whole to the
// next page rather than split it (a browser keeps it whole by its style).
void AddPictureRow(const std::vector<const TSheetPicture*>& row, const QStringList& sources,
                   int width, QString& out) {
    out += QStringLiteral("<table class=\"pictures\" width=\"100%\"><thead>\n<tr>");
    for (const TSheetPicture* picture : row)
        out += QStringLiteral("<td class=\"caption\" data-picture=\"%1\" width=\"50%\">%2</td>")
                   .arg(Escaped(picture->Name), Escaped(picture->Caption));
    out += QStringLiteral("</tr>\n<tr>");
    for (std::size_t i = 0; i < row.size(); ++i)
        out +=
            QStringLiteral("<td data-picture=\"%1\"><img src=\"%2\" width=\"%3\" "
                           "height=\"%4\" alt=\"%5\"></td>")
                .arg(Escaped(row[i]->Name), Escaped(sources[qsizetype(i)]), QString::number(width),
                     QString::number(row[i]->Image.height() * width /
                                     std::max(1, row[i]->Image.width())),
                     Escaped(row[i]->Caption));
    out += QStringLiteral("</tr>\n");
    qsizetype notes = 0;
    for (const TSheetPicture* picture : row)
        notes = std::max(notes, picture->Notes.size());
    for (qsizetype n = 0; n < notes; ++n) {
        out += QStringLiteral("<tr>");
        for (const TSheetPicture* picture : row)
            out +=
                QStringLiteral("<td class=\"note\">%1</td>").arg(Escaped(picture->Notes.value(n)));
        out += QStringLiteral("</tr>\n");
    }
    out += QStringLiteral("</thead></table>\n");
}

void AddPictures(const TSheetPage& page, const TImageSource& source, int width, int& index,
                 QString& out) {
    for (std::size_t i = 0; i < page.Pictures.size(); i += 2) {
        std::vector<const TSheetPicture*> row;
        QStringList sources;
        for (std::size_t j = i; j < std::min(i + 2, page.Pictures.size()); ++j) {
            row.push_back(&page.Pictures[j]);
            sources << source(page.Pictures[j], index++);
        }
        AddPictureRow(row, sources, width, out);
    }
}

void AddTables(const TSheetPage& page, QString& out) {
    for (const TSheetTable& table : page.Tables) {
        out += QStringLiteral("<p class=\"caption\">%1</p>\n<table class=\"data\">\n<tr>")
                   .arg(Escaped(table.Caption));
        for (const QString& heading : table.Headings)
            out += QStringLiteral("<th>%1</th>").arg(Escaped(heading));
        out += QStringLiteral("</tr>\n");
        if (table.Rows.isEmpty())
            out += QStringLiteral("<tr><td colspan=\"%1\">нет</td></tr>\n")
                       .arg(std::max<qsizetype>(1, table.Headings.size()));
        for (const QStringList& row : table.Rows) {
            out += QStringLiteral("<tr>");
            for (const QString& cell : row)
                out += IsSwatch(cell) ? QStringLiteral("<td class=\"swatch\" bgcolor=\"%1\" "
                                                       "style=\"background-color: %1\">&nbsp;</td>")
                                            .arg(cell)
                                      : QStringLiteral("<td>%1</td>").arg(Escaped(cell));
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</table>\n");
    }
}

} // namespace

QString Html(const TSettingsSheet& sheet) {
    TDataUris uris;
    return Html(
        sheet, [&uris](const TSheetPicture& picture, int) { return uris.Of(picture.Image); },
        TMKPreview::ScreenWidth);
}

QString Html(const TSettingsSheet& sheet, const TImageSource& source, int pictureWidth) {
    QString out;
    out.reserve(256 * 1024);
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>%1</title>\n<style>%2</style>\n</head>\n<body>\n")
               .arg(Escaped(sheet.Title), QString::fromLatin1(Style));
    AddHeader(sheet, out);
    int index = 0;
    for (const TSheetPage& page : sheet.Pages) {
        out += QStringLiteral("<h%1 data-page=\"%2\">%3</h%1>\n")
                   .arg(page.Depth == 0 ? 2 : 3)
                   .arg(Escaped(page.Name), Escaped(page.Caption));
        AddLines(page, out);
        AddPictures(page, source, pictureWidth, index, out);
        AddTables(page, out);
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out;
}

} // namespace SheetHtml
