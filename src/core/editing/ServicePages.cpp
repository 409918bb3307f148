// Pages "ТО" (service reminders, names, dates) and "Средние" (trips, prices, reset periods).

#include "base/Cp1251.h"
#include "catalog/DeviceFlags.h"
#include "editing/Conversions.h"
#include "editing/EditorTables.h"
#include "editing/SettingsEditor.h"

namespace {

const QString ServicePage = QStringLiteral("tsTO");
const QString AveragesPage = QStringLiteral("tsAver");
constexpr int ThousandsMax = 99;
constexpr int NameLength = 15;

bool ShortForm(const TSettingsEditor& e) {
    return e.Flags().ServiceInThousandKm;
}

TControlRow On(TControlRow row, const QString& page, const QString& group = {}) {
    row.Page = page;
    row.Group = group;
    return row;
}

// A row the short service form hides.
TControlRow FullFormOnly(TControlRow row) {
    row.VisibleRule = [](const TSettingsEditor& e) { return !ShortForm(e); };
    return row;
}

// The "in use" box of a service kind: one bit of ServiceFlags, stored when it is left.
TControlRow InUse(const QString& name, int bit) {
    TControlRow row = On(Check(name, QString()), ServicePage);
    row.When = TStoreWhen::FocusOut;
    Bind::Bit(row, QStringLiteral("ServiceFlags"), bit);
    return FullFormOnly(row);
}

TControlRow ServiceName(const QString& name, const QString& field) {
    TControlRow row = On(Edit(name, QString(), NameLength), ServicePage);
    Bind::Name(row, field);
    return FullFormOnly(row);
}

TControlRow Thousands(const QString& name, const QString& caption) {
    return FullFormOnly(On(Spin(name, caption, 0, ThousandsMax), ServicePage));
}

// A user-named service kind is captioned by its name.
TControlRow NamedThousands(const QString& name, const QString& field) {
    TControlRow row = Thousands(name, QString());
    row.CaptionRule = [field](const TSettingsEditor& e) {
        const TFieldRef f = RecordField(field);
        const auto* p = reinterpret_cast<const char*>(e.Mk.BlockBytes(f.Block) + f.Field->Offset);
        return Cp1251::Decode(p, std::size_t(f.Field->Count));
    };
    return row;
}

TControlRow DateRow(const QString& name, const QString& caption) {
    TControlRow row = On(Edit(name, caption, 8), ServicePage);
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
    TControlRow row = On(List(name, caption, ResetItems(forbidden)), AveragesPage,
                         QStringLiteral("Периоды автосброса, дни"));
    row.When = TStoreWhen::FocusOut;
    Bind::ItemOffset(row, forbidden ? -1 : 0);
    return row;
}

TControlRow Tenths(const QString& name, const QString& caption, const QString& group = {}) {
    TControlRow row = On(Spin(name, caption, 0, 99.9, 0.1, 1), AveragesPage, group);
    Bind::Scaled(row, 1, 10);
    return row;
}

} // namespace

std::vector<TControlRow> ServiceRows() {
    std::vector<TControlRow> rows;

    // The first row edits tenths of a thousand km in the short form, whole thousands
    // otherwise. The flags stay put while an editor runs, and its rows are built when it
    // opens, so the spin's decimals can follow them here.
    const bool shortForm = DeviceFlags.ServiceInThousandKm;
    TControlRow air = On(Spin(QStringLiteral("seAirFiltCntK"), QString(), 0, ThousandsMax,
                              shortForm ? 0.1 : 1, shortForm ? 1 : 0),
                         ServicePage);
    air.CaptionRule = [](const TSettingsEditor& e) {
        return ShortForm(e) ? QStringLiteral("ТО тыс.км") : QStringLiteral("Замена.возд.ф.");
    };
    air.RangeRule = [](const TSettingsEditor& e) {
        return ShortForm(e) ? TRange{0, 9.9} : TRange{0, ThousandsMax};
    };
    air.Load = [](const TSettingsEditor& e) {
        const double stored = double(ReadField(e.Mk, RecordField(u"AirFiltCntK")));
        return QVariant(ShortForm(e) ? stored / 10 : stored);
    };
    air.Store = [](TSettingsEditor& e, const QVariant& v) {
        const double shown = v.toDouble();
        StoreField(e.Mk, RecordField(u"AirFiltCntK"), RoundEven(ShortForm(e) ? shown * 10 : shown));
    };
    rows.push_back(air);
    rows.push_back(InUse(QStringLiteral("cbAirFiltCntK"), 0));

    rows.push_back(Thousands(QStringLiteral("seKPPOilCntK"), QStringLiteral("Замена мас.КПП")));
    rows.push_back(InUse(QStringLiteral("cbKPPOilCntK"), 1));

    rows.push_back(NamedThousands(QStringLiteral("seForsTOCntK"), QStringLiteral("ForsTOName")));
    rows.push_back(InUse(QStringLiteral("cbForsTOCntK"), 2));
    rows.push_back(ServiceName(QStringLiteral("eForsTOCntK"), QStringLiteral("ForsTOName")));

    rows.push_back(
        NamedThousands(QStringLiteral("seGRMStrapCntK"), QStringLiteral("GRMStrapName")));
    rows.push_back(InUse(QStringLiteral("cbGRMStrapCntK"), 3));
    rows.push_back(ServiceName(QStringLiteral("eGRMStrapCntK"), QStringLiteral("GRMStrapName")));

    rows.push_back(Thousands(QStringLiteral("seCoolLiqCntK"), QStringLiteral("Замена охл.жидк.")));
    rows.push_back(InUse(QStringLiteral("cbCoolLiqCntK"), 4));

    rows.push_back(Thousands(QStringLiteral("seEngOilCntK"), QStringLiteral("Замена масла дв.")));
    rows.push_back(InUse(QStringLiteral("cbEngOilCntK"), 5));

    rows.push_back(NamedThousands(QStringLiteral("seCandleCntK"), QStringLiteral("CandleName")));
    rows.push_back(InUse(QStringLiteral("cbCandleCntK"), 6));
    rows.push_back(ServiceName(QStringLiteral("eCandleCntK"), QStringLiteral("CandleName")));

    rows.push_back(DateRow(QStringLiteral("deTO"), QStringLiteral("Дата след.ТО")));
    rows.push_back(InUse(QStringLiteral("cbTO"), 7));
    rows.push_back(
        FullFormOnly(DateRow(QStringLiteral("deOSAGO"), QStringLiteral("Дата опл.ОСАГО"))));
    rows.push_back(InUse(QStringLiteral("cbOSAGO"), 8));

    // "Средние".
    TControlRow stop = On(Spin(QStringLiteral("seTripMinStop"),
                               QStringLiteral("Непрерывание поезки, мин"), 0, 995, 5),
                          AveragesPage);
    Bind::Scaled(stop, 5, 1);
    rows.push_back(stop);
    const QString prices = QStringLiteral("Расчет стоимости");
    rows.push_back(On(Spin(QStringLiteral("sePriceTime"), QStringLiteral("Время, 1час"), 0, 999),
                      AveragesPage, prices));
    rows.push_back(Tenths(QStringLiteral("sePricePath"), QStringLiteral("Пробег, 1км"), prices));
    rows.push_back(Tenths(QStringLiteral("sePriceExpense"), QStringLiteral("Бензин, 1л"), prices));
    rows.push_back(Tenths(QStringLiteral("sePriceGas"), QStringLiteral("Газ, 1л"), prices));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriod0"), QStringLiteral("1"), false));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriod1"), QStringLiteral("2"), true));
    rows.push_back(ResetPeriod(QStringLiteral("cbResetPeriodOnly"), QStringLiteral("Г/Б"), true));
    rows.push_back(On(Check(QStringLiteral("cbTripJournAuto"),
                            QStringLiteral("Автоматическая запись в журнал поездок")),
                      AveragesPage));
    rows.push_back(
        On(Check(QStringLiteral("cbTripShowFlag"), QStringLiteral("Показ поездки")), AveragesPage));
    return rows;
}
