#include "editing/RowBuilders.h"

#include "editing/SettingsEditor.h"

TControlRow Placed(TControlRow row, const QString& page, const QString& group, int column) {
    row.Page = page;
    row.Group = group;
    row.Column = column;
    return row;
}

TControlRow Beside(TControlRow row) {
    row.Beside = true;
    return row;
}

TControlRow Headed(TControlRow row, const QStringList& headings) {
    row.Headings = headings;
    return row;
}

TControlRow Unlabelled(TControlRow row) {
    row.Unlabelled = true;
    return row;
}

TControlRow LineLabel(TControlRow row, const QString& text) {
    row.LineLabel = text;
    return row;
}

TControlRow Shows(TControlRow row, TEditorRule visible) {
    row.VisibleRule = std::move(visible);
    return row;
}

TEditorRule Only(bool TDeviceFlags::*flag) {
    return [flag](const TSettingsEditor& e) { return e.Flags().*flag; };
}

TEditorRule Unless(bool TDeviceFlags::*flag) {
    return [flag](const TSettingsEditor& e) { return !(e.Flags().*flag); };
}

TControlRow ReadOnly(TControlRow row) {
    row.Store = nullptr;
    row.EnabledRule = [](const TSettingsEditor&) { return false; };
    return row;
}

TControlRow Tenths(TControlRow row) {
    Bind::Scaled(row, 1, 10);
    return row;
}

TControlRow Halves(TControlRow row) {
    Bind::Scaled(row, 2, 1);
    return row;
}

TControlRow Fives(TControlRow row) {
    Bind::Scaled(row, 5, 1);
    return row;
}

TControlRow Tens(TControlRow row) {
    Bind::Scaled(row, 10, 1);
    return row;
}

TControlRow Percent(TControlRow row) {
    Bind::PercentFactor(row);
    return row;
}

TControlRow InLine(TControlRow row) {
    row.Columns = 0;
    return row;
}

TControlRow ItemColumns(TControlRow row, int columns) {
    row.Columns = columns;
    return row;
}

TControlRow OnLeave(TControlRow row) {
    row.When = TStoreWhen::FocusOut;
    return row;
}
