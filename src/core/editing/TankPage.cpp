// Page "Бак": the 2-point and 7-point lines, the tared table's count, flag and slope. The
// table itself and the tank file are in TankTable and TankFile.

#include "editing/Conversions.h"
#include "editing/EditorTables.h"
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

TControlRow Placed(TControlRow row, const QString& group) {
    row.Page = Page;
    row.Group = group;
    return row;
}

TControlRow Litres(const QString& name, const QString& caption, const QString& group) {
    TControlRow row = Placed(Spin(name, caption, 0, 0), group);
    row.RangeRule = LitresRange;
    return row;
}

// One element of a 7-point array.
TControlRow Element(TControlRow row, const QString& field, int index) {
    row.Load = [field, index](const TSettingsEditor& e) {
        return QVariant(double(ReadField(e.Mk, RecordField(field, index))));
    };
    row.Store = [field, index](TSettingsEditor& e, const QVariant& v) {
        StoreField(e.Mk, RecordField(field, index), RoundEven(v.toDouble()));
    };
    // Rows 1 … n show while "Кол-во точек" shows n, stored or not.
    row.VisibleRule = [index](const TSettingsEditor& e) {
        return index < e.Shown(QStringLiteral("seOilCalibrQuant")).toInt();
    };
    return row;
}

} // namespace

std::vector<TControlRow> TankRows() {
    std::vector<TControlRow> rows;
    const QString litres = QStringLiteral(", литры");
    const QString units = QStringLiteral(", у.е.");
    rows.push_back(Litres(QStringLiteral("seLit6L"), QStringLiteral("1") + litres, TwoPoints));
    rows.push_back(Placed(Spin(QStringLiteral("seOil6L"), QStringLiteral("1") + units, 0, UnitsMax),
                          TwoPoints));
    rows.push_back(Litres(QStringLiteral("seLit43L"), QStringLiteral("2") + litres, TwoPoints));
    rows.push_back(Placed(
        Spin(QStringLiteral("seOil43L"), QStringLiteral("2") + units, 0, UnitsMax), TwoPoints));

    rows.push_back(Placed(
        Spin(QStringLiteral("seOilCalibrQuant"), QStringLiteral("Кол-во точек"), 0, SevenPointsMax),
        SevenPoints));
    for (int i = 0; i < SevenPointsMax; ++i) {
        const QString n = QString::number(i);
        const QString point = QString::number(i + 1);
        rows.push_back(
            Element(Litres(QStringLiteral("seOilCalibrLitArr") + n, point + litres, SevenPoints),
                    QStringLiteral("OilCalibrLitArr"), i));
        rows.push_back(Element(
            Placed(Spin(QStringLiteral("seOilCalibrResArr") + n, point + units, 0, UnitsMax),
                   SevenPoints),
            QStringLiteral("OilCalibrResArr"), i));
    }

    // A change stores at once (typing too); the grid follows the stored count.
    TControlRow leng = Placed(Spin(QStringLiteral("seTarirLeng"),
                                   QStringLiteral("Количество точек тарировки"), 0, MaxTarirPoints),
                              Tared);
    leng.When = TStoreWhen::Change;
    // The page load puts a count beyond the table back to 0 in the record.
    leng.Load = [](const TSettingsEditor& e) {
        const TFieldRef field = RecordField(u"TarirLeng");
        if (ReadField(e.Mk, field) > MaxTarirPoints)
            StoreField(e.Mk, field, 0);
        return QVariant(double(ReadField(e.Mk, field)));
    };
    rows.push_back(leng);
    rows.push_back(Placed(
        Check(QStringLiteral("cbTarirFlagFinish"), QStringLiteral("Тарировка проведена")), Tared));

    // Shown for reference only: never stored.
    TControlRow incline = Placed(
        Radio(QStringLiteral("rgTarirIncline"), QStringLiteral("Наклон ДУТ (справочно)"),
              {QStringLiteral("Обратный"), QStringLiteral("Прямой"), QStringLiteral("Авто")}),
        Tared);
    incline.Columns = 0;
    incline.Load = [](const TSettingsEditor& e) {
        const int64_t v = ReadField(e.Mk, RecordField(u"TarirIncline"));
        return QVariant(v >= 0 && v <= 2 ? int(v) : -1);
    };
    incline.Store = nullptr;
    incline.EnabledRule = [](const TSettingsEditor&) { return false; };
    rows.push_back(incline);
    return rows;
}
