#pragma once

// The settings sheet on paper: a text document laid out for A4 pages with the pictures as
// its resources, printed by Qt's own PDF writer or onto a printer. The text stays text, so
// a PDF reader finds it.

#include <QByteArray>
#include <memory>

class QPagedPaintDevice;
class QTextDocument;
struct TSettingsSheet;

namespace SheetPdf {

std::unique_ptr<QTextDocument> Document(const TSettingsSheet& sheet);
// Prints the sheet onto a paged device: a PDF writer, a printer, a print preview.
void Print(const TSettingsSheet& sheet, QPagedPaintDevice& device);
// The PDF file's bytes.
QByteArray Pdf(const TSettingsSheet& sheet);

} // namespace SheetPdf
