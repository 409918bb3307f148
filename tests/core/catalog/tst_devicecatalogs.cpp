#include "base/MKError.h"
#include "catalog/AdditionalSystems.h"
#include "catalog/DeviceCatalog.h"
#include "catalog/HotMenuLayout.h"
#include "catalog/MeasuredParams.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"

#include <QtTest>
#include <set>

// Cross-catalogue checks for every device of the variant table and a few unknown ones: what
// one catalogue names, the others must hold.

namespace {

// The default hot menus of a fresh device model.
const char* const DefaultHotMenuNames[] = {"FullTankMenu",
                                           "ToTankMenu",
                                           "FlagSoundMenu",
                                           "VelocityLimitMenu",
                                           "PrognozMenu",
                                           "ExpenseHHMenu",
                                           "MeasParamsHistoryFlagMenu",
                                           "TripJournMenu",
                                           "InitReset0ParamsMenu",
                                           "InitReset1ParamsMenu",
                                           "ContinueTripMenu",
                                           "TankJournMenu",
                                           "TaxStartFinishMenu",
                                           "TaxTarifDNMenu",
                                           "TaxTarifNumMenu",
                                           "TaxClearAllSumMenu",
                                           "ParkOffMenu",
                                           "ParkSenseMenu_0",
                                           "ParkSpeedMenu_0",
                                           "ParkBeepTypeMenu",
                                           "ParkAlwaysOnMenu"};

// The catalogue of the device the case checks.
TDeviceCatalog Catalog;

void Build(int version, int variant) {
    Catalog = TDeviceCatalog(uint16_t(version), uint8_t(variant));
}

void CollectNames(const std::vector<THotMenuEntry>& entries, QStringList& names) {
    for (const THotMenuEntry& e : entries) {
        if (!e.ItemName.isEmpty())
            names << e.ItemName;
        CollectNames(e.Children, names);
    }
}

} // namespace

class TestDeviceCatalogs : public QObject {
    Q_OBJECT

private slots:
    void protocolParametersResolve_data() { AddDevices(); }
    void protocolParametersResolve();
    void optionListsStayWithinLimits_data() { AddDevices(); }
    void optionListsStayWithinLimits();
    void requestedMenuItemsExist_data() { AddDevices(); }
    void requestedMenuItemsExist();
    void additionalSystems_data() { AddDevices(); }
    void additionalSystems();
    void additionalSystemsKeepCatalogueOrder();

private:
    static void AddDevices();
};

void TestDeviceCatalogs::AddDevices() {
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("variant");
    for (const TVariantRow& row : DeviceVariantRows()) {
        QList<int> variants;
        if (row.Variants.Any)
            variants = {0, 1, 7, 255};
        for (int v = 0; v < 32 && !row.Variants.Any; ++v)
            if (row.Variants.Contains(uint8_t(v)))
                variants << v;
        for (int v : variants)
            QTest::addRow("%04x/%d", row.SettingsVersion, v) << int(row.SettingsVersion) << v;
    }
    QTest::newRow("unknown 0002/0") << 0x0002 << 0;
    QTest::newRow("unknown ffff/255") << 0xFFFF << 255;
    QTest::newRow("unlisted 0801/12") << 0x0801 << 12;
}

void TestDeviceCatalogs::protocolParametersResolve() {
    QFETCH(int, version);
    QFETCH(int, variant);
    Build(version, variant);
    const TMeasParList params = BuildMeasParList(Catalog.Flags());
    QVERIFY(FindMeasPar(params, 11));
    const bool has34 = FindMeasPar(params, 34) != nullptr;
    QCOMPARE(has34, Catalog.Flags().HasLightsControl && !Catalog.Flags().NoAirTemperature);
    for (const auto& p : Catalog.Protocols()) {
        QVERIFY2(p->ParamCount >= 16 && p->ParamCount < 40, qPrintable(p->ProtName));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(int(p->ParamIds[std::size_t(i)]), i + 1);
        std::set<int> seen;
        for (int i = 0; i < p->ParamCount; ++i) {
            const int id = p->ParamIds[std::size_t(i)];
            QVERIFY2(FindMeasPar(params, id),
                     qPrintable(QStringLiteral("%1: %2").arg(p->ProtName).arg(id)));
            QVERIFY2(seen.insert(id).second,
                     qPrintable(QStringLiteral("%1: %2 twice").arg(p->ProtName).arg(id)));
        }
        QCOMPARE(p->ParamIds[std::size_t(p->ParamCount - 1)] == 34, has34);
        if (p->ProtName == QStringLiteral("VAG CE") || p->ProtName == QStringLiteral("Универс."))
            QCOMPARE(p->ParamCount, 16 + (has34 ? 1 : 0));
    }
}

void TestDeviceCatalogs::optionListsStayWithinLimits() {
    QFETCH(int, version);
    QFETCH(int, variant);
    Build(version, variant);
    for (const auto& p : Catalog.Protocols()) {
        QVERIFY(p->BlockCount >= 0 && p->BlockCount <= TProtBase::MaxIds);
        for (int option = 0; option < TProtBase::OptionSlots; ++option) {
            const int count = p->OptionCount[std::size_t(option)];
            QCOMPARE(int(p->OptionValues[std::size_t(option)].size()),
                     TProtBase::OptionCapacity[std::size_t(option)]);
            QVERIFY(count >= 0 && count <= TProtBase::OptionCapacity[std::size_t(option)]);
            QCOMPARE(p->OptionCaption[std::size_t(option)].isEmpty(), count == 0);
            for (const QString& name : p->ShownOptionValues(option))
                QVERIFY2(!name.trimmed().isEmpty(), qPrintable(p->ProtName));
        }
    }
}

void TestDeviceCatalogs::requestedMenuItemsExist() {
    QFETCH(int, version);
    QFETCH(int, variant);
    Build(version, variant);
    QStringList requested;
    for (const char* name : DefaultHotMenuNames)
        requested << QString::fromLatin1(name);
    for (int list = 0; list < HotMenuListCount; ++list)
        CollectNames(HotMenuInsertMenu(list, Catalog.Flags()), requested);
    QStringList expectedMissing = {"InitResetOnlyParamsMenu"};
    if (Catalog.Flags().NoVoice)
        expectedMissing << "SoundVolumeMenu"
                        << "SayParamPeriodMenu";
    QStringList missing;
    for (const QString& name : requested)
        if (!Catalog.FindMenuItem(name))
            missing << name;
    missing.sort();
    expectedMissing.sort();
    QCOMPARE(missing, expectedMissing);
    QVERIFY(requested.contains(Catalog.Flags().NoAirTemperature ? "LightsOnMenu" : "apHoloMenu"));
    QVERIFY(!requested.contains(Catalog.Flags().NoAirTemperature ? "apHoloMenu" : "LightsOnMenu"));
}

void TestDeviceCatalogs::additionalSystems() {
    QFETCH(int, version);
    QFETCH(int, variant);
    Build(version, variant);
    const std::vector<TAddSystem> systems = BuildAddSystemList(Catalog.Flags());
    const int expected = !Catalog.Flags().HasCanBlocks   ? 29
                         : Catalog.Flags().J1939Extended ? 123
                                                         : 122;
    QCOMPARE(int(systems.size()), expected);
    std::set<int> ids;
    for (const TAddSystem& s : systems) {
        QVERIFY(s.Id >= 8 && !s.Name.isEmpty());
        QVERIFY2(ids.insert(s.Id).second, qPrintable(s.Name));
    }
    QCOMPARE(systems.front().Id == 93,
             Catalog.Flags().J1939Extended && Catalog.Flags().HasCanBlocks);
    // Where the CAN units are offered, every unit a protocol lists has a row (but 134).
    if (!Catalog.Flags().HasCanBlocks)
        return;
    for (const auto& p : Catalog.Protocols())
        for (int i = 0; i < p->BlockCount; ++i) {
            const int id = p->BlockIds[std::size_t(i)];
            QVERIFY2(id == 134 || ids.count(id),
                     qPrintable(QStringLiteral("%1: %2").arg(p->ProtName).arg(id)));
        }
}

void TestDeviceCatalogs::additionalSystemsKeepCatalogueOrder() {
    TDeviceFlags flags;
    const std::vector<TAddSystem> plain = BuildAddSystemList(flags);
    QCOMPARE(int(plain.front().Id), 8);
    QCOMPARE(plain.front().Name, QStringLiteral("Иммо АПС-4"));
    QCOMPARE(int(plain.back().Id), 118);
    flags.HasCanBlocks = flags.J1939Extended = true;
    const std::vector<TAddSystem> all = BuildAddSystemList(flags);
    QCOMPARE(int(all.size()), 123);
    QCOMPARE(all.front().Name, QStringLiteral("Доп.устройства"));
    QCOMPARE(int(all[1].Id), 8);
    QCOMPARE(int(all[30].Id), 25); // the CAN units follow the 29 common ones
    QCOMPARE(int(all.back().Id), 132);
    QVERIFY(int(all.size()) <= MaxAddSystems);
    flags.HasCanBlocks = false; // J1939Extended alone adds nothing
    QCOMPARE(int(BuildAddSystemList(flags).size()), 29);
}

QTEST_GUILESS_MAIN(TestDeviceCatalogs)
#include "tst_devicecatalogs.moc"
