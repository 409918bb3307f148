#include "sheet/SheetPdf.h"

#include "sheet/SettingsSheet.h"
#include "sheet/SheetHtml.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace SheetPdf {

namespace {

// The text document prints inside margins of its own (2 cm), which leave two screens of
// this width side by side on A4.
constexpr int PrintedPictureWidth = 300;

QUrl PictureUrl(int index) {
    return QUrl(QStringLiteral("sheet:picture%1").arg(index));
}

} // namespace

std::unique_ptr<QTextDocument> Document(const TSettingsSheet& sheet) {
    auto document = std::make_unique<QTextDocument>();
    QTextDocument& doc = *document;
    const QString html = SheetHtml::Html(
        sheet,
        [&doc](const TSheetPicture& picture, int index) {
            doc.addResource(QTextDocument::ImageResource, PictureUrl(index), picture.Image);
            return PictureUrl(index).toString();
        },
        PrintedPictureWidth);
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    doc.setHtml(html);
    return document;
}

void Print(const TSettingsSheet& sheet, QPagedPaintDevice& device) {
    Document(sheet)->print(&device);
}

QByteArray Pdf(const TSettingsSheet& sheet) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(300);
        writer.setTitle(sheet.Title);
        writer.setCreator(QStringLiteral("Params32"));
        Print(sheet, writer);
    }
    return bytes;
}

} // namespace SheetPdf
