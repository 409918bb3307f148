// Pages "Границы" and "Озвуч.сообщения" and the service information through the editor's
// model: scales and ranges, what the current protocol and the flags show, the warning
// presentation bytes.
#include "PagesKit.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "editing/WarningTable.h"

#include <QtTest>
#include <cstring>

namespace {

// A device by settings version and variant, opened on the first protocol with this code.
std::function<void(TMK&)> OnDevice(uint16_t version, uint32_t variant, int code) {
    return [=](TMK& mk) {
        mk.SettingsVersion = version;
        std::memcpy(mk.Image.data() + offsetof(TImageDirectory, FirmwareVersion), &variant, 4);
        const TDeviceCatalog catalog(version, uint8_t(variant));
        for (std::size_t i = 0; i < catalog.Protocols().size(); ++i)
            if (catalog.Protocols()[i]->ProtCode == code) {
                mk.Record.ProtocolSettings.Protocol = uint16_t(i);
                return;
            }
        qFatal("device %x/%u has no protocol %d", version, variant, code);
    };
}

std::function<void(TMK&)> Then(std::function<void(TMK&)> first, std::function<void(TMK&)> second) {
    return [=](TMK& mk) {
        first(mk);
        second(mk);
    };
}

QString GroupName(int index, bool later) {
    return WarningGroupName(WarningRows()[std::size_t(index)], later);
}

// Spin edits of the four pages.
QStringList SpinNames(const TSettingsEditor& e) {
    QStringList names;
    for (const TControlRow& row : e.Rows())
        if (row.Kind == TControlKind::Spin &&
            QStringList{"TabSheet2", "tsCorr", "TabSheet1", "tsVoice"}.contains(row.Page))
            names << row.Name;
    return names;
}

} // namespace

class TEditorLimitsTest : public QObject {
    Q_OBJECT
private slots:
    void SpeedLimitInHalves_data() {
        QTest::addColumn<double>("entered");
        QTest::addColumn<int>("stored");
        QTest::addColumn<double>("shownBack");
        QTest::newRow("41 halves to even") << 41.0 << 20 << 40.0;
        QTest::newRow("43 halves to even") << 43.0 << 22 << 44.0;
        QTest::newRow("120") << 120.0 << 60 << 120.0;
        QTest::newRow("above the range") << 250.0 << 100 << 200.0;
    }
    void SpeedLimitInHalves() {
        QFETCH(double, entered);
        QFETCH(int, stored);
        QFETCH(double, shownBack);
        TPagesKit kit;
        kit.Editor->Put("seVelocityLimit", entered);
        QCOMPARE(kit.Field("VelocityLimit"), stored);
        kit.Editor->Reload("seVelocityLimit");
        QCOMPARE(kit.Editor->Shown("seVelocityLimit").toDouble(), shownBack);
    }

    void BatteryRangesBy24V_data() {
        QTest::addColumn<bool>("is24V");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("stored");
        QTest::addColumn<double>("shown");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("12 V low") << false << "seUaccLowLimit" << 120 << 12.0 << 9.0 << 13.9;
        QTest::newRow("24 V low clamps") << true << "seUaccLowLimit" << 120 << 18.0 << 18.0 << 27.8;
        QTest::newRow("24 V high") << true << "seUaccHighLimit" << 295 << 29.5 << 28.0 << 32.0;
    }
    void BatteryRangesBy24V() {
        QFETCH(bool, is24V);
        QFETCH(QString, control);
        QFETCH(int, stored);
        QFETCH(double, shown);
        QFETCH(double, min);
        QFETCH(double, max);
        const QByteArray field = control.mid(2).toLatin1();
        TPagesKit kit(WithField(field.constData(), stored),
                      [&](TDeviceFlags& f) { f.Is24V = is24V; });
        QCOMPARE(kit.Editor->Visible("rg24VMode"), is24V);
        QCOMPARE(kit.Editor->Range(control).Min, min);
        QCOMPARE(kit.Editor->Range(control).Max, max);
        QCOMPARE(kit.Editor->Shown(control).toDouble(), shown);
        // The record keeps its value until the control is left.
        QCOMPARE(kit.Field(field.constData()), stored);
        kit.Editor->Put(control, kit.Editor->Shown(control));
        QCOMPARE(kit.Field(field.constData()), qint64(std::nearbyint(shown * 10)));
    }

    // Which limits, warning rows and sources the current protocol shows.
    void ProtocolShowsWhatItMeasures_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<int>>("rows");
        const QList<int> always{0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 16, 17};
        QTest::newRow("M74CAN") << 1 << 1 << 11
                                << QStringList{"seLiqTemperLimit", "seLiqTemperReady",
                                               "seOilAKPPTemperLimit", "seVentTempLimit",
                                               "rgGabarType"}
                                << always + QList<int>{9, 10, 15, 19};
        QTest::newRow("VAG") << 1 << 2 << 82
                             << QStringList{"seLiqTemperLimit", "seLiqTemperReady",
                                            "seVAGSFilterLimit"}
                             << always + QList<int>{9, 10, 15};
        QTest::newRow("J1939 extended")
            << 0x8002 << 0 << 14 << QStringList{"seLiqTemperLimit",         "seLiqTemperReady",
                                                "seOilAKPPTemperLimit",     "seOilEngTemperLimit",
                                                "seRetarderOilTemperLimit", "rgUaccMeth"}
            << always + QList<int>{9, 10, 15, 19, 20, 21, 22};
        QTest::newRow("hybrid") << 0x0105 << 6 << 230
                                << QStringList{"seLiqTemperLimit",     "seLiqTemperReady",
                                               "seOilAKPPTemperLimit", "seVentTempLimit",
                                               "seInvTemperLimit",     "seHVBTemperLimit"}
                                << always + QList<int>{9, 10, 15, 18, 19, 23};
        QTest::newRow("universal") << 1 << 1 << 255 << QStringList() << always;
    }
    void ProtocolShowsWhatItMeasures() {
        QFETCH(int, version);
        QFETCH(int, variant);
        QFETCH(int, code);
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, rows);
        TPagesKit kit(OnDevice(uint16_t(version), uint32_t(variant), code));
        QCOMPARE(kit.Editor->Protocol().ProtCode, code);
        const QStringList byProtocol{"seLiqTemperLimit",
                                     "seLiqTemperReady",
                                     "seOilAKPPTemperLimit",
                                     "seOilEngTemperLimit",
                                     "seRetarderOilTemperLimit",
                                     "seCVTFDeteriorLim",
                                     "seVentTempLimit",
                                     "seInvTemperLimit",
                                     "seHVBTemperLimit",
                                     "seVAGSFilterLimit",
                                     "rgGabarType",
                                     "rgUaccMeth"};
        for (const QString& name : byProtocol)
            QVERIFY2(kit.Editor->Visible(name) == shown.contains(name), qPrintable(name));
        for (int i = 0; i < AlarmEvents; ++i) {
            QVERIFY2(kit.Editor->Visible(GroupName(i, false)) == rows.contains(i),
                     qPrintable(GroupName(i, false)));
            if (WarningRows()[std::size_t(i)].HasLater)
                QCOMPARE(kit.Editor->Visible(GroupName(i, true)), rows.contains(i));
        }
    }

    void FanRangeFollowsAProtocolChange() {
        TPagesKit kit(Then(OnDevice(0x0105, 6, 230), WithField("VentTempLimit", 50)));
        QCOMPARE(kit.Editor->Range("seVentTempLimit").Min, 25.0);
        QCOMPARE(kit.Editor->Range("seVentTempLimit").Max, 60.0);
        QCOMPARE(kit.Editor->Shown("seVentTempLimit").toDouble(), 50.0);
        int plain = -1;
        const auto& protocols = kit.Mk.Catalog.Protocols();
        for (std::size_t i = 0; i < protocols.size() && plain < 0; ++i)
            if (!protocols[i]->IsHybrid)
                plain = int(i);
        QVERIFY(plain >= 0);
        kit.Editor->Put("cbProtocol", plain);
        QCOMPARE(kit.Editor->Range("seVentTempLimit").Min, 75.0);
        QCOMPARE(kit.Editor->Shown("seVentTempLimit").toDouble(), 75.0);
        QCOMPARE(kit.Field("VentTempLimit"), 50);
    }

    // Every spin edit's range fits its field in shown units: both bounds store and show back.
    void RangesFitTheirFields_data() {
        QTest::addColumn<bool>("is24V");
        QTest::addColumn<QString>("control");
        TPagesKit kit;
        for (const bool is24V : {false, true})
            for (const QString& name : SpinNames(*kit.Editor))
                QTest::addRow("%s%s", qPrintable(name), is24V ? " 24 V" : "") << is24V << name;
    }
    void RangesFitTheirFields() {
        QFETCH(bool, is24V);
        QFETCH(QString, control);
        TPagesKit kit({}, [&](TDeviceFlags& f) { f.Is24V = is24V; });
        const TRange range = kit.Editor->Range(control);
        for (const double bound : {range.Min, range.Max}) {
            kit.Editor->Put(control, bound);
            kit.Editor->Reload(control);
            QCOMPARE(kit.Editor->Shown(control).toDouble(), bound);
        }
    }

    void RangeErrorKeepsTheField_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::newRow("300 in a byte") << "seRevolutionsLimit" << 300.0;
        QTest::newRow("tenths beyond a word") << "seUaccLowLimit" << 4000.0;
    }
    void RangeErrorKeepsTheField() {
        QFETCH(QString, control);
        QFETCH(double, value);
        TPagesKit kit;
        const QByteArray field = control.mid(2).toLatin1();
        const int64_t before = kit.Field(field.constData());
        const TControlRow& row = kit.Editor->RowOrThrow(control);
        QVERIFY_THROWS_EXCEPTION(TRangeError, row.Store(*kit.Editor, value));
        QCOMPARE(kit.Field(field.constData()), before);
    }

    void PresentationLoads_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("later");
        QTest::newRow("0x1A") << 0x1A << 2 << 3;
        QTest::newRow("0x24 both last") << 0x24 << 4 << 4;
        QTest::newRow("first 5 names no item") << 0x05 << -1 << 0;
        QTest::newRow("both beyond") << 0x3F << -1 << -1;
    }
    void PresentationLoads() {
        QFETCH(int, byte);
        QFETCH(int, first);
        QFETCH(int, later);
        TPagesKit kit(WithField("AlarmPresentation", byte, 2));
        QCOMPARE(kit.Editor->Shown("rgapVel_F").toInt(), first);
        QCOMPARE(kit.Editor->Shown("rgapVel_N").toInt(), later);
        // Nothing is stored until a group is left.
        QCOMPARE(kit.Field("AlarmPresentation", 2), byte);
    }

    // Index, byte stored, group left, item put, byte afterwards.
    void PresentationStores_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("after");
        QTest::newRow("first changed") << 0 << 0x1A << "rgapUAccHigh_F" << 4 << 0x1C;
        QTest::newRow("later changed") << 1 << 0x1A << "rgapUAccLow_N" << 0 << 0x02;
        QTest::newRow("service with Н") << 6 << 0 << "rgapTO_F" << 1 << 9;
        QTest::newRow("high bits dropped") << 3 << 0xC9 << "rgapRev_F" << 1 << 0x09;
        // A group without an item keeps the bits the record holds.
        QTest::newRow("first beyond kept") << 4 << 0x05 << "rgapTank_N" << 2 << 0x15;
        QTest::newRow("no item left as is") << 4 << 0x3D << "rgapTank_N" << -1 << 0x3D;
    }
    void PresentationStores() {
        QFETCH(int, index);
        QFETCH(int, byte);
        QFETCH(QString, control);
        QFETCH(int, item);
        QFETCH(int, after);
        TPagesKit kit(WithField("AlarmPresentation", byte, index));
        kit.Editor->Put(control, item);
        QCOMPARE(kit.Field("AlarmPresentation", index), after);
    }

    void NoVoiceOrAirTemperature_data() {
        QTest::addColumn<bool>("noVoice");
        QTest::newRow("voice") << false;
        QTest::newRow("no voice, no air temperature") << true;
    }
    void NoVoiceOrAirTemperature() {
        QFETCH(bool, noVoice);
        TPagesKit kit({}, [&](TDeviceFlags& f) { f.NoVoice = f.NoAirTemperature = noVoice; });
        const QList<bool> enabled{true, true, true, !noVoice, !noVoice};
        int groups = 0;
        for (const TControlRow& row : kit.Editor->Rows())
            if (row.Name.startsWith("rgap")) {
                QCOMPARE(kit.Editor->Items(row.Name), PresentationLetters());
                QCOMPARE(kit.Editor->ItemsEnabled(row.Name), enabled);
                ++groups;
            }
        QCOMPARE(groups, 24 + 15);
        for (const char* name : {"seSoundVolume", "rgSayHelloMode", "seSayParamPeriod"})
            QCOMPARE(kit.Editor->Visible(name), !noVoice);
        QVERIFY(kit.Editor->Visible("rgFlagSound"));
        QCOMPARE(kit.Editor->Visible("rgapHolo_F"), !noVoice);
        QCOMPARE(kit.Editor->Visible("rgapHolo_N"), !noVoice);
        QVERIFY(kit.Editor->Visible("rgapVel_F"));
    }
};

QTEST_GUILESS_MAIN(TEditorLimitsTest)
#include "tst_editor_limits.moc"
