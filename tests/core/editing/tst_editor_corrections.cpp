// Pages "Поправки" and "Источники" through the editor's model: what a control shows for a
// record, what leaving or clicking it stores, the lists built from the flags and the
// current protocol, and the protocol choice with its sub-types.
#include "PagesKit.h"

#include "base/MKError.h"
#include "catalog/Prots.h"

#include <QtTest>

namespace {

// Several record changes before opening.
std::function<void(TMK&)> All(std::vector<std::function<void(TMK&)>> steps) {
    return [steps](TMK& mk) {
        for (const auto& step : steps)
            step(mk);
    };
}

std::function<void(TMK&)> WithFloat(const char* name, float value) {
    return [=](TMK& mk) { StoreFloatField(mk, RecordField(QString::fromLatin1(name)), value); };
}

// The index of the first protocol with this code in the factory device's list.
int ProtocolIndex(int code) {
    BuildProtocolList(1, 0, FactoryFirmwareVersion);
    for (std::size_t i = 0; i < ProtocolList.size(); ++i)
        if (ProtocolList[i]->ProtCode == code)
            return int(i);
    qFatal("no protocol %d", code);
}

float FloatField(const TPagesKit& kit, const char* name) {
    return ReadFloatField(kit.Mk, RecordField(QString::fromLatin1(name)));
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
        QTest::newRow("0.95 just below 1") << "seExpenseCorr" << 0.95f << -5.0;
        QTest::newRow("2.0") << "seGazExpenseCorr" << 2.0f << 100.0;
        // 0.0 would show -100.0: the spin edit shows its lower bound instead.
        QTest::newRow("0.0 clamped") << "seGazExpenseCorr" << 0.0f << -99.0;
    }
    void PercentFactorShows() {
        QFETCH(QString, control);
        QFETCH(float, stored);
        QFETCH(double, shown);
        const QByteArray field = control.mid(2).toLatin1();
        TPagesKit kit(WithFloat(field.constData(), stored));
        QCOMPARE(kit.Editor->Shown(control).toDouble(), shown);
        // Showing does not store.
        QCOMPARE(FloatField(kit, field.constData()), stored);
    }

    void PercentFactorStores_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("entered");
        QTest::addColumn<float>("stored");
        QTest::newRow("-10.0") << "seVelocityCorr" << -10.0 << 0.9f;
        QTest::newRow("5.0") << "seVelocityCorr" << 5.0 << 1.05f;
        QTest::newRow("0.0") << "seExpenseCorr" << 0.0 << 1.0f;
        QTest::newRow("999.9") << "seGazExpenseCorr" << 999.9 << 10.999f;
        QTest::newRow("below the range") << "seGazExpenseCorr" << -120.0 << 0.01f;
    }
    void PercentFactorStores() {
        QFETCH(QString, control);
        QFETCH(double, entered);
        QFETCH(float, stored);
        TPagesKit kit;
        kit.Editor->Put(control, entered);
        const QByteArray field = control.mid(2).toLatin1();
        QCOMPARE(FloatField(kit, field.constData()), stored);
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
        QTest::newRow("0") << 0 << 2 << 4;
        QTest::newRow("255") << 255 << 2 << 4;
    }
    void TachometerNormalisedAtOpening() {
        QFETCH(int, stored);
        QFETCH(int, item);
        QFETCH(int, afterOpening);
        TPagesKit kit(WithField("ForsCoef", stored));
        QCOMPARE(kit.Editor->Shown("rgForsCoef").toInt(), item);
        QCOMPARE(kit.Field("ForsCoef"), afterOpening);
    }

    void TachometerStoresDivider() {
        TPagesKit kit;
        kit.Editor->Put("rgForsCoef", 1);
        QCOMPARE(kit.Field("ForsCoef"), 2);
        kit.Editor->Put("rgForsCoef", 2);
        QCOMPARE(kit.Field("ForsCoef"), 4);
    }

    void AirTemperatureAlgorithmNormalised_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("afterOpening");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
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
        QTest::addColumn<bool>("obd");
        QTest::addColumn<bool>("vag");
        QTest::addColumn<bool>("noVag");
        QTest::addColumn<bool>("opel");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("none") << false << false << false << false << QStringList{"Авт.", "Руч."};
        QTest::newRow("obd") << true << false << false << false
                             << QStringList{"Авт.", "АвтOBD", "Руч."};
        QTest::newRow("vag") << false << true << false << false
                             << QStringList{"Авт.", "АвтVAG", "Руч."};
        QTest::newRow("vag refused")
            << false << true << true << false << QStringList{"Авт.", "Руч."};
        QTest::newRow("all") << true << true << false << true
                             << QStringList{"Авт.", "АвтOBD", "АвтVAG", "АвтOpl", "Руч."};
    }
    void ProtocolDetectionList() {
        QFETCH(bool, obd);
        QFETCH(bool, vag);
        QFETCH(bool, noVag);
        QFETCH(bool, opel);
        QFETCH(QStringList, items);
        TPagesKit kit({}, [&](TDeviceFlags& f) {
            f.UseObd2 = obd;
            f.UseVag = vag;
            f.NoVag = noVag;
            f.UseOpel = opel;
        });
        QCOMPARE(kit.Editor->Items("cbProtocolSelectMeth"), items);
        // The position in the built list is what is stored.
        kit.Editor->Put("cbProtocolSelectMeth", int(items.size() - 1));
        QCOMPARE(kit.Field("ProtocolSelectMeth"), items.size() - 1);
    }

    void ManualDetectionShowsProtocolList() {
        const int index = ProtocolIndex(1);
        TPagesKit kit(All({WithField("Protocol", index), WithField("ProtocolSelectMeth", 0)}));
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

    void OpeningKeepsSubTypes() {
        TPagesKit kit(All({WithField("Protocol", 0), WithField("PrevProtocol", 5),
                           WithField("ProtTypeAdd1", 2), WithField("ProtTypeAdd4", 1)}));
        QCOMPARE(kit.Field("PrevProtocol"), 0);
        QCOMPARE(kit.Field("ProtTypeAdd1"), 2);
        QCOMPARE(kit.Field("ProtTypeAdd4"), 1);
        QCOMPARE(kit.Editor->Shown("cbProtTypeAdd1").toInt(), 2);
    }

    void PickingAnotherProtocolResetsSubTypes() {
        const int can = ProtocolIndex(1);
        TPagesKit kit(All({WithField("Protocol", 0), WithField("ProtocolSelectMeth", 2),
                           WithField("ProtTypeAdd1", 2), WithField("ProtTypeAdd4", 1),
                           WithField("ProtTypeAdd7", 9)}));
        kit.Editor->Put("cbProtocol", can);
        QCOMPARE(kit.Field("Protocol"), can);
        QCOMPARE(kit.Field("PrevProtocol"), can);
        for (const char* subType : {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd4", "ProtTypeAdd7"})
            QCOMPARE(kit.Field(subType), 0);
        QCOMPARE(kit.Editor->Protocol().ProtCode, 1);
        // The sub-type lists follow the new protocol.
        QVERIFY(kit.Editor->Visible("cbProtTypeAdd2"));
        QCOMPARE(kit.Editor->Caption("cbProtTypeAdd2"), QStringLiteral("Расчет расхода"));
        QCOMPARE(kit.Editor->Shown("cbProtTypeAdd2").toInt(), 0);

        // The protocol in force picked again keeps what the user chose since.
        kit.Editor->Put("cbProtTypeAdd2", 3);
        kit.Editor->Put("cbProtocol", can);
        QCOMPARE(kit.Field("ProtTypeAdd2"), 3);

        // Back to the first one: a change again.
        kit.Editor->Put("cbProtocol", 0);
        QCOMPARE(kit.Field("ProtTypeAdd2"), 0);
        QCOMPARE(kit.Field("PrevProtocol"), 0);
    }

    // The factory device's first protocol (M74CAN) has options 1 and 4 only.
    void SubTypeListsFollowTheProtocol_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("main") << "cbProtTypeMain" << QString() << QStringList();
        QTest::newRow("1") << "cbProtTypeAdd1"
                           << "Канал включения вентилятора" << QStringList{"1", "2", "1+2"};
        QTest::newRow("2") << "cbProtTypeAdd2" << QString() << QStringList();
        QTest::newRow("4") << "cbProtTypeAdd4"
                           << "Темп. масла АКПП" << QStringList{"Нет", "Jatco", "ZF 2180"};
        QTest::newRow("7") << "cbProtTypeAdd7" << QString() << QStringList();
    }
    void SubTypeListsFollowTheProtocol() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        const QByteArray field = ("ProtType" + control.mid(10)).toLatin1();
        TPagesKit kit(All({WithField("Protocol", 0), WithField(field.constData(), 7)}));
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
        QTest::newRow("one") << 1 << base + QStringList{"ДУТ ЭБУ"};
        QTest::newRow("two") << 11 << base + QStringList{"ДУТ ЭБУ", "ДУТ ЭБУ2"};
        QTest::newRow("three") << 16 << base + QStringList{"ДУТ ЭБУ", "ДУТ ЭБУ2", "ДУТ ЭБУ3"};
    }
    void TankMethodListFollowsFuelSensors() {
        QFETCH(int, code);
        QFETCH(QStringList, items);
        // Looked up before opening: a lookup rebuilds the protocol list.
        const int target = ProtocolIndex(code);
        TPagesKit kit(All({WithField("Protocol", ProtocolIndex(16)), WithField("TankMeth", 4),
                           WithField("ProtocolSelectMeth", 2)}));
        QCOMPARE(kit.Editor->Shown("cbTankMeth").toInt(), 4);
        kit.Editor->Put("cbProtocol", target);
        QCOMPARE(kit.Editor->Items("cbTankMeth"), items);
        // The rebuilt list leaves the method as stored.
        QCOMPARE(kit.Field("TankMeth"), 4);
    }

    void MinutesOfDayStore_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::newRow("07:30") << "07:30" << 450;
        QTest::newRow("00:00") << "00:00" << 0;
        QTest::newRow("23:59") << "23:59" << 1439;
        QTest::newRow("blank hour digit") << " 7:30" << 450;
        QTest::newRow("no colon third") << "7:30" << 0;
    }
    void MinutesOfDayStore() {
        QFETCH(QString, text);
        QFETCH(int, minutes);
        TPagesKit kit(WithField("IntenseDayTime", 100));
        kit.Editor->Put("meIntenseDayTime", text);
        QCOMPARE(kit.Field("IntenseDayTime"), minutes);
    }

    void MinutesOfDayShow_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("450") << 450 << "07:30";
        QTest::newRow("1500 wraps") << 1500 << "01:00";
        QTest::newRow("0") << 0 << "00:00";
        QTest::newRow("1439") << 1439 << "23:59";
    }
    void MinutesOfDayShow() {
        QFETCH(int, minutes);
        QFETCH(QString, text);
        TPagesKit kit(WithField("IntenseNightTime", minutes));
        QCOMPARE(kit.Editor->Shown("meIntenseNightTime").toString(), text);
        QCOMPARE(kit.Field("IntenseNightTime"), minutes);
    }

    void NonDigitTimeRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("hours") << "ab:30"
                               << "'ab' is not a valid integer value";
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
        QTest::addColumn<int>("revolutions");
        QTest::addColumn<int>("gas");
        QTest::addColumn<int>("expense");
        QTest::addColumn<bool>("visible");
        QTest::newRow("all from the ECU") << 0 << 0 << 0 << false;
        QTest::newRow("revolutions") << 1 << 0 << 0 << true;
        QTest::newRow("gas") << 0 << 1 << 0 << true;
        QTest::newRow("petrol") << 0 << 0 << 1 << true;
    }
    void InjectorControlsFollowSources() {
        QFETCH(int, revolutions);
        QFETCH(int, gas);
        QFETCH(int, expense);
        QFETCH(bool, visible);
        TPagesKit kit(All({WithField("RevolutionsMeth", revolutions), WithField("GasMeth", gas),
                           WithField("ExpenseMeth", expense)}));
        QCOMPARE(kit.Editor->Visible("rgForsPosFlag"), visible);
        QCOMPARE(kit.Editor->Visible("rgForsCoef"), visible);
        // A click on any source decides again.
        kit.Editor->Put("rgRevolutionsMeth", 1);
        QVERIFY(kit.Editor->Visible("rgForsCoef"));
        kit.Editor->Put("rgRevolutionsMeth", 0);
        QCOMPARE(kit.Editor->Visible("rgForsCoef"), gas != 0 || expense != 0);
    }

    // Each control changes its own bit of ProtocolFlags and shows what depends on it.
    void FlagBitsChangeOnlyTheirBit_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("on");
        QTest::addColumn<QVariant>("off");
        QTest::addColumn<int>("bit");
        QTest::newRow("virtual lock") << "rgLockType" << QVariant(1) << QVariant(0) << 0;
        QTest::newRow("lights from ECU") << "rgGabarType" << QVariant(1) << QVariant(0) << 5;
        QTest::newRow("tank 2") << "cbUseTank2" << QVariant(true) << QVariant(false) << 6;
        QTest::newRow("low beam") << "cbLightsOn" << QVariant(true) << QVariant(false) << 7;
        QTest::newRow("gas/petrol") << "cbGasOil" << QVariant(true) << QVariant(false) << 8;
        QTest::newRow("inverse lights") << "rgGabarInvPol" << QVariant(1) << QVariant(0) << 10;
    }
    void FlagBitsChangeOnlyTheirBit() {
        QFETCH(QString, control);
        QFETCH(QVariant, on);
        QFETCH(QVariant, off);
        QFETCH(int, bit);
        const int64_t others = 0x21E; // bits 1-4 and 9, which only the MK changes
        TPagesKit kit(WithField("ProtocolFlags", others));
        QCOMPARE(kit.Field("ProtocolFlags"), others);
        kit.Editor->Put(control, on);
        QCOMPARE(kit.Field("ProtocolFlags"), others | int64_t(1) << bit);
        kit.Editor->Put(control, off);
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
        kit.Editor->Put("rgGabarType", 0);
        QVERIFY(kit.Editor->Visible("rgGabarInvPol"));
    }

    void GasPetrolSwitchList_data() {
        QTest::addColumn<bool>("noDs");
        QTest::addColumn<bool>("tank2");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("plain") << false << false << QStringList{"ЭБУ", "Заж", " ДС", "Габ"};
        QTest::newRow("no DS") << true << false << QStringList{"ЭБУ", "Заж", "Габ"};
        QTest::newRow("tank 2") << true << true << QStringList{"ЭБУ", "Заж", "Габ", "Бк2"};
    }
    void GasPetrolSwitchList() {
        QFETCH(bool, noDs);
        QFETCH(bool, tank2);
        QFETCH(QStringList, items);
        TPagesKit kit({}, [&](TDeviceFlags& f) {
            f.NoDsSwitch = noDs;
            f.HasTank2 = tank2;
        });
        QCOMPARE(kit.Editor->Items("rgGasOilMeth"), items);
        QCOMPARE(kit.Editor->Visible("cbUseTank2"), tank2);
        kit.Editor->Put("rgGasOilMeth", int(items.size() - 1));
        QCOMPARE(kit.Field("GasOilMeth"), items.size() - 1);
    }

    void CapabilityFlagsHideControls_data() {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("NoGas") << "NoGas"
                               << QStringList{"rgGasMeth", "seGazContFull", "cbGasOil",
                                              "rgGasOilMeth"};
        QTest::newRow("NoAirTemperature")
            << "NoAirTemperature" << QStringList{"seAirTemperCorr", "rgAirTemperMeth"};
    }
    void CapabilityFlagsHideControls() {
        QFETCH(QString, flag);
        QFETCH(QStringList, hidden);
        const auto visibleNow = [](const TPagesKit& kit) {
            QStringList names;
            for (const TControlRow& row : kit.Editor->Rows())
                if ((row.Page == "TabSheet2" || row.Page == "tsCorr") &&
                    kit.Editor->Visible(row.Name))
                    names << row.Name;
            return names;
        };
        TPagesKit plain;
        const QStringList before = visibleNow(plain);
        TPagesKit kit({}, [&](TDeviceFlags& f) {
            for (const TDeviceFlagInfo& info : DeviceFlagList())
                if (flag == QLatin1String(info.Name))
                    f.*info.Member = true;
        });
        const QStringList after = visibleNow(kit);
        for (const QString& name : hidden) {
            QVERIFY2(before.contains(name), qPrintable(name));
            QVERIFY2(!after.contains(name), qPrintable(name));
        }
        QCOMPARE(before.size() - after.size(), hidden.size());
    }
};

QTEST_GUILESS_MAIN(TEditorCorrectionsTest)
#include "tst_editor_corrections.moc"
