#pragma once

// The tank page beyond its bound controls: the tared table (grid sgTarir) and the page
// load that follows a table store, a point count change or a tank file.

#include <QList>
#include <QString>
#include <cstdint>

class TMK;
class TSettingsEditor;

namespace TankTable {

// Edit masks of the two number columns.
inline const QString LitresMask = QStringLiteral("!999;0");
inline const QString UnitsMask = QStringLiteral("!9999;0");
// The units above which the first point counts as a high start.
constexpr int StartHighUnits = 240;

struct TCells {
    QString Litres;
    QString Units;
    bool operator==(const TCells&) const = default;
};

// The points in use: TarirLeng of them (0 while it is above the table's size).
int Points(const TMK& mk);
// The grid's data rows: one per point, at least one (an empty row 1 with no points).
int DataRows(const TMK& mk);
// The cells of points 1 … Points() as the grid shows them.
QList<TCells> Cells(const TMK& mk);
// A cell's digits read as one decimal number; 0 when it has none.
int64_t CellNumber(const QString& text);

// The grid lost the focus: when it was typed into, stores the cells of every point in
// use (litres, then units, point by point; a value that does not fit stops there with the
// range error, the points before it stored), sets TarirStartHigh from point 1, clears
// TarirEdited and loads the page again.
void Store(TSettingsEditor& editor, const QList<TCells>& cells);

// The page load: every control of "Бак" from the record (TarirLeng above the table's size
// becomes 0 in the record on the way).
void LoadPage(TSettingsEditor& editor);

} // namespace TankTable
