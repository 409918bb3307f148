#pragma once

// The settings sheet on paper: a text document laid out on A4 pages with the pictures as
// its resources, printed by Qt's own PDF writer or onto a printer. The text stays text, so
// a PDF reader finds it.

#include <QByteArray>
#include <memory>

class QPagedPaintDevice;
class QTextDocument;
struct TSettingsSheet;

namespace SheetPdf {

// The sheet laid out on A4 pages.
std::unique_ptr<QTextDocument> Document(const TSettingsSheet& sheet);
// Prints the sheet onto a paged device (a PDF writer, a printer, a print preview), each page
// numbered, scaled to the device's width.
void Print(const QTextDocument& document, QPagedPaintDevice& device);
void Print(const TSettingsSheet& sheet, QPagedPaintDevice& device);
// The PDF file's bytes.
QByteArray Pdf(const TSettingsSheet& sheet);

} // namespace SheetPdf
