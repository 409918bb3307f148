// "Поправки" and "Источники": calibration corrections, signal sources, the protocol with its
// sub-types, the tank method, gas/petrol operation and display brightness.

#include "catalog/DeviceFlags.h"
#include "catalog/Protocols.h"
#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

namespace {

const QString Corrections = QStringLiteral("TabSheet2");
const QString Sources = QStringLiteral("tsCorr");
const QString Flags = QStringLiteral("ProtocolFlags");

// ProtocolFlags bits the pages edit.
constexpr int VirtualLockBit = 0;
constexpr int LightsFromEcuBit = 5;
constexpr int UseTank2Bit = 6;
constexpr int LowBeamBit = 7;
constexpr int GasOilBit = 8;
constexpr int InverseLightsBit = 10;

int64_t FieldValue(const TSettingsEditor& e, const QString& name) {
    return ReadField(e.Mk, RecordField(name));
}

bool FlagBit(const TSettingsEditor& e, int bit) {
    return uint64_t(FieldValue(e, Flags)) >> bit & 1u;
}

TControlRow FlagBitRow(TControlRow row, int bit) {
    Bind::Bit(row, Flags, bit);
    return InLine(row);
}

// The injector polarity and tachometer divider matter only while some signal comes from
// the injector.
bool InjectorUsed(const TSettingsEditor& e) {
    return FieldValue(e, QStringLiteral("RevolutionsMeth")) != 0 ||
           FieldValue(e, QStringLiteral("GasMeth")) != 0 ||
           FieldValue(e, QStringLiteral("ExpenseMeth")) != 0;
}

// The MK reads the stored position with the same flags, so the list is built from them.
QStringList ProtocolSelectItems(const TDeviceFlags& f) {
    QStringList items{QStringLiteral("Авт.")};
    if (f.UseObd2)
        items << QStringLiteral("АвтOBD");
    if (f.UseVag && !f.NoVag)
        items << QStringLiteral("АвтVAG");
    if (f.UseOpel)
        items << QStringLiteral("АвтOpl");
    items << QStringLiteral("Руч.");
    return items;
}

QStringList GasOilItems(const TDeviceFlags& f) {
    QStringList items{QStringLiteral("ЭБУ"), QStringLiteral("Заж")};
    if (!f.NoDsSwitch)
        items << QStringLiteral(" ДС");
    items << QStringLiteral("Габ");
    if (f.HasTank2)
        items << QStringLiteral("Бк2");
    return items;
}

QStringList TankMethItems(const TProtBase& p) {
    QStringList items{QStringLiteral("Расчетный"), QStringLiteral("ДУТ")};
    const QStringList ecu{QStringLiteral("ДУТ ЭБУ"), QStringLiteral("ДУТ ЭБУ2"),
                          QStringLiteral("ДУТ ЭБУ3")};
    for (int i = 0; i < p.EcuFuelSensors && i < ecu.size(); ++i)
        items << ecu[i];
    return items;
}

QStringList ProtocolNames(const TSettingsEditor& e) {
    QStringList names;
    for (const auto& entry : e.Mk.Catalog.Protocols())
        names << entry->ProtName;
    return names;
}

bool ManualProtocol(const TSettingsEditor& e) {
    return e.Shown(QStringLiteral("cbProtocolSelectMeth")).toInt() ==
           e.Items(QStringLiteral("cbProtocolSelectMeth")).size() - 1;
}

// Sub-type list `option` (0: main, 1..7: additional) shows the current protocol's option.
TControlRow SubTypeRow(int option) {
    const QString name = option == 0 ? QStringLiteral("cbProtTypeMain")
                                     : QStringLiteral("cbProtTypeAdd%1").arg(option);
    // The caption comes from the protocol; the fixed one names the list where no protocol
    // speaks (and gives the list its label).
    TControlRow row = List(name,
                           option == 0 ? QStringLiteral("Вариант реализации")
                                       : QStringLiteral("Подтип %1").arg(option),
                           {});
    const auto slot = std::size_t(option);
    row.CaptionRule = [slot](const TSettingsEditor& e) { return e.Protocol().OptionCaption[slot]; };
    row.ItemsRule = [option](const TSettingsEditor& e) {
        return e.Protocol().ShownOptionValues(option);
    };
    row.VisibleRule = [slot](const TSettingsEditor& e) {
        return !e.Protocol().OptionCaption[slot].isEmpty();
    };
    return row;
}

std::vector<TControlRow> CorrectionRows() {
    const QString group = QStringLiteral("Поправки");
    const QString injector = QStringLiteral("Форсунка");
    TControlRow forsCoef =
        InLine(Radio(QStringLiteral("rgForsCoef"), QStringLiteral("Тахометер"),
                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}));
    Bind::ItemMap(forsCoef, {1, 2, 4}, Bind::DividerItem);
    const TControlRow polarity =
        InLine(Radio(QStringLiteral("rgForsPosFlag"), QStringLiteral("Полярность форсунки"),
                     {QStringLiteral("+"), QStringLiteral("-")}));
    return {
        Placed(Percent(Spin(QStringLiteral("seVelocityCorr"), QStringLiteral("Скорость, %"), -99.0,
                            999.9, 1, 1)),
               Corrections, group),
        Placed(Percent(Spin(QStringLiteral("seExpenseCorr"), QStringLiteral("Расхода бензина, %"),
                            -99.0, 999.9, 1, 1)),
               Corrections, group),
        Placed(Percent(Spin(QStringLiteral("seGazExpenseCorr"), QStringLiteral("Расход газа, %"),
                            -99.0, 999.9, 1, 1)),
               Corrections, group),
        Placed(Shows(Spin(QStringLiteral("seAirTemperCorr"),
                          QStringLiteral("Температура воздуха, С"), -20, 20),
                     Unless(&TDeviceFlags::NoAirTemperature)),
               Corrections, group),
        Placed(Tenths(Spin(QStringLiteral("seAccCorr"), QStringLiteral("Напряжение АКБ, В"), -0.7,
                           0.7, 0.1, 1)),
               Corrections, group),
        Placed(
            Spin(QStringLiteral("seTimeCorr"), QStringLiteral("Время (секунд в сутки)"), -30, 30),
            Corrections, group),
        Placed(Spin(QStringLiteral("seAllPathStart"), QStringLiteral("Начальный пробег, км"), 0,
                    999999),
               Corrections, QStringLiteral("Одометр")),
        Placed(Shows(polarity, InjectorUsed), Corrections, injector, 1),
        Placed(Shows(forsCoef, InjectorUsed), Corrections, injector, 1),
    };
}

std::vector<TControlRow> LockAndLightsRows() {
    const QString group = QStringLiteral("Замок и габариты");
    const QStringList physical{QStringLiteral("Физич."), QStringLiteral("Вирт.")};
    return {
        Placed(FlagBitRow(
                   Radio(QStringLiteral("rgLockType"), QStringLiteral("Замок зажигания"), physical),
                   VirtualLockBit),
               Sources, group, 2),
        Placed(Shows(Spin(QStringLiteral("seLockTypeLevel"),
                          QStringLiteral("Уровень виртуального замка"), 1, 3),
                     [](const TSettingsEditor& e) { return FlagBit(e, VirtualLockBit); }),
               Sources, group, 2),
        Placed(Shows(FlagBitRow(Radio(QStringLiteral("rgGabarType"), QStringLiteral("Габариты"),
                                      {QStringLiteral("Физич."), QStringLiteral("ЭБУ")}),
                                LightsFromEcuBit),
                     [](const TSettingsEditor& e) { return e.Protocol().HasLightsType != 0; }),
               Sources, group, 2),
        Placed(
            Shows(FlagBitRow(Radio(QStringLiteral("rgGabarInvPol"),
                                   QStringLiteral("Полярность входа Габариты"),
                                   {QStringLiteral("1 (Прямая)"), QStringLiteral("0 (Инверсная)")}),
                             InverseLightsBit),
                  [](const TSettingsEditor& e) { return !FlagBit(e, LightsFromEcuBit); }),
            Sources, group, 2),
        Placed(Shows(FlagBitRow(Check(QStringLiteral("cbLightsOn"),
                                      QStringLiteral("Включить управление ближним светом")),
                                LowBeamBit),
                     Only(&TDeviceFlags::HasLightsControl)),
               Sources, group, 2),
    };
}

std::vector<TControlRow> ProtocolRows() {
    const QString group = QStringLiteral("Протокол");
    TControlRow select =
        List(QStringLiteral("cbProtocolSelectMeth"), QStringLiteral("Способ опр. протокола"), {});
    select.ItemsRule = [](const TSettingsEditor& e) { return ProtocolSelectItems(e.Flags()); };

    TControlRow protocol = List(QStringLiteral("cbProtocol"), QStringLiteral("Протокол"), {});
    protocol.ItemsRule = [](const TSettingsEditor& e) { return ProtocolNames(e); };
    protocol.VisibleRule = ManualProtocol;
    // Picking the protocol already in force keeps its sub-types.
    protocol.After = [](TSettingsEditor& e) {
        if (FieldValue(e, QStringLiteral("Protocol")) !=
            FieldValue(e, QStringLiteral("PrevProtocol")))
            e.ProtocolChanged();
        else
            e.ApplyProtocol();
    };

    std::vector<TControlRow> rows{Placed(select, Sources, group, 1),
                                  Placed(protocol, Sources, group, 1)};
    for (int option = 0; option < TProtBase::OptionSlots; ++option)
        rows.push_back(Placed(SubTypeRow(option), Sources,
                              QStringLiteral("Дополнительные настройки протокола"), 1));
    return rows;
}

std::vector<TControlRow> TankRowsOfSources() {
    const QString group = QStringLiteral("Бак");
    TControlRow method = List(QStringLiteral("cbTankMeth"), QStringLiteral("Бак тип"), {});
    method.ItemsRule = [](const TSettingsEditor& e) { return TankMethItems(e.Protocol()); };
    return {
        Placed(method, Sources, group, 2),
        Placed(List(QStringLiteral("cbTankMode"), QStringLiteral("Бак"),
                    {QStringLiteral("Калибров.2"), QStringLiteral("Калибров.7"),
                     QStringLiteral("Тарирован."), QStringLiteral("Некалибр.")}),
               Sources, group, 2),
        Placed(Shows(FlagBitRow(
                         Check(QStringLiteral("cbUseTank2"), QStringLiteral("Использовать бак 2")),
                         UseTank2Bit),
                     Only(&TDeviceFlags::HasTank2)),
               Sources, group, 2),
        Placed(Spin(QStringLiteral("seTankContFull"), QStringLiteral("Полный бак (бензин), л"), 16,
                    2040),
               Sources, group, 2),
        Placed(Shows(Spin(QStringLiteral("seGazContFull"), QStringLiteral("Полный бак (газ), л"),
                          10, 300),
                     Unless(&TDeviceFlags::NoGas)),
               Sources, group, 2),
    };
}

std::vector<TControlRow> SignalRows() {
    const QString group = QStringLiteral("Источники сигналов");
    const QString ecu = QStringLiteral("ЭБУ");
    const auto twoWay = [&](const QString& name, const QString& caption, const QString& second) {
        return Placed(InLine(Radio(name, caption, {ecu, second})), Sources, group);
    };
    const TControlRow prognoz =
        InLine(Radio(QStringLiteral("rgPrognozMeth"), QStringLiteral("Прогноз пробега"),
                     {QStringLiteral("Средн"), QStringLiteral("10 км"), QStringLiteral("Ручн.")}));
    TControlRow air = InLine(Radio(QStringLiteral("rgAirTemperMeth"),
                                   QStringLiteral("Алгоритм измерения Т воздуха"),
                                   {QStringLiteral("Обычн."), QStringLiteral("Динамич.")}));
    Bind::ItemMap(air, {0, 1}, Bind::NonZeroItem);
    const QString sensor = QStringLiteral("Датч.");
    const QString injector = QStringLiteral("Форс.");
    return {
        twoWay(QStringLiteral("rgVelocityMeth"), QStringLiteral("Скорость"), sensor),
        Beside(twoWay(QStringLiteral("rgRevolutionsMeth"), QStringLiteral("Обороты"), injector)),
        twoWay(QStringLiteral("rgExpenseMeth"), QStringLiteral("Расход бензина"), injector),
        Beside(Shows(twoWay(QStringLiteral("rgGasMeth"), QStringLiteral("Расход газа"), injector),
                     Unless(&TDeviceFlags::NoGas))),
        Shows(
            twoWay(QStringLiteral("rgUaccMeth"), QStringLiteral("Напряжение аккумулятора"), sensor),
            [](const TSettingsEditor& e) { return e.Protocol().HasBatteryVoltageSource != 0; }),
        Placed(prognoz, Sources, group),
        Placed(Tenths(Spin(QStringLiteral("seK100Manual"),
                           QStringLiteral("К-т потреб. топлива (Р/100 руч.)"), 1.0, 99.9, 1, 1)),
               Sources, group),
        Placed(Shows(air, Unless(&TDeviceFlags::NoAirTemperature)), Sources, group),
    };
}

std::vector<TControlRow> GasOilRows() {
    const QString group = QStringLiteral("Газ/Бензин");
    TControlRow gasOil = InLine(
        Radio(QStringLiteral("rgGasOilMeth"), QStringLiteral("Переключатль Газ/Бензин"), {}));
    gasOil.ItemsRule = [](const TSettingsEditor& e) { return GasOilItems(e.Flags()); };
    return {
        Placed(Shows(FlagBitRow(Check(QStringLiteral("cbGasOil"),
                                      QStringLiteral("Включить режим Газ/Бензин")),
                                GasOilBit),
                     Unless(&TDeviceFlags::NoGas)),
               Sources, group, 2),
        Placed(Shows(gasOil, Unless(&TDeviceFlags::NoGas)), Sources, group, 2),
    };
}

std::vector<TControlRow> BrightnessRows() {
    const QString group = QStringLiteral("Яркость дисплея");
    const TControlRow method =
        InLine(Radio(QStringLiteral("rgIntenseMeth"), QStringLiteral("Управления яркостью дисплея"),
                     {QStringLiteral("Откл."), QStringLiteral("Время"), QStringLiteral("Габар.")}));
    const auto time = [](const QString& name, const QString& caption) {
        TControlRow row = Edit(name, caption, 0);
        Bind::MinutesOfDay(row);
        return row;
    };
    return {
        Placed(method, Sources, group, 1),
        Placed(Spin(QStringLiteral("seIntense0"), QStringLiteral("Яркость подсветки (День)"), 0, 4),
               Sources, group, 1),
        Placed(Spin(QStringLiteral("seIntense1"), QStringLiteral("Яркость подсветки (Ночь)"), 0, 4),
               Sources, group, 1),
        Placed(
            time(QStringLiteral("meIntenseDayTime"), QStringLiteral("Врем вкл. ДНЕВНОЙ яркости")),
            Sources, group, 1),
        Placed(
            time(QStringLiteral("meIntenseNightTime"), QStringLiteral("Врем вкл. НОЧНОЙ яркости")),
            Sources, group, 1),
    };
}

} // namespace

std::vector<TControlRow> CorrectionsRows() {
    std::vector<TControlRow> rows;
    // In reading order: each page column top to bottom, the columns left to right.
    for (auto&& part : {CorrectionRows(), SignalRows(), ProtocolRows(), BrightnessRows(),
                        LockAndLightsRows(), TankRowsOfSources(), GasOilRows()})
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}
