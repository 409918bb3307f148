// Page "Бак" without widgets: the tared table's store rules and the tank file.
#include "PagesKit.h"

#include "base/MKError.h"
#include "editing/TankFile.h"
#include "editing/TankTable.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using TankTable::TCells;

namespace {

// Distinct values in every field the tank file carries, and in TarirIncline.
void FillTank(TPagesKit& kit, int seed) {
    for (const char* f : {"Oil6L", "Lit6L", "Oil43L", "Lit43L", "OilCalibrQuant", "TarirFlagFinish",
                          "TarirStartHigh", "TarirIncline"})
        kit.SetField(f, seed + int(std::strlen(f)));
    kit.Mk.Record.TankCalibration.TarirReserved = uint8_t(seed + 1);
    kit.SetField("TarirLeng", seed % 60 + 3);
    for (int i = 0; i < 7; ++i) {
        kit.SetField("OilCalibrResArr", seed * 3 + i, i);
        kit.SetField("OilCalibrLitArr", seed * 5 + i, i);
    }
    for (int i = 0; i < MaxTarirPoints; ++i) {
        kit.SetField("TarirLitres", (seed + i) % 256, i);
        kit.SetField("TarirUnits", seed * 7 + i * 11, i);
    }
}

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

QString WriteFile(const QTemporaryDir& dir, const QByteArray& data) {
    const QString path = dir.filePath(QStringLiteral("t.rvtnk"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TTankPageTest : public QObject {
    Q_OBJECT
private slots:
    void OverlongCountOpensEmpty() {
        TPagesKit kit(WithField("TarirLeng", 100));
        QCOMPARE(kit.Field("TarirLeng"), 0);
        QCOMPARE(kit.Editor->Shown("seTarirLeng").toDouble(), 0.0);
        QCOMPARE(TankTable::DataRows(kit.Mk), 1);
        QVERIFY(TankTable::Cells(kit.Mk).isEmpty());
    }

    void GridStore_data() {
        QTest::addColumn<QList<TCells>>("cells");
        QTest::addColumn<QList<int>>("litres");
        QTest::addColumn<QList<int>>("units");
        QTest::addColumn<int>("startHigh");
        QTest::newRow("emptied units of point 2")
            << QList<TCells>{{"10", "300"}, {"20", ""}, {"30", "100"}} << QList<int>{10, 20, 30}
            << QList<int>{300, 0, 100} << 1;
        QTest::newRow("241 units: high start")
            << QList<TCells>{{"1", "241"}, {"2", "5"}, {"3", "6"}} << QList<int>{1, 2, 3}
            << QList<int>{241, 5, 6} << 1;
        QTest::newRow("240 units: low start") << QList<TCells>{{"1", "240"}, {"2", "5"}, {"3", "6"}}
                                              << QList<int>{1, 2, 3} << QList<int>{240, 5, 6} << 0;
        QTest::newRow("mask blanks and no digits")
            << QList<TCells>{{" 7 ", "  "}, {"", "12 3"}, {"255", "9999"}} << QList<int>{7, 0, 255}
            << QList<int>{0, 123, 9999} << 0;
    }
    void GridStore() {
        QFETCH(QList<TCells>, cells);
        QFETCH(QList<int>, litres);
        QFETCH(QList<int>, units);
        QFETCH(int, startHigh);
        TPagesKit kit(WithField("TarirLeng", 3));
        kit.SetField("TarirStartHigh", 1 - startHigh);
        kit.Editor->TarirEdited = true;
        TankTable::Store(*kit.Editor, cells);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(kit.Field("TarirLitres", i), litres[i]);
            QCOMPARE(kit.Field("TarirUnits", i), units[i]);
        }
        QCOMPARE(kit.Field("TarirStartHigh"), startHigh);
        QVERIFY(!kit.Editor->TarirEdited);
        QCOMPARE(TankTable::Cells(kit.Mk)[1].Units, QString::number(units[1]));
    }

    void TooLargeCellStopsThere_data() {
        QTest::addColumn<TCells>("third");
        QTest::addColumn<int>("thirdLitres");
        QTest::newRow("litres 256") << TCells{"256", "5"} << 0;
        QTest::newRow("units 32768") << TCells{"77", "32768"} << 77;
    }
    void TooLargeCellStopsThere() {
        QFETCH(TCells, third);
        QFETCH(int, thirdLitres);
        TPagesKit kit(WithField("TarirLeng", 4));
        for (int i = 0; i < 4; ++i) {
            kit.SetField("TarirLitres", 0, i);
            kit.SetField("TarirUnits", 0, i);
        }
        kit.Editor->TarirEdited = true;
        QVERIFY_THROWS_EXCEPTION(
            TRangeError,
            TankTable::Store(*kit.Editor, {{"1", "11"}, {"2", "22"}, third, {"4", "44"}}));
        QCOMPARE(kit.Field("TarirLitres", 0), 1);
        QCOMPARE(kit.Field("TarirUnits", 1), 22);
        QCOMPARE(kit.Field("TarirLitres", 2), thirdLitres);
        QCOMPARE(kit.Field("TarirUnits", 2), 0);
        QCOMPARE(kit.Field("TarirLitres", 3), 0);
        QVERIFY(kit.Editor->TarirEdited);
    }

    void LitresUpToFullTank() {
        TPagesKit kit(WithField("TankContFull", 60));
        QCOMPARE(kit.Editor->Range("seLit43L").Max, 60.0);
        QCOMPARE(kit.Editor->Range("seOilCalibrLitArr6").Max, 60.0);
        kit.Editor->Put("seOilCalibrLitArr6", 75);
        QCOMPARE(kit.Field("OilCalibrLitArr", 6), 60);
    }

    void FileLayout_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("size");
        QTest::newRow("Oil6L") << 0 << "Oil6L" << 0 << 2;
        QTest::newRow("ResArr 7") << 20 << "OilCalibrResArr" << 6 << 2;
        QTest::newRow("Quant") << 36 << "OilCalibrQuant" << 0 << 1;
        QTest::newRow("block byte") << 37 << "" << 0 << 1;
        QTest::newRow("Leng") << 39 << "TarirLeng" << 0 << 1;
        QTest::newRow("Litres 68") << 108 << "TarirLitres" << 67 << 1;
        QTest::newRow("Units 1") << 109 << "TarirUnits" << 0 << 2;
        QTest::newRow("Units 68") << 243 << "TarirUnits" << 67 << 2;
    }
    void FileLayout() {
        QFETCH(int, offset);
        QFETCH(QString, field);
        QFETCH(int, index);
        QFETCH(int, size);
        TPagesKit kit;
        FillTank(kit, 9);
        const QByteArray file = TankFile::Bytes(kit.Mk);
        QCOMPARE(file.size(), 245);
        int64_t value = uint8_t(file[offset]);
        if (size == 2)
            value = int16_t(value | uint8_t(file[offset + 1]) << 8);
        QCOMPARE(value, field.isEmpty() ? kit.Mk.Record.TankCalibration.TarirReserved
                                        : ReadField(kit.Mk, RecordField(field, index)));
    }

    void FileRoundTrip() {
        QTemporaryDir dir;
        TPagesKit kit;
        FillTank(kit, 5);
        const QString path = dir.filePath(QStringLiteral("tank.rvtnk"));
        TankFile::Save(kit.Mk, path);
        const QByteArray saved = TankFile::Bytes(kit.Mk);
        const int64_t units68 = kit.Field("TarirUnits", 67);

        FillTank(kit, 40); // every field differs now, TarirIncline too
        kit.SetField("TankContFull", 123);
        const QByteArray other = TankFile::Bytes(kit.Mk);
        const QByteArray before = RecordBytes(kit.Mk);
        QCOMPARE(TankFile::Load(kit.Mk, path), 245);
        QCOMPARE(TankFile::Bytes(kit.Mk), saved);
        QCOMPARE(kit.Field("TarirUnits", 67), units68);
        QCOMPARE(kit.Field("TarirIncline"), 40 + 12);
        QCOMPARE(kit.Field("TankContFull"), 123);
        // Putting the other table back gives the record as it was: nothing else moved.
        TankFile::Apply(kit.Mk, other);
        QCOMPARE(RecordBytes(kit.Mk), before);
    }

    void TruncatedFile_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("empty") << 0 << QStringList{} << QStringList{"Oil6L"};
        QTest::newRow("half a field") << 3 << QStringList{"Oil6L"} << QStringList{"Lit6L"};
        QTest::newRow("inside an array")
            << 20 << QStringList{"Lit43L"} << QStringList{"OilCalibrResArr", "OilCalibrQuant"};
        QTest::newRow("to the count") << 40 << QStringList{"OilCalibrQuant", "TarirLeng"}
                                      << QStringList{"TarirStartHigh", "TarirLitres"};
        QTest::newRow("one byte short")
            << 244 << QStringList{"TarirStartHigh", "TarirLitres"} << QStringList{"TarirUnits"};
    }
    void TruncatedFile() {
        QFETCH(int, size);
        QFETCH(QStringList, changed);
        QFETCH(QStringList, kept);
        QTemporaryDir dir;
        TPagesKit kit;
        FillTank(kit, 3);
        const QByteArray file = TankFile::Bytes(kit.Mk).left(size);
        FillTank(kit, 30);
        QCOMPARE(TankFile::Load(kit.Mk, WriteFile(dir, file)), size);
        for (const QString& f : changed)
            QCOMPARE(ReadField(kit.Mk, RecordField(f)), FillTankValue(f, 3));
        for (const QString& f : kept)
            QCOMPARE(ReadField(kit.Mk, RecordField(f)), FillTankValue(f, 30));
        QVERIFY(TankFile::ShortFileNote(size).contains(QString::number(size)));
    }

    void OverlongFileRefused() {
        QTemporaryDir dir;
        TPagesKit kit;
        FillTank(kit, 8);
        const QByteArray before = RecordBytes(kit.Mk);
        const QString path = WriteFile(dir, QByteArray(246, 1));
        try {
            TankFile::Load(kit.Mk, path);
            QFAIL("a 246-byte file was read");
        } catch (const TMKError& e) {
            QVERIFY(e.Text().contains(path));
        }
        QCOMPARE(RecordBytes(kit.Mk), before);
    }

private:
    // The value FillTank puts first into a field (element 0 of an array).
    static int64_t FillTankValue(const QString& field, int seed) {
        TPagesKit kit;
        FillTank(kit, seed);
        return ReadField(kit.Mk, RecordField(field));
    }
};

QTEST_GUILESS_MAIN(TTankPageTest)
#include "tst_tankpage.moc"
