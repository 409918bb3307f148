#pragma once

// The colour tables as the colour pages edit them: the palette, the palette index of every
// screen element, the active scheme with its two nibbles, and the sample screens the
// pages preview the tables with.

#include "model/DeviceModel.h"

#include <QColor>
#include <QString>

class TSettingsEditor;

// The five colour grids of the colour pages.
enum class TColorGrid { Palette, Digit, Menu, Graph, Arrow };

// The sample screens next to the grids.
enum class TColorSample { One, Seven, Four, Nine, Menu, Graph, DialsLeft, DialsRight };

namespace ColorSchemes {

constexpr int PaletteSize = 16;
constexpr int ComponentMax = 31;   // 5-bit components as edited
constexpr int EditedIndexMax = 15; // element indices as edited
constexpr int ReadIndexMax = 127;  // element indices accepted from the record
constexpr int UserScheme = 4;

// The bound radio group of the active scheme.
inline const QString SchemeControl = QStringLiteral("rgActiveColorScheme");

int RowCount(TColorGrid grid);
// The fixed first column: "Цвет #3" on the palette, the element's name elsewhere.
QString RowCaption(TColorGrid grid, int row);
// Byte offset inside a colour table of an element grid's row (the arrow grid's rows are
// not in offset order). TRangeError for the palette or a row outside the grid.
int ElementOffset(TColorGrid grid, int row);

// Which of the two tables the pages edit and preview: SchemeIsUser of the preview.
int SchemeIsUser(const TMK& mk);
void SetSchemeIsUser(TMK& mk, bool user);
TColorTable& EditedTable(TMK& mk);
const TColorTable& EditedTable(const TMK& mk);

// Palette entries of the edited table as three 5-bit components (green drops its low bit)
// and back (green's low bit repeated into bit 5). TRangeError outside 0..31 or 0..15.
TRgb5 PaletteEntry(const TMK& mk, int row);
void StorePaletteEntry(TMK& mk, int row, const TRgb5& rgb);

// A palette row chosen: its components become the ones the spin edits show. Guarded (a
// click, a redraw) nothing is stored; unguarded (the bulk load) the entry is packed again
// when a shown component changes, so its bit 5 comes to equal its bit 6.
void ChoosePaletteRow(TSettingsEditor& editor, int row, bool guarded);
// The user changed the shown components: they are packed into the chosen row of the edited
// table (nothing while RefreshInProgress or before a row is chosen). TRangeError outside 0..31.
void EditPalette(TSettingsEditor& editor, const TRgb5& shown);

// An element's palette index in the edited table; TRangeError above 127.
int ElementIndex(const TMK& mk, TColorGrid grid, int row);
// Stores an index 0..15 (TRangeError otherwise, the table unchanged).
void StoreElementIndex(TMK& mk, TColorGrid grid, int row, int index);
// The colour a grid's second column shows: the palette entry itself, or the entry an
// element points to (through the low four bits, as the screens draw it).
QColor CellColor(const TMK& mk, TColorGrid grid, int row);

// ColorScheme: low nibble the active scheme 1..4, high nibble the factory scheme
// ColorTable0 holds (0: not yet recorded).
int ActiveScheme(const TMK& mk);
// The radio item of the active scheme, -1 for an invalid nibble.
int SchemeItem(const TMK& mk);
// A selection of item 0..3 of "Цветовая схема", by the user or by the program. A change
// of factory scheme asks first when the group has the focus; on No the selection goes
// back to the active scheme and nothing is stored. TRangeError for another item.
void SelectScheme(TSettingsEditor& editor, int item);
// The scheme group's conversions: the item of the active scheme (an invalid nibble leaves
// the selection as it is), and a selection made.
QVariant LoadScheme(const TSettingsEditor& editor);
void StoreScheme(TSettingsEditor& editor, const QVariant& shown);
// "Скопировать в польз.": the factory table in use becomes the user table.
void CopyToUser(TMK& mk);
// "Все в исх.состояние": asks, then factory scheme 1 and the factory user scheme, scheme 1
// active, and every control reloaded. False when the user said No.
bool ResetSchemes(TSettingsEditor& editor);

// Draws a sample screen with the fixed sample parameters on the preview surface.
void DrawSample(TMK& mk, TColorSample sample);

} // namespace ColorSchemes
