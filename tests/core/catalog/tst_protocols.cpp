#include "base/MKError.h"
#include "catalog/DeviceCatalog.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"

#include <QtTest>
#include <thread>

namespace {

// The catalogue of the device the cases build for.
TDeviceCatalog Catalog;

// The device's catalogue with the protocol at index selected; throws as selecting does, the
// list built all the same.
void BuildProtocolList(uint16_t version, uint8_t index, uint8_t variant) {
    Catalog = TDeviceCatalog(version, variant);
    Catalog.SelectProtocol(index);
}

QStringList Names() {
    QStringList names;
    for (const auto& p : Catalog.Protocols())
        names << p->ProtName;
    return names;
}

const TProtBase* Entry(const QString& name, int code = -1) {
    for (const auto& p : Catalog.Protocols())
        if (p->ProtName == name && (code < 0 || p->ProtCode == code))
            return p.get();
    return nullptr;
}

QList<int> Params(const TProtBase& p) {
    return QList<int>(p.ParamIds.begin(), p.ParamIds.begin() + p.ParamCount);
}

QList<int> Blocks(const TProtBase& p) {
    return QList<int>(p.BlockIds.begin(), p.BlockIds.begin() + p.BlockCount);
}

QList<int> Common(std::initializer_list<int> extra) {
    QList<int> ids;
    for (int id = 1; id <= 16; ++id)
        ids << id;
    ids << QList<int>(extra);
    return ids;
}

// The eight entry flags as the letters C E G O F L B H.
QString FlagLetters(const TProtBase& p) {
    QString letters;
    const uint8_t flags[] = {p.HasCoolantTemp,          p.HasEcuErrors,  p.HasGearboxOilTemp,
                             p.HasEngineOilTemp,        p.HasFanControl, p.HasLightsType,
                             p.HasBatteryVoltageSource, p.IsHybrid};
    for (int i = 0; i < 8; ++i)
        if (flags[i])
            letters += QLatin1Char("CEGOFLBH"[i]);
    return letters;
}

QString BuildError(uint16_t version, uint8_t index, uint8_t variant) {
    try {
        BuildProtocolList(version, index, variant);
    } catch (const TMKError& e) {
        return e.Text();
    }
    return {};
}

// What a list offers, entry by entry.
template <class List> QStringList Described(const List& list) {
    QStringList lines;
    for (const auto& e : list) {
        QStringList params;
        for (int id : Params(*e))
            params << QString::number(id);
        lines << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(e->ProtName)
                     .arg(e->ProtCode)
                     .arg(FlagLetters(*e), params.join(u','), e->OptionCaption[0]);
    }
    return lines;
}

} // namespace

class TestProts : public QObject {
    Q_OBJECT

private slots:
    void initialDeviceListsCanFamilyFirst();
    void indexOutsideListIsRefused_data();
    void indexOutsideListIsRefused();
    void rebuildDiscardsPreviousDevice();
    void listsComeBackAsBuiltFresh();
    void catalogsShareTheirDevicesLists();
    void selectProtocolMovesWithinList();
    void entryFlagsAreComplete_data();
    void entryFlagsAreComplete();
    void j1939FollowsExtension();
    void obdEOnlyReplacesTheObdGroup();
    void tiggoIsNamedBoschWithDelphi();
    void consultListsItsCanUnitOnlyWithCanBlocks();
    void lightsControlAppendsIdentifier34();
    void optionsOfCatalogueEntries();
    void sharedOptionSetsSetGearboxOilTemp();
    void hasBlockLooksAtUsedEntriesOnly();
    void constructorListsCommonIdentifiersFirst();
    void addParamLimits();
    void setOptionKeepsDefaultNamesBeyondGivenOnes();
    void setOptionBeyondCapacityIsRangeError();
};

void TestProts::initialDeviceListsCanFamilyFirst() {
    BuildProtocolList(1, 0, 0);
    const QStringList expected = {"M74CAN",      "M86",  "CAN Toyota", "CAN Ford",
                                  "EDC16 Iveco", "CAN",  "J1939",      QStringLiteral("Крайслер"),
                                  "J1850",       "TOBD1"};
    QCOMPARE(Names().mid(0, expected.size()), expected);
    QVERIFY(Catalog.CurrentProtocol());
    QCOMPARE(Catalog.CurrentProtocol(), Catalog.Protocols().front().get());
    QCOMPARE(Catalog.CurrentProtocol()->ProtName, QStringLiteral("M74CAN"));
    QCOMPARE(Names().last(), QStringLiteral("Универс."));
    QVERIFY(!Names().contains("OBD2E") && Names().contains("OBD2Q"));
    QVERIFY(!Names().contains("Delphi") && Names().contains("Tiggo"));
}

void TestProts::indexOutsideListIsRefused_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("listSize");

    QTest::newRow("past the end") << 0x0001 << 0 << 200 << -1;
    QTest::newRow("unknown device") << 0x0002 << 0 << 0 << 0;
    QTest::newRow("variant without groups") << 0x0801 << 3 << 0 << 0;
    QTest::newRow("0x0C01 one past") << 0x0C01 << 0 << 2 << 2;
}

void TestProts::indexOutsideListIsRefused() {
    QFETCH(int, version);
    QFETCH(int, variant);
    QFETCH(int, index);
    QFETCH(int, listSize);
    BuildProtocolList(1, 0, 0);
    QCOMPARE(BuildError(uint16_t(version), uint8_t(index), uint8_t(variant)),
             QStringLiteral("List index out of bounds (%1)").arg(index));
    QVERIFY(!Catalog.CurrentProtocol());
    if (listSize >= 0)
        QCOMPARE(int(Catalog.Protocols().size()), listSize);
    else
        QVERIFY(int(Catalog.Protocols().size()) > 0 && int(Catalog.Protocols().size()) <= index);
}

void TestProts::rebuildDiscardsPreviousDevice() {
    BuildProtocolList(0x8002, 0, 0);
    QVERIFY(Catalog.Flags().J1939Extended && Catalog.Flags().UseNmea2000);
    QVERIFY(Names().contains("NMEA2000"));
    QCOMPARE(BuildError(0x0002, 0, 0), QStringLiteral("List index out of bounds (0)"));
    QCOMPARE(Catalog.Flags(), TDeviceFlags{});
    QVERIFY(Catalog.ProjectName().isEmpty());
    QVERIFY(Catalog.Protocols().empty());
}

// Lists are kept by the flags they were built for: whether a device's list is taken back,
// built for the first time or none (an unknown device), it is what a fresh build for its
// flags gives.
void TestProts::listsComeBackAsBuiltFresh() {
    std::vector<std::pair<uint16_t, uint8_t>> devices;
    for (const TVariantRow& row : DeviceVariantRows()) {
        for (uint8_t v = 0; v < 32 && devices.size() < 7; ++v) {
            if (row.Variants.Contains(v)) {
                devices.push_back({row.SettingsVersion, v});
                break;
            }
        }
    }
    devices.push_back({0x0002, 0}); // unknown: no list
    QCOMPARE(devices.size(), std::size_t(8));
    for (int visit : {0, 1, 0, 1, 7, 0, 2, 3, 4, 5, 6, 0, 1, 7, 6}) {
        const auto [version, variant] = devices[std::size_t(visit)];
        BuildError(version, 0, variant);
        QCOMPARE(Described(Catalog.Protocols()), Described(CreateProtocolEntries(Catalog.Flags())));
        QCOMPARE(Catalog.CurrentProtocol(),
                 Catalog.Protocols().empty() ? nullptr : Catalog.Protocols().front().get());
    }
}

// Catalogues of one device share one list, built once even when threads ask together; an
// entry appended to one catalogue is its own, and flags no device has get a list of their own.
void TestProts::catalogsShareTheirDevicesLists() {
    std::vector<TDeviceCatalog> made(4);
    std::vector<std::thread> threads;
    for (TDeviceCatalog& catalog : made)
        threads.emplace_back([&catalog] { catalog = TDeviceCatalog(0x0105, 6); });
    for (std::thread& t : threads)
        t.join();
    for (const TDeviceCatalog& catalog : made)
        QCOMPARE(&catalog.Protocols(), &made.front().Protocols());

    TDeviceCatalog own = made.front();
    const int index = own.AppendProtocol(std::make_shared<const TProtBase>(
        QStringLiteral("Проверка"), 0, 0, std::span<const uint8_t>{}, std::span<const uint8_t>{}));
    QCOMPARE(std::size_t(index), made.front().Protocols().size());
    QCOMPARE(own.Protocols().size(), made.front().Protocols().size() + 1);
    QCOMPARE(own.Protocols().front(), made.front().Protocols().front());
    QCOMPARE(TDeviceCatalog(0x0105, 6).Protocols().size(), made.front().Protocols().size());

    TDeviceFlags unlisted = made.front().Flags();
    unlisted.UseNmea2000 = true;
    const TDeviceCatalog first(unlisted), second(unlisted);
    QVERIFY(&first.Protocols() != &second.Protocols());
    QCOMPARE(Described(first.Protocols()), Described(CreateProtocolEntries(unlisted)));
}

void TestProts::selectProtocolMovesWithinList() {
    BuildProtocolList(1, 0, 0);
    Catalog.SelectProtocol(5);
    QCOMPARE(Catalog.CurrentProtocol()->ProtName, QStringLiteral("CAN"));
    QVERIFY_THROWS_EXCEPTION(TMKError, Catalog.SelectProtocol(int(Catalog.Protocols().size())));
    QVERIFY(!Catalog.CurrentProtocol());
}

void TestProts::entryFlagsAreComplete_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("fuelSensors");
    QTest::addColumn<int>("errorFormat");

    QTest::newRow("TOBD1") << "TOBD1" << 27 << "C" << 0 << 1000;
    QTest::newRow("VAG CE") << "VAG CE" << 96 << "E" << 0 << 8;
    QTest::newRow("Universal") << QStringLiteral("Универс.") << 255 << "" << 0 << 1000;
    QTest::newRow("M74CAN") << "M74CAN" << 11 << "CEGFL" << 2 << 1;
    QTest::newRow("M86") << "M86" << 16 << "CEGFL" << 3 << 1;
    QTest::newRow("CAN Ford") << "CAN Ford" << 15 << "CEGOL" << 1 << 0;
    QTest::newRow("EDC16 Iveco") << "EDC16 Iveco" << 13 << "CEO" << 0 << 1;
    QTest::newRow("Estima") << "Estima" << 230 << "CEGH" << 1 << 0;
    QTest::newRow("Lex RX400H 233") << "Lex RX400H" << 233 << "CEGH" << 1 << 0;
    QTest::newRow("Lex RX400H 235") << "Lex RX400H" << 235 << "CEGH" << 0 << 0;
    QTest::newRow("NMEA2000") << "NMEA2000" << 19 << "CEOB" << 1 << 5;
    QTest::newRow("Mikas") << QStringLiteral("Микас") << 29 << "CEF" << 0 << 3;
    QTest::newRow("Subaru") << "Subaru" << 64 << "CE" << 1 << 4;
    QTest::newRow("Aveo") << "Aveo" << 37 << "CE" << 1 << 7;
    QTest::newRow("Mitsu5") << "Mitsu5" << 118 << "CE" << 0 << 9;
}

void TestProts::entryFlagsAreComplete() {
    QFETCH(QString, name);
    QFETCH(int, code);
    QFETCH(QString, flags);
    QFETCH(int, fuelSensors);
    QFETCH(int, errorFormat);
    BuildProtocolList(0x8003, 0, 0); // offers every group but Nmea2000, ObdPwm and Delphi
    const TProtBase* p = Entry(name, code);
    if (!p) {
        BuildProtocolList(0x8002, 0, 0);
        p = Entry(name, code);
    }
    QVERIFY(p);
    QCOMPARE(p->ProtCode, code);
    QCOMPARE(FlagLetters(*p), flags);
    QCOMPARE(p->EcuFuelSensors, fuelSensors);
    QCOMPARE(p->ErrorFormat, errorFormat);
}

void TestProts::j1939FollowsExtension() {
    BuildProtocolList(0x8001, 0, 0);
    const TProtBase* plain = Entry("J1939");
    QVERIFY(plain);
    QCOMPARE(Params(*plain), Common({17, 19, 27, 24, 37}));
    QCOMPARE(Blocks(*plain), (QList<int>{22, 23}));
    QCOMPARE(FlagLetters(*plain), QStringLiteral("CEB"));

    BuildProtocolList(0x8002, 0, 0);
    const TProtBase* extended = Entry("J1939");
    QVERIFY(extended);
    QCOMPARE(Params(*extended), Common({17, 19, 27, 24, 37, 35, 38, 41, 42, 36, 43}));
    QCOMPARE(Blocks(*extended), (QList<int>{93, 22, 23}));
    QCOMPARE(FlagLetters(*extended), QStringLiteral("CEGOB"));
    QCOMPARE(extended->ShownOptionValues(2), (QStringList{"1", "2", "3"}));
}

void TestProts::obdEOnlyReplacesTheObdGroup() {
    BuildProtocolList(0x0201, 0, 0);
    QVERIFY(Names().contains("OBD2E"));
    QVERIFY(!Names().contains("OBD2Q") && !Names().contains("OBD2S") && !Names().contains("OBD2P"));
    const TProtBase* e = Entry("OBD2E");
    for (int option = 0; option < TProtBase::OptionSlots; ++option) {
        QVERIFY(e->OptionCaption[option].isEmpty());
        QCOMPARE(e->OptionCount[option], 0);
    }
    BuildProtocolList(0x0201, 0, 7); // any variant
    QVERIFY(Names().contains("OBD2E"));
}

void TestProts::tiggoIsNamedBoschWithDelphi() {
    BuildProtocolList(0x0C01, 0, 0);
    QCOMPARE(Names(), (QStringList{"Bosch", "Delphi"}));
    QCOMPARE(Catalog.CurrentProtocol()->ProtCode, 63);
    // The renamed entry keeps its options.
    QCOMPARE(Catalog.CurrentProtocol()->OptionCount[1], 3);
    BuildProtocolList(0x0001, 0, 3);
    QVERIFY(Entry("Tiggo", 63) && !Entry("Bosch"));
}

void TestProts::consultListsItsCanUnitOnlyWithCanBlocks() {
    TDeviceFlags flags;
    flags.UseConsult = true;
    TProtocolEntries entries = CreateProtocolEntries(flags);
    QCOMPARE(int(entries.size()), 2);
    QCOMPARE(entries[0]->BlockCount, 0);
    QCOMPARE(entries[1]->BlockCount, 0);
    flags.HasCanBlocks = true;
    entries = CreateProtocolEntries(flags);
    QCOMPARE(Blocks(*entries[0]), QList<int>{45});
    QCOMPARE(Blocks(*entries[1]), QList<int>{45});
    QCOMPARE(entries[1]->ProtName, QStringLiteral("Consult1D"));
}

void TestProts::lightsControlAppendsIdentifier34() {
    BuildProtocolList(0x0901, 0, 0);
    QVERIFY(Catalog.Flags().HasLightsControl && !Catalog.Flags().NoAirTemperature);
    QVERIFY(!Catalog.Protocols().empty());
    for (const auto& p : Catalog.Protocols())
        QCOMPARE(int(p->ParamIds[std::size_t(p->ParamCount - 1)]), 34);

    BuildProtocolList(0x0601, 0, 0);
    QVERIFY(Catalog.Flags().HasLightsControl && Catalog.Flags().NoAirTemperature);
    for (const auto& p : Catalog.Protocols())
        QVERIFY(!Params(*p).contains(34));

    // A refused index still leaves the identifier appended.
    QVERIFY(!BuildError(0x0901, 250, 0).isEmpty());
    QCOMPARE(int(Catalog.Protocols().front()->ParamIds[std::size_t(
                 Catalog.Protocols().front()->ParamCount - 1)]),
             34);
}

void TestProts::optionsOfCatalogueEntries() {
    BuildProtocolList(0x0001, 0, 0);
    const TProtBase* can = Entry("CAN");
    QCOMPARE(can->OptionCaption[2], QStringLiteral("Расчет расхода"));
    QCOMPARE(can->ShownOptionValues(2),
             (QStringList{"1", "2", QStringLiteral("Круиз"), "4", "5D", "DustD"}));
    QCOMPARE(can->ShownOptionValues(3), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(can->ShownOptionValues(1), (QStringList{"4", "1"}));
    QCOMPARE(can->OptionCount[4], 42);
    QCOMPARE(can->OptionValues[4].at(41), QStringLiteral("Kuga2"));
    QVERIFY(can->OptionCaption[0].isEmpty());

    BuildProtocolList(0x0001, 0, 3);
    const TProtBase* ssangYong = Entry(QStringLiteral("SsYong диз"));
    QCOMPARE(ssangYong->OptionCount[0], 5);
    QCOMPARE(ssangYong->OptionValues[0].at(4), QStringLiteral("R27  "));
    const TProtBase* tobd = Entry("TOBD1");
    QCOMPARE(tobd->OptionCaption[3], QStringLiteral("Вариант ШД"));
    QCOMPARE(tobd->ShownOptionValues(1), (QStringList{"MAP1", "MAP2", "VAF"}));
    const TProtBase* honda = Entry("Honda");
    QCOMPARE(honda->ShownOptionValues(1), (QStringList{"2", "1"}));

    BuildProtocolList(0x0001, 0, 2);
    const TProtBase* vag12 = Entry("VAG 12");
    QCOMPARE(vag12->OptionCaption[1], QStringLiteral("Тип ДК"));
    QCOMPARE(Entry("VAG 11")->OptionCount[1], 0);
}

void TestProts::sharedOptionSetsSetGearboxOilTemp() {
    BuildProtocolList(0x0105, 0, 6);
    for (const char* name : {"CAN Toyota", "Estima", "Toyota Sai", "Prius2.0"}) {
        const TProtBase* p = Entry(QString::fromLatin1(name));
        QVERIFY2(p, name);
        QCOMPARE(p->HasGearboxOilTemp, 1);
        QCOMPARE(p->ShownOptionValues(4),
                 (QStringList{QStringLiteral("Нет"), "Toy1", "Toy2", "Toy3", "Toy4"}));
        QCOMPARE(p->OptionCaption[1], QStringLiteral("Опрос CAN раз/сек"));
    }
    QCOMPARE(Entry("Lex RX400H", 235)->OptionCount[4], 42);
    QCOMPARE(Entry("Lex RX400H", 233)->OptionCount[4], 5);
}

void TestProts::hasBlockLooksAtUsedEntriesOnly() {
    BuildProtocolList(0x0001, 0, 0);
    Catalog.SelectProtocol(Names().indexOf("CAN"));
    QVERIFY(Catalog.CurrentProtocol()->HasBlock(129));
    QVERIFY(Catalog.CurrentProtocol()->HasBlock(45));
    QVERIFY(!Catalog.CurrentProtocol()->HasBlock(8));
    QVERIFY(!Catalog.CurrentProtocol()->HasBlock(0)); // unused entries are 0
    QCOMPARE(Catalog.CurrentProtocol()->BlockCount, 56);
}

void TestProts::constructorListsCommonIdentifiersFirst() {
    const uint8_t params[] = {17, 0, 20};
    const TProtBase p("X", 1, 0, params, {});
    QCOMPARE(Params(p), Common({17, 20}));
    QCOMPARE(p.HasCoolantTemp, 1);
    QCOMPARE(p.HasEcuErrors, 1);
    QCOMPARE(FlagLetters(p), QStringLiteral("CE"));
    QCOMPARE(p.OptionValues[0].mid(0, 3), (QStringList{QStringLiteral("Авто"), "1", "2"}));
    QCOMPARE(p.OptionValues[4].at(12), QStringLiteral("13"));
    QVERIFY(p.OptionValues[4].at(13).isEmpty());
    QCOMPARE(p.OptionValues[7].at(9), QStringLiteral("10"));
    for (int option = 0; option < TProtBase::OptionSlots; ++option)
        QCOMPARE(int(p.OptionValues[option].size()), TProtBase::OptionCapacity[option]);
}

void TestProts::addParamLimits() {
    TProtBase p("X", 1, 0, {}, {});
    for (int i = p.ParamCount; i < TProtBase::MaxIds; ++i)
        p.AddParam(uint8_t(20));
    p.AddParam(0); // ignored even when full
    QCOMPARE(p.ParamCount, TProtBase::MaxIds);
    QVERIFY_THROWS_EXCEPTION(TRangeError, p.AddParam(21));
    QCOMPARE(p.ParamCount, TProtBase::MaxIds);

    const std::vector<uint8_t> tooMany(TProtBase::MaxIds + 1, 8);
    QVERIFY_THROWS_EXCEPTION(TRangeError, TProtBase("Y", 1, 0, {}, tooMany));
}

void TestProts::setOptionKeepsDefaultNamesBeyondGivenOnes() {
    TProtBase p("X", 1, 0, {}, {});
    p.SetOption(4, "Caption", 6, {"1", "2", "Given"});
    QCOMPARE(p.ShownOptionValues(4), (QStringList{"1", "2", "Given", "4", "5", "6"}));
    p.SetOption(0, "Zero", 3, {});
    QCOMPARE(p.ShownOptionValues(0), (QStringList{QStringLiteral("Авто"), "1", "2"}));
}

void TestProts::setOptionBeyondCapacityIsRangeError() {
    TProtBase p("X", 1, 0, {}, {});
    QVERIFY_THROWS_EXCEPTION(TRangeError, p.SetOption(1, "C", 22, {}));
    QStringList many;
    for (int i = 0; i < 62; ++i)
        many << QString::number(i);
    QVERIFY_THROWS_EXCEPTION(TRangeError, p.SetOption(4, "C", 2, many));
    QVERIFY_THROWS_EXCEPTION(TRangeError, p.SetOption(8, "C", 1, {}));
    p.SetOption(4, "C", 61, many.mid(0, 61));
    QCOMPARE(p.OptionCount[4], 61);
    QCOMPARE(p.OptionCaption[1], QString());
}

QTEST_GUILESS_MAIN(TestProts)
#include "tst_protocols.moc"
