// Pages "Поправки" and "Источники" through the editor's model: what a control shows for a
// record, what leaving or clicking it stores, the lists built from the flags and the
// current protocol, and the protocol choice with its sub-types.
#include "PagesKit.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"

#include <QtTest>

namespace {

// Record fields set before opening.
std::function<void(TMK&)> Fields(std::vector<std::pair<const char*, int64_t>> values) {
    return [values](TMK& mk) {
        for (const auto& [name, value] : values)
            WithField(name, value)(mk);
    };
}

// The index of the first protocol with this code in the factory device's list.
int ProtocolIndex(int code) {
    const TDeviceCatalog catalog(1, FactoryFirmwareVersion);
    for (std::size_t i = 0; i < catalog.Protocols().size(); ++i)
        if (catalog.Protocols()[i]->ProtCode == code)
            return int(i);
    qFatal("no protocol %d", code);
}

// "seVelocityCorr" -> "VelocityCorr".
QByteArray FieldOf(const QString& control) {
    return control.mid(2).toLatin1();
}

float FloatField(const TPagesKit& kit, const QString& control) {
    return ReadFloatField(kit.Mk, RecordField(QString::fromLatin1(FieldOf(control))));
}

} // namespace

class TEditorCorrectionsTest : public QObject {
    Q_OBJECT
private slots:
    void PercentFactorShows_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<float>("stored");
        QTest::addColumn<double>("shown");
        QTest::newRow("1.0 no correction") << "seVelocityCorr" << 1.0f << 0.0;
        QTest::newRow("1.05") << "seVelocityCorr" << 1.05f << 5.0;
        QTest::newRow("0.9") << "seExpenseCorr" << 0.9f << -10.0;
        // 0.0 would show -100.0: the spin edit shows its lower bound instead.
        QTest::newRow("0.0 clamped") << "seGazExpenseCorr" << 0.0f << -99.0;
    }
    void PercentFactorShows() {
        QFETCH(QString, control);
        QFETCH(float, stored);
        QFETCH(double, shown);
        TPagesKit kit([&](TMK& mk) {
            StoreFloatField(mk, RecordField(QString::fromLatin1(FieldOf(control))), stored);
        });
        QCOMPARE(kit.Editor->Shown(control).toDouble(), shown);
        QCOMPARE(FloatField(kit, control), stored); // showing does not store
    }

    void PercentFactorStores_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("entered");
        QTest::addColumn<float>("stored");
        QTest::newRow("-10.0") << "seVelocityCorr" << -10.0 << 0.9f;
        QTest::newRow("5.0") << "seVelocityCorr" << 5.0 << 1.05f;
        QTest::newRow("999.9") << "seGazExpenseCorr" << 999.9 << 10.999f;
        QTest::newRow("below the range") << "seGazExpenseCorr" << -120.0 << 0.01f;
    }
    void PercentFactorStores() {
        QFETCH(QString, control);
        QFETCH(double, entered);
        QFETCH(float, stored);
        TPagesKit kit;
        kit.Editor->Put(control, entered);
        QCOMPARE(FloatField(kit, control), stored);
    }

    // The load counts as a click: the divider the item stands for is stored at opening.
    void TachometerNormalisedAtOpening_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("afterOpening");
        QTest::newRow("1") << 1 << 0 << 1;
        QTest::newRow("2") << 2 << 1 << 2;
        QTest::newRow("3") << 3 << 2 << 4;
        QTest::newRow("4") << 4 << 2 << 4;
        QTest::newRow("255") << 255 << 2 << 4;
    }
    void TachometerNormalisedAtOpening() {
        QFETCH(int, stored);
        QFETCH(int, item);
        QFETCH(int, afterOpening);
        TPagesKit kit(WithField("ForsCoef", stored));
        QCOMPARE(kit.Editor->Shown("rgForsCoef").toInt(), item);
        QCOMPARE(kit.Field("ForsCoef"), afterOpening);
        // A click stores the same divider.
        kit.Editor->Put("rgForsCoef", (item + 1) % 3);
        kit.Editor->Put("rgForsCoef", item);
        QCOMPARE(kit.Field("ForsCoef"), afterOpening);
    }

    void AirTemperatureAlgorithmNormalised_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("afterOpening");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("5") << 5 << 1;
        QTest::newRow("-1") << -1 << 1;
    }
    void AirTemperatureAlgorithmNormalised() {
        QFETCH(int, stored);
        QFETCH(int, afterOpening);
        TPagesKit kit(WithField("AirTemperMeth", stored));
        QCOMPARE(kit.Editor->Shown("rgAirTemperMeth").toInt(), afterOpening);
        QCOMPARE(kit.Field("AirTemperMeth"), afterOpening);
    }

    void ProtocolDetectionList_data() {
        QTest::addColumn<bool>("vag");
        QTest::addColumn<bool>("noVag");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("vag refused") << true << true << QStringList{"Авт.", "Руч."};
        QTest::newRow("all") << true << false
                             << QStringList{"Авт.", "АвтOBD", "АвтVAG", "АвтOpl", "Руч."};
    }
    void ProtocolDetectionList() {
        QFETCH(bool, vag);
        QFETCH(bool, noVag);
        QFETCH(QStringList, items);
        TPagesKit kit({}, [&](TDeviceFlags& f) {
            f.UseObd2 = f.UseOpel = items.size() > 2;
            f.UseVag = vag;
            f.NoVag = noVag;
        });
        QCOMPARE(kit.Editor->Items("cbProtocolSelectMeth"), items);
        // The position in the built list is what is stored.
        kit.Editor->Put("cbProtocolSelectMeth", int(items.size() - 1));
        QCOMPARE(kit.Field("ProtocolSelectMeth"), items.size() - 1);
    }

    void ManualDetectionShowsProtocolList() {
        const int index = ProtocolIndex(1);
        TPagesKit kit(Fields({{"Protocol", index}, {"ProtocolSelectMeth", 0}}));
        const int manual = int(kit.Editor->Items("cbProtocolSelectMeth").size() - 1);
        QVERIFY(!kit.Editor->Visible("cbProtocol"));
        kit.Editor->Put("cbProtocolSelectMeth", manual);
        QVERIFY(kit.Editor->Visible("cbProtocol"));
        QCOMPARE(kit.Editor->Shown("cbProtocol").toInt(), index);
        kit.Editor->Put("cbProtocolSelectMeth", 0);
        QVERIFY(!kit.Editor->Visible("cbProtocol"));
        QCOMPARE(kit.Field("Protocol"), index);
        QCOMPARE(kit.Field("ProtocolSelectMeth"), 0);
    }

    void PickingAnotherProtocolResetsSubTypes() {
        const int can = ProtocolIndex(1);
        TPagesKit kit(Fields({{"Protocol", 0},
                              {"PrevProtocol", 5},
                              {"ProtocolSelectMeth", 2},
                              {"ProtTypeAdd1", 2},
                              {"ProtTypeAdd4", 1},
                              {"ProtTypeAdd7", 9}}));
        // Opening keeps the sub-types.
        QCOMPARE(kit.Field("PrevProtocol"), 0);
        QCOMPARE(kit.Field("ProtTypeAdd1"), 2);
        QCOMPARE(kit.Editor->Shown("cbProtTypeAdd1").toInt(), 2);
        kit.Editor->Put("cbProtocol", can);
        QCOMPARE(kit.Field("Protocol"), can);
        QCOMPARE(kit.Field("PrevProtocol"), can);
        for (const char* subType : {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd4", "ProtTypeAdd7"})
            QCOMPARE(kit.Field(subType), 0);
        QCOMPARE(kit.Editor->Protocol().ProtCode, 1);
        QVERIFY(kit.Editor->Visible("cbProtTypeAdd2"));

        // The protocol in force picked again keeps what the user chose since.
        kit.Editor->Put("cbProtTypeAdd2", 3);
        kit.Editor->Put("cbProtocol", can);
        QCOMPARE(kit.Field("ProtTypeAdd2"), 3);
        kit.Editor->Put("cbProtocol", 0);
        QCOMPARE(kit.Field("ProtTypeAdd2"), 0);
        QCOMPARE(kit.Field("PrevProtocol"), 0);
    }

    // The factory device's first protocol (M74CAN) has options 1 and 4 only.
    void SubTypeListsFollowTheProtocol_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("1") << "cbProtTypeAdd1"
                           << "Канал включения вентилятора" << QStringList{"1", "2", "1+2"};
        QTest::newRow("2") << "cbProtTypeAdd2" << QString() << QStringList();
        QTest::newRow("main") << "cbProtTypeMain" << QString() << QStringList();
    }
    void SubTypeListsFollowTheProtocol() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        const QByteArray field = ("ProtType" + control.mid(10)).toLatin1();
        TPagesKit kit(Fields({{"Protocol", 0}, {field.constData(), 7}}));
        QCOMPARE(kit.Editor->Protocol().ProtName, QStringLiteral("M74CAN"));
        QCOMPARE(kit.Editor->Caption(control), caption);
        QCOMPARE(kit.Editor->Visible(control), !caption.isEmpty());
        QCOMPARE(kit.Editor->Items(control), items);
        // A hidden list keeps its stored sub-type, whatever else is edited.
        kit.Editor->Put("cbProtTypeAdd1", 2);
        if (control != "cbProtTypeAdd1")
            QCOMPARE(kit.Field(field.constData()), 7);
    }

    void TankMethodListFollowsFuelSensors_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("items");
        const QStringList base{"Расчетный", "ДУТ"};
        QTest::newRow("none") << 29 << base;
        QTest::newRow("three") << 16 << base + QStringList{"ДУТ ЭБУ", "ДУТ ЭБУ2", "ДУТ ЭБУ3"};
    }
    void TankMethodListFollowsFuelSensors() {
        QFETCH(int, code);
        QFETCH(QStringList, items);
        // Looked up before opening: a lookup rebuilds the protocol list.
        const int target = ProtocolIndex(code);
        TPagesKit kit(
            Fields({{"Protocol", ProtocolIndex(16)}, {"TankMeth", 4}, {"ProtocolSelectMeth", 2}}));
        QCOMPARE(kit.Editor->Shown("cbTankMeth").toInt(), 4);
        kit.Editor->Put("cbProtocol", target);
        QCOMPARE(kit.Editor->Items("cbTankMeth"), items);
        QCOMPARE(kit.Field("TankMeth"), 4); // the rebuilt list leaves the method as stored
    }

    // Text typed, minutes stored, text shown for minutes stored (empty: not checked).
    void MinutesOfDay_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("07:30") << "07:30" << 450 << "07:30";
        QTest::newRow("23:59") << "23:59" << 1439 << "23:59";
        QTest::newRow("blank hour digit") << " 7:30" << 450 << "07:30";
        QTest::newRow("no colon third") << "7:30" << 0 << "00:00";
        QTest::newRow("1500 wraps") << QString() << 1500 << "01:00";
    }
    void MinutesOfDay() {
        QFETCH(QString, text);
        QFETCH(int, minutes);
        QFETCH(QString, shown);
        TPagesKit kit(WithField("IntenseDayTime", text.isEmpty() ? minutes : 100));
        if (!text.isEmpty())
            kit.Editor->Put("meIntenseDayTime", text);
        QCOMPARE(kit.Field("IntenseDayTime"), minutes);
        kit.Editor->Reload("meIntenseDayTime");
        QCOMPARE(kit.Editor->Shown("meIntenseDayTime").toString(), shown);
    }

    void NonDigitTimeRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("minutes") << "07:x5"
                                 << "'x5' is not a valid integer value";
        QTest::newRow("blank") << "  :  "
                               << "'  ' is not a valid integer value";
    }
    void NonDigitTimeRefused() {
        QFETCH(QString, text);
        QFETCH(QString, error);
        TPagesKit kit(WithField("IntenseDayTime", 450));
        try {
            kit.Editor->Put("meIntenseDayTime", text);
            QFAIL("stored");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), error);
        }
        QCOMPARE(kit.Field("IntenseDayTime"), 450);
        QCOMPARE(kit.Editor->Shown("meIntenseDayTime").toString(), QStringLiteral("07:30"));
    }

    void InjectorControlsFollowSources_data() {
        QTest::addColumn<int>("gas");
        QTest::addColumn<bool>("visible");
        QTest::newRow("all from the ECU") << 0 << false;
        QTest::newRow("gas") << 1 << true;
    }
    void InjectorControlsFollowSources() {
        QFETCH(int, gas);
        QFETCH(bool, visible);
        TPagesKit kit(Fields({{"RevolutionsMeth", 0}, {"GasMeth", gas}, {"ExpenseMeth", 0}}));
        QCOMPARE(kit.Editor->Visible("rgForsPosFlag"), visible);
        QCOMPARE(kit.Editor->Visible("rgForsCoef"), visible);
        // A click on any source decides again.
        kit.Editor->Put("rgRevolutionsMeth", 1);
        QVERIFY(kit.Editor->Visible("rgForsCoef"));
        kit.Editor->Put("rgRevolutionsMeth", 0);
        QCOMPARE(kit.Editor->Visible("rgForsCoef"), visible);
    }

    // Each control changes its own bit of ProtocolFlags.
    void FlagBitsChangeOnlyTheirBit_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("on");
        QTest::addColumn<int>("bit");
        QTest::newRow("virtual lock") << "rgLockType" << QVariant(1) << 0;
        QTest::newRow("lights from ECU") << "rgGabarType" << QVariant(1) << 5;
        QTest::newRow("tank 2") << "cbUseTank2" << QVariant(true) << 6;
        QTest::newRow("gas/petrol") << "cbGasOil" << QVariant(true) << 8;
        QTest::newRow("inverse lights") << "rgGabarInvPol" << QVariant(1) << 10;
    }
    void FlagBitsChangeOnlyTheirBit() {
        QFETCH(QString, control);
        QFETCH(QVariant, on);
        QFETCH(int, bit);
        const int64_t others = 0x21E; // bits 1-4 and 9, which only the MK changes
        TPagesKit kit(WithField("ProtocolFlags", others));
        kit.Editor->Put(control, on);
        QCOMPARE(kit.Field("ProtocolFlags"), others | int64_t(1) << bit);
        kit.Editor->Put(control, on.typeId() == QMetaType::Bool ? QVariant(false) : QVariant(0));
        QCOMPARE(kit.Field("ProtocolFlags"), others);
    }

    void LockLevelAndLightsPolarityFollowTheirBits() {
        TPagesKit kit(WithField("ProtocolFlags", 0));
        QVERIFY(!kit.Editor->Visible("seLockTypeLevel"));
        kit.Editor->Put("rgLockType", 1);
        QVERIFY(kit.Editor->Visible("seLockTypeLevel"));
        QVERIFY(kit.Editor->Visible("rgGabarInvPol"));
        kit.Editor->Put("rgGabarType", 1);
        QVERIFY(!kit.Editor->Visible("rgGabarInvPol"));
    }

    void NoGasHidesItsControls() {
        const auto visibleNow = [](const TPagesKit& kit) {
            QStringList names;
            for (const TControlRow& row : kit.Editor->Rows())
                if ((row.Page == "TabSheet2" || row.Page == "tsCorr") &&
                    kit.Editor->Visible(row.Name))
                    names << row.Name;
            return names;
        };
        const QStringList before = visibleNow(TPagesKit());
        const QStringList after =
            visibleNow(TPagesKit({}, [](TDeviceFlags& f) { f.NoGas = true; }));
        const QStringList hidden{"rgGasMeth", "seGazContFull", "cbGasOil", "rgGasOilMeth"};
        for (const QString& name : hidden)
            QVERIFY2(before.contains(name) && !after.contains(name), qPrintable(name));
        QCOMPARE(before.size() - after.size(), hidden.size());
    }
};

QTEST_GUILESS_MAIN(TEditorCorrectionsTest)
#include "tst_editor_corrections.moc"
