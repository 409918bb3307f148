#include "catalog/DeviceFlags.h"
#include "catalog/HotMenuLayout.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "model/DeviceModel.h"

#include <QtTest>

namespace {

// The catalogue the cases look items up in.
TDeviceCatalog Catalog;

void Build(bool noVoice, bool noAirTemperature) {
    TDeviceFlags flags;
    flags.NoVoice = noVoice;
    flags.NoAirTemperature = noAirTemperature;
    flags.HasLightsControl = noAirTemperature;
    Catalog = TDeviceCatalog(flags);
}

QString NameOf(int id) {
    const TMKMenuItem* item = Catalog.FindMenuItemById(uint16_t(id));
    return item ? item->Name : QString();
}

int IdOf(const QString& name) {
    const TMKMenuItem* item = Catalog.FindMenuItem(name);
    return item ? item->Id : 0;
}

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT

private slots:
    void numbering_data();
    void numbering();
    void idsArePositionsAndNamesUnique();
    void findByIdEdges();
    void numberedSeries_data();
    void numberedSeries();
    void namesAreCaseSensitive();
    void lookAlikeLatinLettersAreKept();
    void rebuildFollowsTheFlags();
    void keptListsMatchTheirFlags();
    void freshDeviceModelResolvesDefaultHotMenus();
    void hotMenuInsertMenus();
};

void TestMenuItems::numbering_data() {
    QTest::addColumn<bool>("noVoice");
    QTest::addColumn<bool>("noAirTemperature");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("ids30to33");
    QTest::addColumn<QString>("id37");

    const QString holo = "apHoloMenu", lights = "LightsOnMenu";
    const QStringList voice = {"SoundVolumeMenu", "FlagSoundMenu", "SayParamPeriodMenu",
                               "apVelMenu"};
    const QStringList noVoice = {"FlagSoundMenu", "apVelMenu", "AlarmVelSecNoSayMaxMenu",
                                 "apRevMenu"};
    QTest::newRow("voice, air") << false << false << 169 << voice << holo;
    QTest::newRow("voice, no air") << false << true << 169 << voice << lights;
    QTest::newRow("no voice, air") << true << false << 167 << noVoice << "apGabarMenu";
    QTest::newRow("no voice, no air") << true << true << 167 << noVoice << "apGabarMenu";
}

void TestMenuItems::numbering() {
    QFETCH(bool, noVoice);
    QFETCH(bool, noAirTemperature);
    QFETCH(int, count);
    QFETCH(QStringList, ids30to33);
    QFETCH(QString, id37);
    Build(noVoice, noAirTemperature);

    QCOMPARE(int(Catalog.MenuItems().size()), count);
    QCOMPARE((QStringList{NameOf(30), NameOf(31), NameOf(32), NameOf(33)}), ids30to33);
    QCOMPARE(NameOf(37), id37);
    QCOMPARE(NameOf(count), QStringLiteral("BlocksBoschABSESP9Menu"));
    QCOMPARE(NameOf(29), QStringLiteral("AlarmPermJournMenu"));
    const int shift = noVoice ? 2 : 0;
    QCOMPARE(IdOf(noAirTemperature ? "LightsOnMenu" : "apHoloMenu"), 37 - shift);
    QCOMPARE(IdOf(noAirTemperature ? "apHoloMenu" : "LightsOnMenu"), 0);
    QCOMPARE(IdOf("InitTripParamsMenu"), 46 - shift);
    QCOMPARE(IdOf("TaxStartFinishMenu"), 119 - shift);
    QCOMPARE(IdOf("ParkOffMenu"), 146 - shift);
    QCOMPARE(IdOf("InitResetOnlyGasParamsMenu"), 156 - shift);
    QCOMPARE(IdOf("FlagSoundMenu"), noVoice ? 30 : 31);
    QCOMPARE(IdOf("SoundVolumeMenu"), noVoice ? 0 : 30);
}

void TestMenuItems::idsArePositionsAndNamesUnique() {
    Build(false, false);
    QSet<QString> names;
    for (std::size_t i = 0; i < Catalog.MenuItems().size(); ++i) {
        const TMKMenuItem& item = *Catalog.MenuItems()[i];
        QCOMPARE(int(item.Id), int(i) + 1);
        QVERIFY2(!names.contains(item.Name), qPrintable(item.Name));
        names << item.Name;
        QVERIFY2(!item.Caption.isEmpty(), qPrintable(item.Name));
        for (QChar ch : item.Name)
            QVERIFY2(ch.unicode() < 128, qPrintable(item.Name));
    }
}

void TestMenuItems::findByIdEdges() {
    Build(false, false);
    QVERIFY(!Catalog.FindMenuItemById(0));
    QVERIFY(!Catalog.FindMenuItemById(170));
    QCOMPARE(NameOf(169), QStringLiteral("BlocksBoschABSESP9Menu"));
    QCOMPARE(Catalog.FindMenuItemById(169)->Caption, QStringLiteral("Bosch ESP9.1"));
    Build(true, false);
    QVERIFY(!Catalog.FindMenuItemById(169));
    QVERIFY(!Catalog.FindMenuItemById(168));
    QCOMPARE(NameOf(167), QStringLiteral("BlocksBoschABSESP9Menu"));
}

void TestMenuItems::numberedSeries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("caption");

    QTest::newRow("ViewTank10Menu")
        << "ViewTank10Menu" << 108 << QStringLiteral("  10     ММ:ЧЧ ДД.ММ");
    QTest::newRow("ViewTank0Menu")
        << "ViewTank0Menu" << 98 << QStringLiteral("Пoс.     ММ:ЧЧ ДД.ММ");
    QTest::newRow("ViewTank20Menu")
        << "ViewTank20Menu" << 118 << QStringLiteral("  20     ММ:ЧЧ ДД.ММ");
    QTest::newRow("WriteTrip1Menu")
        << "WriteTrip1Menu" << 55 << QStringLiteral("   1     ММ:ЧЧ ДД.ММ");
    QTest::newRow("WriteTrip20Menu")
        << "WriteTrip20Menu" << 74 << QStringLiteral("  20     ММ:ЧЧ ДД.ММ");
    QTest::newRow("ViewTrip0Menu")
        << "ViewTrip0Menu" << 76 << QStringLiteral("Пoс.     ММ:ЧЧ ДД.ММ");
    QTest::newRow("ViewTrip7Menu")
        << "ViewTrip7Menu" << 83 << QStringLiteral("   7     ММ:ЧЧ ДД.ММ");
    QTest::newRow("TaxTimeTarif0DayMenu")
        << "TaxTimeTarif0DayMenu" << 126 << QStringLiteral("Тар.1.Д 1мин");
    QTest::newRow("TaxPathTarif2NightMenu")
        << "TaxPathTarif2NightMenu" << 137 << QStringLiteral("Тар.3 Н 1км");
    QTest::newRow("TaxTimeTarif4NightMenu")
        << "TaxTimeTarif4NightMenu" << 144 << QStringLiteral("Тар.5 Н 1мин");
    QTest::newRow("TaxPathTarif4NightMenu")
        << "TaxPathTarif4NightMenu" << 145 << QStringLiteral("Тар.5 Н 1км");
    QTest::newRow("ParkOffMenu") << "ParkOffMenu" << 146 << QStringLiteral("Кратковр.откл.");
}

void TestMenuItems::numberedSeries() {
    QFETCH(QString, name);
    QFETCH(int, id);
    QFETCH(QString, caption);
    Build(false, false);
    const TMKMenuItem* item = Catalog.FindMenuItem(name);
    QVERIFY(item);
    QCOMPARE(int(item->Id), id);
    QCOMPARE(item->Caption, caption);
}

void TestMenuItems::namesAreCaseSensitive() {
    Build(false, false);
    QVERIFY(Catalog.FindMenuItem("ViewTank10Menu"));
    QVERIFY(!Catalog.FindMenuItem("viewtank10menu"));
    QVERIFY(!Catalog.FindMenuItem("ViewTank10menu"));
    QVERIFY(!Catalog.FindMenuItem("ViewTank21Menu"));
    QVERIFY(!Catalog.FindMenuItem(""));
    QVERIFY(!Catalog.FindMenuItem("InitResetOnlyParamsMenu"));
}

void TestMenuItems::lookAlikeLatinLettersAreKept() {
    Build(false, false);
    QCOMPARE(Catalog.FindMenuItem("InitReset1ParamsMenu")->Caption.at(6), QChar('C'));
    QCOMPARE(Catalog.FindMenuItem("InitReset0ParamsMenu")->Caption.at(6), QChar(0x0421));
    QCOMPARE(Catalog.FindMenuItem("ViewTrip0Menu")->Caption.at(1), QChar('o'));
    QCOMPARE(Catalog.FindMenuItem("VentTempLimitMenu")->Caption.at(0), QChar('T'));
    QCOMPARE(Catalog.FindMenuItem("Exp100ArrowLimMenu")->Caption.at(0), QChar('P'));
}

void TestMenuItems::rebuildFollowsTheFlags() {
    Build(true, true);
    QCOMPARE(int(Catalog.MenuItems().size()), 167);
    Build(false, false);
    QCOMPARE(int(Catalog.MenuItems().size()), 169);
    QCOMPARE(IdOf("apHoloMenu"), 37);
}

// Lists are kept by the flags they were built for; flags that leave the items alone (here
// a second tank) still count as other flags. Each build holds what the first build for its
// items' flags held.
void TestMenuItems::keptListsMatchTheirFlags() {
    QHash<int, QStringList> first;
    for (int visit : {0, 1, 0, 2, 3, 4, 5, 6, 7, 0, 3, 1, 7, 2}) {
        TDeviceFlags flags;
        flags.NoVoice = visit & 1;
        flags.NoAirTemperature = visit & 2;
        flags.HasTank2 = visit & 4;
        Catalog = TDeviceCatalog(flags);
        QStringList names;
        for (const auto& item : Catalog.MenuItems())
            names << QStringLiteral("%1 %2").arg(item->Id).arg(item->Name);
        if (!first.contains(visit & 3))
            first.insert(visit & 3, names);
        QCOMPARE(names, first.value(visit & 3));
    }
}

void TestMenuItems::freshDeviceModelResolvesDefaultHotMenus() {
    const TMK mk;
    const uint16_t expected[4][10] = {
        {2, 3, 31, 15, 6, 8, 0, 28, 0, 0},
        {52, 47, 48, 53, 97, 0, 0, 0, 0, 0},
        {119, 120, 121, 122, 0, 0, 0, 0, 0, 0},
        {146, 148, 149, 150, 151, 0, 0, 0, 0, 0},
    };
    for (int list = 0; list < 4; ++list)
        for (int slot = 0; slot < 10; ++slot) {
            const uint16_t stored = mk.Record.DisplaySettings.HotMenus[list][slot]; // packed
            QCOMPARE(stored, expected[list][slot]);
        }
    QCOMPARE(int(mk.Catalog.MenuItems().size()), 169);
    QCOMPARE(int(mk.Catalog.MeasParams().size()), 52);
    const TProtBase* current = mk.Catalog.CurrentProtocol();
    QVERIFY(current && current->ProtName == QStringLiteral("M74CAN"));
}

void TestMenuItems::hotMenuInsertMenus() {
    TDeviceFlags flags;
    const std::vector<THotMenuEntry> general = HotMenuInsertMenu(0, flags);
    QStringList captions;
    for (const THotMenuEntry& e : general)
        captions << e.Caption;
    QCOMPARE(captions, (QStringList{QStringLiteral("Управление"), QStringLiteral("Источники"),
                                    QStringLiteral("Границы"), QStringLiteral("Время"),
                                    QStringLiteral("Дисплей"), QStringLiteral("Озвуч.сообщения"),
                                    QStringLiteral("TO")}));
    QCOMPARE(general[1].Children.size(), std::size_t(3)); // no LightsOnMenu with air temperature
    QCOMPARE(general[4].Children[2].Caption, QStringLiteral("Стрелочные"));
    QCOMPARE(general[4].Children[2].Children[0].ItemName, QStringLiteral("DispShowArrowMethMenu"));
    flags.NoAirTemperature = true;
    const std::vector<THotMenuEntry> noAir = HotMenuInsertMenu(0, flags);
    QCOMPARE(noAir[1].Children[1].ItemName, QStringLiteral("LightsOnMenu"));
    QCOMPARE(noAir[5].Children.size(), general[5].Children.size() - 1); // no apHoloMenu

    const std::vector<THotMenuEntry> trips = HotMenuInsertMenu(1, flags);
    QCOMPARE(trips[5].ItemName, QStringLiteral("InitResetOnlyParamsMenu"));
    const THotMenuEntry& journal = trips[8];
    QCOMPARE(journal.Caption, QStringLiteral("Журнал поездок"));
    QCOMPARE(journal.Children[2].Caption, QStringLiteral("Записать"));
    QCOMPARE(journal.Children[2].Children.size(), std::size_t(20));
    QCOMPARE(journal.Children[2].Children[19].ItemName, QStringLiteral("WriteTrip20Menu"));
    QCOMPARE(journal.Children[4].Children.size(), std::size_t(21));
    QCOMPARE(journal.Children[4].Children[0].ItemName, QStringLiteral("ViewTrip0Menu"));
    QCOMPARE(trips.back().Children.size(), std::size_t(21));

    const std::vector<THotMenuEntry> taxi = HotMenuInsertMenu(2, flags);
    QCOMPARE(taxi.size(), std::size_t(27));
    QCOMPARE(taxi[7].ItemName, QStringLiteral("TaxTimeTarif0DayMenu"));
    QCOMPARE(taxi[11].ItemName, QStringLiteral("TaxTimeTarif1DayMenu"));
    QCOMPARE(taxi[26].ItemName, QStringLiteral("TaxPathTarif4NightMenu"));

    const std::vector<THotMenuEntry> parking = HotMenuInsertMenu(3, flags);
    QCOMPARE(parking.size(), std::size_t(2));
    QCOMPARE(parking[1].Caption, QStringLiteral("Парковка вперед"));
    QCOMPARE(parking[1].Children.size(), std::size_t(4));
}

QTEST_GUILESS_MAIN(TestMenuItems)
#include "tst_menuitems.moc"
