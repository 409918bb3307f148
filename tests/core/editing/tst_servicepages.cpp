// Pages "ТО", "Средние" and "Парковка" through the editor's model: what a control shows
// for a record, what leaving it stores.
#include "PagesKit.h"

#include "base/MKError.h"

#include <QtTest>

class TServicePagesTest : public QObject {
    Q_OBJECT
private slots:
    void DateStores_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("dayNumber");
        QTest::newRow("01.01.00") << "01.01.00" << 2;
        QTest::newRow("01.03.00") << "01.03.00" << 62;
        QTest::newRow("31.12.00") << "31.12.00" << 367;
        QTest::newRow("01.01.01") << "01.01.01" << 367;
    }
    void DateStores() {
        QFETCH(QString, text);
        QFETCH(int, dayNumber);
        TPagesKit kit;
        kit.Editor->Put("deOSAGO", text);
        QCOMPARE(kit.Field("OSAGO"), dayNumber);
    }

    void DateShows_data() {
        QTest::addColumn<int>("dayNumber");
        QTest::addColumn<QString>("text");
        QTest::newRow("62") << 62 << "01.03.00";
        QTest::newRow("1") << 1 << "00.01.00";
        QTest::newRow("no date") << 0 << "";
    }
    void DateShows() {
        QFETCH(int, dayNumber);
        QFETCH(QString, text);
        TPagesKit kit(WithField("TO", dayNumber));
        QCOMPARE(kit.Editor->Shown("deTO").toString(), text);
        // Leaving the edit untouched keeps the stored number, 0 included.
        kit.Editor->Put("deTO", kit.Editor->Shown("deTO"));
        QCOMPARE(kit.Field("TO"), dayNumber);
    }

    void ResetPeriods() {
        TPagesKit kit(WithField("ResetPeriod1", -1));
        QCOMPARE(kit.Editor->Shown("cbResetPeriod1").toInt(), 0);
        QCOMPARE(kit.Editor->Items("cbResetPeriod1").first(), QStringLiteral("Запр."));
        const int seven = int(kit.Editor->Items("cbResetPeriod1").indexOf("7"));
        kit.Editor->Put("cbResetPeriod1", seven);
        QCOMPARE(kit.Field("ResetPeriod1"), 7);
        kit.Editor->Put("cbResetPeriodOnly", 1);
        QCOMPARE(kit.Field("ResetPeriodOnly"), 0);
        kit.Editor->Put("cbResetPeriod0", int(kit.Editor->Items("cbResetPeriod0").indexOf("7")));
        QCOMPARE(kit.Field("ResetPeriod0"), 7);
        QCOMPARE(kit.Editor->Items("cbResetPeriod0").size(), 100);
    }

    // Control, value put, field, value stored, shown at the next load.
    void ScaledStores_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("put");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<double>("reloaded");
        QTest::newRow("trip stop 12 min") << "seTripMinStop" << 12.0 << "TripMinStop" << 2 << 10.0;
        QTest::newRow("path price") << "sePricePath" << 12.3 << "PricePath" << 123 << 12.3;
        QTest::newRow("250 cm") << "seParkStopLeng0" << 250.0 << "ParkStopLeng0" << 25 << 250.0;
        QTest::newRow("45 cm") << "seParkStopLengBeep" << 45.0 << "ParkStopLengBeep" << 4 << 40.0;
        QTest::newRow("55 cm") << "seParkMinLeng1" << 55.0 << "ParkMinLeng1" << 6 << 60.0;
        QTest::newRow("below range") << "seParkStopLeng1" << 10.0 << "ParkStopLeng1" << 5 << 50.0;
        QTest::newRow("thousands") << "seAirFiltCntK" << 45.0 << "AirFiltCntK" << 45 << 45.0;
    }
    void ScaledStores() {
        QFETCH(QString, control);
        QFETCH(double, put);
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(double, reloaded);
        TPagesKit kit;
        kit.Editor->Put(control, put);
        QCOMPARE(ReadField(kit.Mk, RecordField(field)), stored);
        kit.Editor->Reload(control);
        QCOMPARE(kit.Editor->Shown(control).toDouble(), reloaded);
    }

    void ShortServiceForm() {
        TPagesKit kit({}, [](TDeviceFlags& f) { f.ServiceInThousandKm = true; });
        QCOMPARE(kit.Editor->Caption("seAirFiltCntK"), QStringLiteral("ТО тыс.км"));
        QCOMPARE(kit.Editor->RowOrThrow("seAirFiltCntK").Decimals, 1);
        kit.Editor->Put("seAirFiltCntK", 4.5);
        QCOMPARE(kit.Field("AirFiltCntK"), 45);
        kit.Editor->Put("seAirFiltCntK", 12);
        QCOMPARE(kit.Field("AirFiltCntK"), 99);
        QVERIFY(kit.Editor->Visible("deTO"));
        for (const char* hidden :
             {"seKPPOilCntK", "seCandleCntK", "cbAirFiltCntK", "cbTO", "eForsTOCntK", "deOSAGO"})
            QVERIFY2(!kit.Editor->Visible(hidden), hidden);
    }

    void InUseBoxesStoreTheirBit_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("bit");
        const char* boxes[] = {"cbAirFiltCntK",  "cbKPPOilCntK",  "cbForsTOCntK",
                               "cbGRMStrapCntK", "cbCoolLiqCntK", "cbEngOilCntK",
                               "cbCandleCntK",   "cbTO",          "cbOSAGO"};
        for (int bit = 0; bit < 9; ++bit)
            QTest::newRow(boxes[bit]) << boxes[bit] << bit;
    }
    void InUseBoxesStoreTheirBit() {
        QFETCH(QString, box);
        QFETCH(int, bit);
        TPagesKit kit(WithField("ServiceFlags", 0x5555));
        QCOMPARE(kit.Editor->RowOrThrow(box).When, TStoreWhen::FocusOut);
        const bool was = 0x5555 >> bit & 1;
        QCOMPARE(kit.Editor->Shown(box).toBool(), was);
        kit.Editor->Put(box, !was);
        QCOMPARE(kit.Field("ServiceFlags"), 0x5555 ^ (1 << bit));
    }

    void ServiceNames() {
        TPagesKit kit;
        kit.Editor->Put("eCandleCntK", QStringLiteral("Свечи зажигания"));
        QCOMPARE(kit.Editor->Caption("seCandleCntK"), QStringLiteral("Свечи зажигания"));
        kit.Editor->Put("eCandleCntK", QStringLiteral("Свечи"));
        kit.Editor->Reload("eCandleCntK");
        QCOMPARE(kit.Editor->Shown("eCandleCntK").toString(), QStringLiteral("Свечи"));
        QCOMPARE(kit.Mk.Record.ServiceSettings.CandleName[5], '\0');
        QCOMPARE(kit.Editor->RowOrThrow("eGRMStrapCntK").MaxLength, 15);
    }

    void ParkingOutOfRangeKeptUntilLeft() {
        TPagesKit kit(WithField("ParkStopLeng1", 3));
        QCOMPARE(kit.Editor->Shown("seParkStopLeng1").toDouble(), 50.0);
        QCOMPARE(kit.Field("ParkStopLeng1"), 3);
        kit.Editor->Put("seParkStopLeng1", kit.Editor->Shown("seParkStopLeng1"));
        QCOMPARE(kit.Field("ParkStopLeng1"), 5);
    }
};

QTEST_GUILESS_MAIN(TServicePagesTest)
#include "tst_servicepages.moc"
