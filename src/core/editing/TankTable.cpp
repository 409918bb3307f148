#include "editing/TankTable.h"

#include "base/MKError.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"

namespace TankTable {

namespace {

const QString TankPage = QStringLiteral("tsOil");

TFieldRef Litres(int point) {
    static const TFieldRef field = RecordField(u"TarirLitres");
    return field.At(point);
}

TFieldRef Units(int point) {
    static const TFieldRef field = RecordField(u"TarirUnits");
    return field.At(point);
}

} // namespace

int Points(const TMK& mk) {
    static const TFieldRef field = RecordField(u"TarirLeng");
    const int64_t points = ReadField(mk, field);
    return points > MaxTarirPoints ? 0 : int(points);
}

int DataRows(const TMK& mk) {
    return std::max(1, Points(mk));
}

QList<TCells> Cells(const TMK& mk) {
    QList<TCells> cells;
    const int points = Points(mk);
    cells.reserve(points);
    for (int i = 0; i < points; ++i)
        cells.append(
            {QString::number(ReadField(mk, Litres(i))), QString::number(ReadField(mk, Units(i)))});
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
            StoreField(mk, Litres(i), CellNumber(cell.Litres));
            StoreField(mk, Units(i), CellNumber(cell.Units));
        }
    } catch (...) {
        editor.NotifyRecordChanged();
        throw;
    }
    const bool high = ReadField(mk, Units(0)) > StartHighUnits;
    StoreField(mk, RecordField(u"TarirStartHigh"), high ? 1 : 0);
    editor.TarirEdited = false;
    LoadPage(editor);
}

void LoadPage(TSettingsEditor& editor) {
    for (const TControlRow& row : editor.Rows())
        if (row.Page == TankPage)
            editor.Reload(row);
    editor.NotifyRecordChanged();
}

} // namespace TankTable
