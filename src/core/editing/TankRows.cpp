// Page "Бак": the 2-point and 7-point lines, the tared table's count, flag and slope. The
// table itself and the tank file are in TankTable and TankFile.

#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"
#include "editing/TankTable.h"

#include <algorithm>

namespace {

const QString Page = QStringLiteral("tsOil");
const QString TwoPoints = QStringLiteral("Линейный по 2 точкам");
const QString SevenPoints = QStringLiteral("Линейный по 7 точкам");
const QString Tared = QStringLiteral("Тарированный");
constexpr int UnitsMax = 2000;
constexpr int SevenPointsMax = 7;

TRange LitresRange(const TSettingsEditor& e) {
    const int64_t full = ReadField(e.Mk, RecordField(u"TankContFull"));
    return {0, double(std::max<int64_t>(0, full))};
}

TControlRow Litres(const QString& name, const QString& caption, const QString& group) {
    TControlRow row = Placed(Spin(name, caption, 0, 0), Page, group);
    row.RangeRule = LitresRange;
    return row;
}

// One element of a 7-point array: rows 1 … n show while "Кол-во точек" shows n, stored or not.
TControlRow Element(TControlRow row, const QString& field, int index) {
    Bind::Element(row, field, index);
    return Shows(row, [index](const TSettingsEditor& e) {
        return index < e.Shown(QStringLiteral("seOilCalibrQuant")).toInt();
    });
}

} // namespace

std::vector<TControlRow> TankRows() {
    std::vector<TControlRow> rows;
    const QString litres = QStringLiteral(", литры");
    const QString units = QStringLiteral(", у.е.");
    // Tables of points: a line a point, its number, litres and units under the headings.
    const QStringList headings = {QStringLiteral("#"), QStringLiteral("литры"),
                                  QStringLiteral("у.е.")};
    const auto unitsCell = [](TControlRow row) { return Beside(Unlabelled(row)); };
    rows.push_back(
        Headed(LineLabel(Litres(QStringLiteral("seLit6L"), QStringLiteral("1") + litres, TwoPoints),
                         QStringLiteral("1")),
               headings));
    rows.push_back(
        unitsCell(Placed(Spin(QStringLiteral("seOil6L"), QStringLiteral("1") + units, 0, UnitsMax),
                         Page, TwoPoints)));
    rows.push_back(
        LineLabel(Litres(QStringLiteral("seLit43L"), QStringLiteral("2") + litres, TwoPoints),
                  QStringLiteral("2")));
    rows.push_back(
        unitsCell(Placed(Spin(QStringLiteral("seOil43L"), QStringLiteral("2") + units, 0, UnitsMax),
                         Page, TwoPoints)));

    rows.push_back(Placed(
        Spin(QStringLiteral("seOilCalibrQuant"), QStringLiteral("Кол-во точек"), 0, SevenPointsMax),
        Page, SevenPoints));
    for (int i = 0; i < SevenPointsMax; ++i) {
        const QString n = QString::number(i);
        const QString point = QString::number(i + 1);
        TControlRow lit = Element(
            LineLabel(Litres(QStringLiteral("seOilCalibrLitArr") + n, point + litres, SevenPoints),
                      point),
            QStringLiteral("OilCalibrLitArr"), i);
        rows.push_back(i == 0 ? Headed(lit, headings) : lit);
        rows.push_back(unitsCell(Element(
            Placed(Spin(QStringLiteral("seOilCalibrResArr") + n, point + units, 0, UnitsMax), Page,
                   SevenPoints),
            QStringLiteral("OilCalibrResArr"), i)));
    }

    // A change stores at once (typing too); the grid follows the stored count.
    TControlRow leng = Placed(Spin(QStringLiteral("seTarirLeng"),
                                   QStringLiteral("Количество точек тарировки"), 0, MaxTarirPoints),
                              Page, Tared);
    leng.When = TStoreWhen::Change;
    // The page load puts a count beyond the table back to 0 in the record.
    Bind::CountUpTo(leng, MaxTarirPoints);
    // The page loads again: the grid and every control follow the new count.
    leng.After = [](TSettingsEditor& e) { TankTable::LoadPage(e); };
    rows.push_back(leng);
    rows.push_back(
        Placed(Check(QStringLiteral("cbTarirFlagFinish"), QStringLiteral("Тарировка проведена")),
               Page, Tared));

    // Shown for reference only: never stored.
    TControlRow incline =
        Placed(InLine(Radio(
                   QStringLiteral("rgTarirIncline"), QStringLiteral("Наклон ДУТ (справочно)"),
                   {QStringLiteral("Обратный"), QStringLiteral("Прямой"), QStringLiteral("Авто")})),
               Page, Tared);
    Bind::BitsItem(incline, QStringLiteral("TarirIncline"), 0, 0, -1);
    rows.push_back(ReadOnly(incline));
    return rows;
}
