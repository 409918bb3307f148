#include "sheet/SheetPdf.h"

#include "sheet/SettingsSheet.h"
#include "sheet/SheetHtml.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

namespace SheetPdf {

namespace {

// The document is laid out on A4 pages in its own units (1/96 inch) with 2 cm margins, which
// leave two screens of this width side by side. Laid out once, it is drawn page by page.
constexpr int PrintedPictureWidth = 300;
constexpr double UnitsPerInch = 96;
constexpr double Margin = 2 / 2.54 * UnitsPerInch;

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
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setMargin(Margin);
    doc.rootFrame()->setFrameFormat(root);
    doc.setPageSize(QPageSize(QPageSize::A4).size(QPageSize::Inch) * UnitsPerInch);
    return document;
}

void Print(const QTextDocument& document, QPagedPaintDevice& device) {
    QPainter painter(&device);
    // The screens' pixels stay sharp: no lossy compression of the pictures.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QSizeF page = document.pageSize();
    painter.scale(device.width() / page.width(), device.width() / page.width());
    // Sized in the document's units: a point size would follow the device's resolution.
    QFont numberFont = document.defaultFont();
    numberFont.setPixelSize(12);
    QAbstractTextDocumentLayout::PaintContext context;
    for (int p = 0; p < document.pageCount(); ++p) {
        if (p > 0)
            device.newPage();
        const QRectF view(0, p * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        context.clip = view;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(numberFont);
        painter.drawText(QRectF(0, page.height() - Margin, page.width() - Margin, Margin / 2),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(p + 1));
    }
}

void Print(const TSettingsSheet& sheet, QPagedPaintDevice& device) {
    Print(*Document(sheet), device);
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
