// Carrying settings between devices of the variant table: the protocol by its entry, what
// is left out and why, the target's own journals and bytes, and identity on itself.
#include "ImageKit.h"

#include "base/MKError.h"
#include "carry/CarrySource.h"
#include "carry/SettingsCarry.h"
#include "catalog/MenuItems.h"
#include "editing/BlockChoice.h"
#include "editing/EditorSession.h"
#include "editing/HotMenus.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"

#include <QtTest>

namespace {

using TEdits = QList<QPair<QString, QVariant>>;

// What a user changed on the source before carrying; controls the device hides are skipped.
const TEdits SourceEdits = {
    {"seVelocityCorr", 4.5},  {"seTankContFull", 62.0},   {"rgLockType", 1},
    {"seLockTypeLevel", 3.0}, {"seSoundVolume", 6.0},     {"seGazContFull", 80.0},
    {"rgGasMeth", 1},         {"cbParkUse0", true},       {"seParkSense0", 5.0},
    {"seTarirLeng", 3.0},     {"seOilCalibrQuant", 4.0},  {"seOilCalibrLitArr3", 40.0},
    {"seUaccLowLimit", 25.0}, {"eUniMeasStr", "Масло"},   {"cbProtocolSelectMeth", 0},
    {"rgDispSpeed", 2},       {"seAllPathStart", 4321.0},
};

void Edit(TMK& mk, const TEdits& edits) {
    RunEditorModel(mk, [&](TSettingsEditor& e) {
        for (const auto& [name, value] : edits)
            if (e.Visible(name) && e.Enabled(name))
                e.Put(name, value);
        // Page data: screens, a hot menu, a colour, the tank table, a block.
        ScreenChoice::StoreId(e.Mk, TScreenKind::Four, 0, 0, 1);
        ScreenChoice::StoreId(e.Mk, TScreenKind::Four, 0, 1, 17);
        HotMenus::Move(e.Mk, 0, 0, 2);
        e.Mk.Record.DisplaySettings.ColorTable1.Palette[3] = 0x1234;
        e.TarirEdited = true;
        TankTable::Store(e, {{"10", "100"}, {"20", "200"}, {"30", "300"}});
        const std::vector<TAddSystem> blocks = BlockChoice::Catalogue(e);
        if (!blocks.empty())
            BlockChoice::SetChosen(e.Mk, blocks.front().Id, true);
        return true;
    });
}

// Image positions of blocks 1–11 as the directory places them.
QList<QPair<qsizetype, qsizetype>> EditedSpans(const TMK& mk) {
    QList<QPair<qsizetype, qsizetype>> spans;
    for (const TBlockInfo& info : BlockTable())
        if (info.Block != TBlock::ErrorJournal)
            spans.append({mk.ImageDirectory.Entries[info.DirectoryEntry - 1].Address - 32,
                          qsizetype(info.Size)});
    return spans;
}

bool InSpans(const QList<QPair<qsizetype, qsizetype>>& spans, qsizetype at) {
    for (const auto& [from, size] : spans)
        if (at >= from && at < from + size)
            return true;
    return false;
}

QStringList ReportedNames(const TCarryReport& report) {
    QStringList names;
    for (const TCarryEntry& e : report.NotCarried)
        names << e.Name;
    return names;
}

struct TDevice {
    uint16_t Version;
    uint32_t Variant;
    quint32 Memory;
};

// The x1 box of the parameter id under the record's protocol; -1 when it has none.
int OneValueBox(const TMK& mk, int id) {
    const TProtBase* protocol = mk.Catalog.CurrentProtocol();
    for (int box = 0; protocol && box < protocol->ParamCount; ++box)
        if (protocol->ParamIds[std::size_t(box)] == id)
            return box;
    return -1;
}

bool Ticked(TMK& mk, int box) {
    bool ticked = false;
    RunEditorModel(mk, [&](TSettingsEditor& e) {
        ticked = e.Shown(ScreenEnable::BoxName('1', box)).toBool();
        return false;
    });
    return ticked;
}

uint16_t MenuId(const TMK& mk, const char* name) {
    return mk.Catalog.FindMenuItem(QString::fromLatin1(name))->Id;
}

// Sets up the source (after its edits) or checks the target (after the carry).
using TStep = std::function<void(TMK&)>;

} // namespace

Q_DECLARE_METATYPE(TDevice)
Q_DECLARE_METATYPE(TStep)

class TestSettingsCarry : public QObject {
    Q_OBJECT

private slots:
    void carriesByMeaning_data() {
        QTest::addColumn<TDevice>("from");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<int>("code");
        QTest::addColumn<TDevice>("onto");
        QTest::addColumn<bool>("protocolCarried");
        QTest::addColumn<QStringList>("leftOut");
        QTest::addColumn<QStringList>("carried");

        const TDevice v1{0x0001, 1, 8192};
        QTest::newRow("same device") << v1 << "CAN" << 1 << v1 << true << QStringList{}
                                     << QStringList{"seVelocityCorr", "seLockTypeLevel"};
        QTest::newRow("protocol at another index")
            << v1 << "CAN" << 1 << TDevice{0x0001, 2, 8192} << true << QStringList{}
            << QStringList{"seTankContFull", "seOilCalibrLitArr3"};
        QTest::newRow("protocol missing")
            << v1 << "M74CAN" << 11 << TDevice{0x0001, 3, 8192} << false
            << QStringList{"cbProtocol", "cbProtTypeAdd1"} << QStringList{"seVelocityCorr"};
        QTest::newRow("no gas, voice or parking")
            << v1 << "M74CAN" << 11 << TDevice{0x0A01, 10, 8192} << true
            << QStringList{"seGazContFull", "rgGasMeth", "seSoundVolume", "cbParkUse0",
                           "seParkSense0"}
            << QStringList{"seTankContFull", "rgLockType"};
        QTest::newRow("8 KB to 32 KB") << v1 << "CAN" << 1 << TDevice{0x0001, 1, 32768} << true
                                       << QStringList{} << QStringList{"seAllPathStart"};
        QTest::newRow("32 KB to 8 KB") << TDevice{0x0001, 1, 32768} << "CAN" << 1 << v1 << true
                                       << QStringList{} << QStringList{"seAllPathStart"};
        QTest::newRow("another firmware variant")
            << v1 << "M74CAN" << 11 << TDevice{0x0001, 4, 8192} << true << QStringList{}
            << QStringList{"cbProtTypeAdd1", "seTarirLeng"};
        QTest::newRow("24 V onto 12 V")
            << TDevice{0x8002, 1, 8192} << "CAN" << 1 << TDevice{0x0001, 0, 8192} << true
            << QStringList{"seUaccLowLimit", "Blocks"} << QStringList{"seVelocityCorr"};
    }

    void carriesByMeaning() {
        QFETCH(TDevice, from);
        QFETCH(QString, protocol);
        QFETCH(int, code);
        QFETCH(TDevice, onto);
        QFETCH(bool, protocolCarried);
        QFETCH(QStringList, leftOut);
        QFETCH(QStringList, carried);

        TMK source, target;
        DeclareDevice(source, from.Version, from.Variant, from.Memory, protocol, code);
        Edit(source, SourceEdits);
        DeclareDevice(target, onto.Version, onto.Variant, onto.Memory);
        const QByteArray before = target.Image;
        const TSettingsRecord record = target.Record;
        const QByteArray sourceImage = source.Image;

        const TCarryReport report = CarrySettings(source, target);

        QCOMPARE(source.Image, sourceImage);
        QCOMPARE(target.SettingsVersion, onto.Version);
        QCOMPARE(target.FirmwareVersion(), onto.Variant);
        QCOMPARE(target.Image.size(), before.size());
        const auto spans = EditedSpans(target);
        for (qsizetype i = 0; i < before.size(); ++i)
            if (!InSpans(spans, i) && before[i] != target.Image[i])
                QFAIL(qPrintable(QStringLiteral("byte %1 outside blocks 1–11 changed").arg(i)));
        target.UnpackAll();
        const TTripSettings& trips = target.Record.TripSettings;
        QVERIFY(std::memcmp(trips.TripJournal, record.TripSettings.TripJournal,
                            sizeof trips.TripJournal) == 0);
        QVERIFY(std::memcmp(trips.TankJournal, record.TripSettings.TankJournal,
                            sizeof trips.TankJournal) == 0);
        QVERIFY(std::memcmp(&target.Record.TripTotals, &record.TripTotals,
                            offsetof(TTripTotals, AllPathStart)) == 0);
        QVERIFY(std::memcmp(&target.Record.TripTotals.OilOnlySum, &record.TripTotals.OilOnlySum,
                            offsetof(TTripTotals, Reserved160) -
                                offsetof(TTripTotals, OilOnlySum)) == 0);

        const QStringList names = ReportedNames(report);
        for (const QString& name : leftOut)
            QVERIFY2(names.contains(name), qPrintable(name));
        for (const QString& name : carried)
            QVERIFY2(!names.contains(name), qPrintable(name));
        if (leftOut.isEmpty())
            QVERIFY2(report.Complete(), qPrintable(report.Lines().join('\n')));
        for (const TCarryEntry& e : report.NotCarried)
            QVERIFY(!e.Page.isEmpty() && !e.Reason.isEmpty());
        QVERIFY(report.Carried > 100);

        // The protocol by its entry; what was not reported shows what the source showed.
        const TCarrySource shown = TakeCarrySource(source);
        bool sameEntry = false;
        QStringList differ;
        RunEditorModel(target, [&](TSettingsEditor& e) {
            sameEntry = e.Protocol().ProtName == protocol && e.Protocol().ProtCode == code;
            for (const TShownSetting& s : shown.Controls)
                if (!names.contains(s.Name) && ShownText(e, e.RowOrThrow(s.Name)) != s.Text)
                    differ << s.Name + ": " + ShownText(e, e.RowOrThrow(s.Name)) + " / " + s.Text;
            return false;
        });
        QCOMPARE(sameEntry, protocolCarried);
        QVERIFY2(differ.isEmpty(), qPrintable(differ.join('\n')));
    }

    void reportsRangeAndReason() {
        TMK source, target;
        DeclareDevice(source, 0x8002, 1, 8192, "CAN", 1);
        Edit(source, {{"seUaccLowLimit", 25.0}});
        DeclareDevice(target, 0x0001, 0);
        const int16_t own = target.Record.LimitsSettings.UaccLowLimit;
        const TCarryReport report = CarrySettings(source, target);
        const auto it =
            std::find_if(report.NotCarried.begin(), report.NotCarried.end(),
                         [](const TCarryEntry& e) { return e.Name == "seUaccLowLimit"; });
        QVERIFY(it != report.NotCarried.end());
        QCOMPARE(it->From, QStringLiteral("25.0"));
        QCOMPARE(it->Reason, QStringLiteral("Вне диапазона этого МК (9.0 … 13.9)"));
        QCOMPARE(it->Page, QStringLiteral("Границы"));
        // The target keeps its own value.
        target.UnpackAll();
        QCOMPARE(int16_t(target.Record.LimitsSettings.UaccLowLimit), own);
    }

    void protocolGoesByEntryNotIndex() {
        const int from = ProtocolIndex(0x0001, 1, "CAN", 1);
        const int onto = ProtocolIndex(0x0001, 2, "CAN", 1);
        QVERIFY(from >= 0 && onto >= 0 && from != onto);
        TMK source, target;
        DeclareDevice(source, 0x0001, 1, 8192, "CAN", 1);
        DeclareDevice(target, 0x0001, 2);
        CarrySettings(source, target);
        target.UnpackAll();
        QCOMPARE(int(target.Record.ProtocolSettings.Protocol), onto);
    }

    void sameDeviceCarriesPageData() {
        TMK source, target;
        DeclareDevice(source, 0x0001, 1, 8192, "CAN", 1);
        Edit(source, SourceEdits);
        DeclareDevice(target, 0x0001, 1);
        QVERIFY(CarrySettings(source, target).Complete());
        source.UnpackAll();
        target.UnpackAll();
        const TDisplaySettings& a = source.Record.DisplaySettings;
        const TDisplaySettings& b = target.Record.DisplaySettings;
        QVERIFY(std::memcmp(a.Screens4, b.Screens4, sizeof a.Screens4) == 0);
        QVERIFY(std::memcmp(a.HotMenus, b.HotMenus, sizeof a.HotMenus) == 0);
        QVERIFY(std::memcmp(&a.ColorTable1, &b.ColorTable1, sizeof a.ColorTable1) == 0);
        QCOMPARE(uint8_t(target.Record.TankCalibration.TarirLitres[2]), uint8_t(30));
        QCOMPARE(int16_t(target.Record.TankCalibration.TarirUnits[2]), int16_t(300));
        QVERIFY(std::memcmp(source.Record.ServiceSettings.Blocks,
                            target.Record.ServiceSettings.Blocks,
                            sizeof source.Record.ServiceSettings.Blocks) == 0);
    }

    void carryingOntoItselfIsOpeningAndOk_data() {
        QTest::addColumn<TDevice>("device");
        QTest::addColumn<bool>("edited");
        QTest::newRow("factory") << TDevice{0x0001, 1, 8192} << false;
        QTest::newRow("edited") << TDevice{0x0001, 1, 8192} << true;
        QTest::newRow("32 KB edited") << TDevice{0x0001, 1, 32768} << true;
        QTest::newRow("no gas, voice or parking") << TDevice{0x0A01, 10, 8192} << true;
        QTest::newRow("24 V") << TDevice{0x8002, 1, 8192} << true;
        QTest::newRow("hybrid") << TDevice{0x0105, 6, 8192} << false;
    }

    void carryingOntoItselfIsOpeningAndOk() {
        QFETCH(TDevice, device);
        QFETCH(bool, edited);
        TMK file;
        DeclareDevice(file, device.Version, device.Variant, device.Memory);
        if (edited)
            Edit(file, SourceEdits);
        TMK copy, expected;
        for (TMK* mk : {&copy, &expected}) {
            mk->SettingsVersion = file.SettingsVersion;
            mk->Image = file.Image;
            mk->UnpackAll();
        }
        RunEditorModel(expected, [](TSettingsEditor&) { return true; });
        const TCarryReport report = CarrySettings(file, copy);
        QVERIFY2(report.Complete(), qPrintable(report.Lines().join('\n')));
        QCOMPARE(copy.Image, expected.Image);
    }

    void sourceTheEditorCannotOpenChangesNothing() {
        TMK source, target;
        DeclareDevice(source, 0x0001, 1);
        StoreField(source, RecordField(u"Protocol"), 250);
        source.PackAll();
        DeclareDevice(target, 0x0001, 2);
        const QByteArray before = target.Image;
        QVERIFY_THROWS_EXCEPTION(TMKError, CarrySettings(source, target));
        QCOMPARE(target.Image, before);
    }

    // Ids whose meaning differs between the two devices' catalogues go by meaning or are
    // reported; a value the target holds only rounded is reported with what it became.
    void idsGoByMeaningValuesReportRounding_data() {
        QTest::addColumn<TDevice>("from");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<int>("code");
        QTest::addColumn<TEdits>("edits");
        QTest::addColumn<TStep>("prepare"); // the source's page data, then the target's
        QTest::addColumn<TDevice>("onto");
        QTest::addColumn<QString>("reported"); // the entry's name, empty for a complete carry
        QTest::addColumn<QString>("reason");
        QTest::addColumn<TStep>("check");

        // Id 11 is the outside-air temperature here and the low-beam control on OBD2E.
        const TDevice bosch{0x0C01, 0, 8192}, obd2e{0x0601, 0, 8192}, factory{0x0001, 1, 8192};
        const TStep none = [](TMK&) {};
        const QString notHere = CarryReasons::IdNotInCatalogue();
        QTest::newRow("x1 air temperature onto lights control")
            << bosch << "Bosch" << 63 << TEdits{} << TStep([](TMK& mk) {
                   if (mk.SettingsVersion == 0x0601) // the target's box stays unticked
                       Edit(mk, {{ScreenEnable::BoxName('1', OneValueBox(mk, 11)), false}});
               })
            << obd2e << ScreenEnable::BoxName('1', 10) << notHere
            << TStep([](TMK& mk) { QVERIFY(!Ticked(mk, OneValueBox(mk, 11))); });
        QTest::newRow("x4 air temperature onto lights control")
            << bosch << "Bosch" << 63 << TEdits{} << TStep([](TMK& mk) {
                   if (mk.SettingsVersion == 0x0C01) {
                       ScreenChoice::StoreId(mk, TScreenKind::Four, 0, 0, 11);
                       mk.PackAll();
                   }
               })
            << obd2e << "Screens4" << notHere << TStep([](TMK& mk) {
                   QVERIFY(ScreenChoice::StoredId(mk, TScreenKind::Four, 0, 0) != 11);
               });
        QTest::newRow("hot menu item past the voice items")
            << factory << "CAN" << 1 << TEdits{} << TStep([](TMK& mk) {
                   if (mk.SettingsVersion == 0x0001) {
                       HotMenus::Clear(mk, 1);
                       HotMenus::Insert(mk, 1, 0, MenuId(mk, "apVelMenu"));
                       mk.PackAll();
                   }
               })
            << TDevice{0x0A01, 10, 8192} << QString() << QString() << TStep([](TMK& mk) {
                   QCOMPARE(HotMenus::Entry(mk, 1, 0), MenuId(mk, "apVelMenu"));
                   QVERIFY(MenuId(mk, "apVelMenu") != MenuId(TMK(), "apVelMenu"));
               });
        QTest::newRow("service tenths onto whole thousands")
            << bosch << "Bosch" << 63 << TEdits{{"seAirFiltCntK", 0.6}} << none << obd2e
            << "seAirFiltCntK" << CarryReasons::Rounded(1, 0)
            << TStep([](TMK& mk) { QCOMPARE(int(mk.Record.ServiceSettings.AirFiltCntK), 1); });
        QTest::newRow("whole thousands onto tenths")
            << obd2e << "OBD2E" << 102 << TEdits{{"seAirFiltCntK", 5.0}} << none << bosch
            << QString() << QString()
            << TStep([](TMK& mk) { QCOMPARE(int(mk.Record.ServiceSettings.AirFiltCntK), 50); });
    }

    void idsGoByMeaningValuesReportRounding() {
        QFETCH(TDevice, from);
        QFETCH(QString, protocol);
        QFETCH(int, code);
        QFETCH(TEdits, edits);
        QFETCH(TStep, prepare);
        QFETCH(TDevice, onto);
        QFETCH(QString, reported);
        QFETCH(QString, reason);
        QFETCH(TStep, check);
        TMK source, target;
        DeclareDevice(source, from.Version, from.Variant, from.Memory, protocol, code);
        Edit(source, edits);
        DeclareDevice(target, onto.Version, onto.Variant, onto.Memory);
        for (TMK* mk : {&source, &target}) {
            mk->RebuildProtocolList();
            prepare(*mk);
        }

        const TCarryReport report = CarrySettings(source, target);

        const auto entry = std::find_if(report.NotCarried.begin(), report.NotCarried.end(),
                                        [&](const TCarryEntry& e) { return e.Name == reported; });
        if (reported.isEmpty()) {
            QVERIFY2(!ReportedNames(report).contains("HotMenus"),
                     qPrintable(report.Lines().join('\n')));
        } else {
            QVERIFY2(entry != report.NotCarried.end(), qPrintable(report.Lines().join('\n')));
            QCOMPARE(entry->Reason, reason);
        }
        if (!edits.isEmpty())
            QVERIFY2(!ReportedNames(report).contains(edits.front().first) ||
                         edits.front().first == reported,
                     qPrintable(report.Lines().join('\n')));
        target.UnpackAll();
        target.RebuildProtocolList();
        check(target);
    }

    void reportReadsAsLinesAndJson() {
        TCarryReport report;
        report.Carried = 7;
        report.NotCarried.push_back(
            {"seSoundVolume", "Озвуч.сообщения", "Громкость", "6", CarryReasons::NotOnThisMK()});
        QCOMPARE(report.Lines(), QStringList{"Озвуч.сообщения › Громкость: 6 — Нет на этом МК"});
        const QJsonObject json = report.Json();
        QCOMPARE(json.value("Carried").toInt(), 7);
        QCOMPARE(json.value("NotCarried").toArray().at(0).toObject().value("Reason").toString(),
                 QStringLiteral("Нет на этом МК"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsCarry)
#include "tst_settingscarry.moc"
