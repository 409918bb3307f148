#include "editing/TankTable.h"

#include "base/MKError.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"

namespace TankTable {

namespace {

const QString TankPage = QStringLiteral("tsOil");

} // namespace

int Points(const TMK& mk) {
    const int64_t points = ReadField(mk, RecordField(u"TarirLeng"));
    return points > MaxTarirPoints ? 0 : int(points);
}

int DataRows(const TMK& mk) {
    return std::max(1, Points(mk));
}

QList<TCells> Cells(const TMK& mk) {
    QList<TCells> cells;
    for (int i = 0; i < Points(mk); ++i)
        cells.append({QString::number(ReadField(mk, RecordField(u"TarirLitres", i))),
                      QString::number(ReadField(mk, RecordField(u"TarirUnits", i)))});
    return cells;
}

int64_t CellNumber(const QString& text) {
    int64_t value = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            continue;
        if (value > 100'000'000'000LL)
            throw TRangeError();
        value = value * 10 + c.digitValue();
    }
    return value;
}

void Store(TSettingsEditor& editor, const QList<TCells>& cells) {
    if (!editor.TarirEdited)
        return;
    TMK& mk = editor.Mk;
    const int points = Points(mk);
    try {
        for (int i = 0; i < points; ++i) {
            const TCells cell = cells.value(i);
            StoreField(mk, RecordField(u"TarirLitres", i), CellNumber(cell.Litres));
            StoreField(mk, RecordField(u"TarirUnits", i), CellNumber(cell.Units));
        }
    } catch (...) {
        editor.NotifyRecordChanged();
        throw;
    }
    const bool high = ReadField(mk, RecordField(u"TarirUnits", 0)) > StartHighUnits;
    StoreField(mk, RecordField(u"TarirStartHigh"), high ? 1 : 0);
    editor.TarirEdited = false;
    LoadPage(editor);
}

void LoadPage(TSettingsEditor& editor) {
    for (const TControlRow& row : editor.Rows())
        if (row.Page == TankPage)
            editor.Reload(row.Name);
    editor.NotifyRecordChanged();
}

} // namespace TankTable
