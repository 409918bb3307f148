// Pages "ТО" (service reminders, names, dates) and "Средние" (trips, prices, reset periods).

#include "base/Cp1251.h"
#include "catalog/DeviceFlags.h"
#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"

namespace {

const QString ServicePage = QStringLiteral("tsTO");
const QString AveragesPage = QStringLiteral("tsAver");
constexpr int ThousandsMax = 99;
constexpr int NameLength = 15;

bool ShortForm(const TSettingsEditor& e) {
    return e.Flags().ServiceInThousandKm;
}

// A row the short service form hides.
TControlRow FullFormOnly(TControlRow row) {
    row.VisibleRule = [](const TSettingsEditor& e) { return !ShortForm(e); };
    return row;
}

// The "in use" box of a service kind, at the end of its line: one bit of ServiceFlags,
// stored when it is left.
TControlRow InUse(const QString& name, int bit) {
    TControlRow row = Beside(Placed(OnLeave(Check(name, QString())), ServicePage));
    Bind::Bit(row, QStringLiteral("ServiceFlags"), bit);
    return FullFormOnly(row);
}

TControlRow ServiceName(const QString& name, const QString& field) {
    TControlRow row = Placed(Edit(name, QString(), NameLength), ServicePage);
    Bind::Name(row, field);
    return FullFormOnly(row);
}

TControlRow Thousands(const QString& name, const QString& caption) {
    return FullFormOnly(Placed(Spin(name, caption, 0, ThousandsMax), ServicePage));
}

// A user-named service kind is captioned by its name, which its name edit before it on
// the line shows.
TControlRow NamedThousands(const QString& name, const QString& field) {
    TControlRow row = Unlabelled(Beside(Thousands(name, QString())));
    row.CaptionRule = [field](const TSettingsEditor& e) {
        const TFieldRef f = RecordField(field);
        const auto* p = reinterpret_cast<const char*>(e.Mk.BlockBytes(f.Block) + f.Field->Offset);
        return Cp1251::Decode(p, std::size_t(f.Field->Count));
    };
    return row;
}

TControlRow DateRow(const QString& name, const QString& caption) {
    TControlRow row = Placed(Edit(name, caption, 8), ServicePage);
    Bind::Date(row);
    return row;
}

QStringList ResetItems(bool forbidden) {
    QStringList items;
    if (forbidden)
        items << QStringLiteral("Запр.");
    items << QStringLiteral("Ручн.");
    for (int days = 1; days <= 99; ++days)
        items << QString::number(days);
    return items;
}

TControlRow ResetPeriod(const QString& name, const QString& caption, bool forbidden) {
    TControlRow row = Placed(OnLeave(List(name, caption, ResetItems(forbidden))), AveragesPage,
                             QStringLiteral("Периоды автосброса, дни"));
    Bind::ItemOffset(row, forbidden ? -1 : 0);
    return row;
}

TControlRow Price(const QString& name, const QString& caption, const QString& group) {
    return Placed(Tenths(Spin(name, caption, 0, 99.9, 0.1, 1)), AveragesPage, group);
}

} // namespace

std::vector<TControlRow> ServiceRows(bool serviceInThousandKm) {
    std::vector<TControlRow> rows;

    // The first row edits tenths of a thousand km in the short form, whole thousands
    // otherwise. A device's flags stay put while its editor runs, and the editor takes the
    // table of its form when it opens, so the spin's decimals can follow them here.
    const bool shortForm = serviceInThousandKm;
    TControlRow air = Placed(Spin(QStringLiteral("seAirFiltCntK"), QString(), 0, ThousandsMax,
                                  shortForm ? 0.1 : 1, shortForm ? 1 : 0),
                             ServicePage);
    air.CaptionRule = [](const TSettingsEditor& e) {
        return ShortForm(e) ? QStringLiteral("ТО тыс.км") : QStringLiteral("Замена.возд.ф.");
    };
    air.RangeRule = [](const TSettingsEditor& e) {
        return ShortForm(e) ? TRange{0, 9.9} : TRange{0, ThousandsMax};
    };
    Bind::ScaledWhen(air, ShortForm, 1, 10);
    rows.push_back(Headed(air, {QStringLiteral("Осталось до...,"), QStringLiteral("тыс.км"),
                                QStringLiteral("использ.")}));
    rows.push_back(InUse(QStringLiteral("cbAirFiltCntK"), 0));

    rows.push_back(Thousands(QStringLiteral("seKPPOilCntK"), QStringLiteral("Замена мас.КПП")));
    rows.push_back(InUse(QStringLiteral("cbKPPOilCntK"), 1));

    rows.push_back(ServiceName(QStringLiteral("eForsTOCntK"), QStringLiteral("ForsTOName")));
    rows.push_back(NamedThousands(QStringLiteral("seForsTOCntK"), QStringLiteral("ForsTOName")));
    rows.push_back(InUse(QStringLiteral("cbForsTOCntK"), 2));

    rows.push_back(ServiceName(QStringLiteral("eGRMStrapCntK"), QStringLiteral("GRMStrapName")));
    rows.push_back(
        NamedThousands(QStringLiteral("seGRMStrapCntK"), QStringLiteral("GRMStrapName")));
    rows.push_back(InUse(QStringLiteral("cbGRMStrapCntK"), 3));

    rows.push_back(Thousands(QStringLiteral("seCoolLiqCntK"), QStringLiteral("Замена охл.жидк.")));
    rows.push_back(InUse(QStringLiteral("cbCoolLiqCntK"), 4));

    rows.push_back(Thousands(QStringLiteral("seEngOilCntK"), QStringLiteral("Замена масла дв.")));
    rows.push_back(InUse(QStringLiteral("cbEngOilCntK"), 5));

    rows.push_back(ServiceName(QStringLiteral("eCandleCntK"), QStringLiteral("CandleName")));
    rows.push_back(NamedThousands(QStringLiteral("seCandleCntK"), QStringLiteral("CandleName")));
    rows.push_back(InUse(QStringLiteral("cbCandleCntK"), 6));

    rows.push_back(DateRow(QStringLiteral("deTO"), QStringLiteral("Дата след.ТО")));
    rows.push_back(InUse(QStringLiteral("cbTO"), 7));
    rows.push_back(
        FullFormOnly(DateRow(QStringLiteral("deOSAGO"), QStringLiteral("Дата опл.ОСАГО"))));
    rows.push_back(InUse(QStringLiteral("cbOSAGO"), 8));

    // "Средние".
    rows.push_back(Placed(Fives(Spin(QStringLiteral("seTripMinStop"),
                                     QStringLiteral("Непрерывание поезки, мин"), 0, 995, 5)),
                          AveragesPage));
    const QString prices = QStringLiteral("Расчет стоимости");
    rows.push_back(
        Placed(Spin(QStringLiteral("sePriceTime"), QStringLiteral("Время, 1час"), 0, 999),
               AveragesPage, prices));
    rows.push_back(Price(QStringLiteral("sePricePath"), QStringLiteral("Пробег, 1км"), prices));
    rows.push_back(Price(QStringLiteral("sePriceExpense"), QStringLiteral("Бензин, 1л"), prices));
    rows.push_back(Price(QStringLiteral("sePriceGas"), QStringLiteral("Газ, 1л"), prices));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriod0"), QStringLiteral("1"), false));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriod1"), QStringLiteral("2"), true));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriodOnly"), QStringLiteral("Г/Б"), true));
    rows.push_back(Placed(Check(QStringLiteral("cbTripJournAuto"),
                                QStringLiteral("Автоматическая запись в журнал поездок")),
                          AveragesPage));
    rows.push_back(Placed(Check(QStringLiteral("cbTripShowFlag"), QStringLiteral("Показ поездки")),
                          AveragesPage));
    return rows;
}
