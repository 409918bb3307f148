#pragma once

// The settings sheet: what the editor shows of a record, page by page, as a document to
// print, keep and share. Built from an open editor's model (its shown values, item texts,
// visibility and captions) with the configured MK screens drawn by the editor's preview
// code; written as HTML or PDF by SheetHtml and SheetPdf.

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <vector>

class TSettingsEditor;

// One visible control: its object name, caption and value as the editor shows them.
struct TSheetLine {
    QString Name;
    QString Group; // the group box around it; empty on the page itself
    QString Caption;
    QString Value;
    bool Enabled = true;
};

// A picture of the page (an MK screen, a colour sample) with the lines that explain it
// (which parameter each part of the screen shows).
struct TSheetPicture {
    QString Name; // the preview box it stands for in the editor (pbDigit4_1, pbMenu)
    QString Caption;
    QImage Image;
    QStringList Notes;
};

// A table of page data (the palette, a hot menu, the tank table). A cell that starts with
// '#' followed by six hex digits is a colour swatch.
struct TSheetTable {
    QString Caption;
    QStringList Headings;
    QList<QStringList> Rows;
};

struct TSheetPage {
    QString Name;    // the page's object name
    QString Caption; // the tab captions from the main page down, joined by " › "
    int Depth = 0;   // 0 for a main page
    std::vector<TSheetLine> Lines;
    std::vector<TSheetPicture> Pictures;
    std::vector<TSheetTable> Tables;
};

struct TSettingsSheet {
    QString Title;
    QList<QPair<QString, QString>> Header; // caption, value
    std::vector<TSheetPage> Pages;
};

namespace SettingsSheet {

// The sheet of the record as the editor shows it now, with where its settings came from as
// the model's origin names it. Draws the previews on the model's preview surface and puts
// back what was on it. `made` is the date printed in the header.
TSettingsSheet Build(TSettingsEditor& editor, const QDateTime& made = QDateTime::currentDateTime());

} // namespace SettingsSheet
