#pragma once

// The one vocabulary the binding tables are written in: where a row stands, when it shows,
// its scale and how its items lie. Each takes a row and returns it changed, so a table
// reads Placed(Shows(Tenths(Spin(...)), Only(...)), page, group).

#include "catalog/DeviceFlags.h"
#include "editing/Conversions.h"

// Page (object name), group box caption (empty: on the page itself) and the page column.
TControlRow Placed(TControlRow row, const QString& page, const QString& group = {}, int column = 0);
// On the line of the row before it in its group.
TControlRow Beside(TControlRow row);
// Column headings over the row's line, a cell each: a label, a control.
TControlRow Headed(TControlRow row, const QStringList& headings);
// Shows no label of its own: its caption stands elsewhere on its line.
TControlRow Unlabelled(TControlRow row);
// Its label shows this text (a table line's number) rather than its caption.
TControlRow LineLabel(TControlRow row, const QString& text);

// Visibility: the rule itself, or a capability flag set or clear.
TControlRow Shows(TControlRow row, TEditorRule visible);
TEditorRule Only(bool TDeviceFlags::*flag);
TEditorRule Unless(bool TDeviceFlags::*flag);
// Shown, never edited.
TControlRow ReadOnly(TControlRow row);

// Scales: shown = stored / 10, × 2, × 5, × 10; the percent factor (1.05 shows 5.0).
TControlRow Tenths(TControlRow row);
TControlRow Halves(TControlRow row);
TControlRow Fives(TControlRow row);
TControlRow Tens(TControlRow row);
TControlRow Percent(TControlRow row);

// Radio items side by side in one line, or in `columns` columns.
TControlRow InLine(TControlRow row);
TControlRow ItemColumns(TControlRow row, int columns);
// Stored when the control is left, whatever its kind stores on by default.
TControlRow OnLeave(TControlRow row);
