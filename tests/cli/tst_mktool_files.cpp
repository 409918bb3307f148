// mktool pack, unpack and show, run as a user would.
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include "ImageKit.h"

#include "MktoolRun.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

namespace {

// A factory record packed into a plain directory image of firmware version 3.
QByteArray FactoryImage() {
    TMK mk;
    return PackedImage(mk, 3);
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestMktoolFiles : public QObject {
    Q_OBJECT
private slots:
    void packAndUnpackAreInverse();
    void showPrintsEveryBlockDecoded();
    void failuresPrintTheTextAndExitNonZero();
};

void TestMktoolFiles::packAndUnpackAreInverse() {
    QTemporaryDir dir;
    const QByteArray image = FactoryImage();
    Write(dir.filePath("image.bin"), image);
    TResult r = Run({"pack", "--settings-version", "0x0105", dir.filePath("image.bin"),
                     dir.filePath("s.rvset")});
    QCOMPARE(r.Status, 0);
    QCOMPARE(Read(dir.filePath("s.rvset")), SettingsFile::Encode(0x0105, image));
    r = Run({"unpack", dir.filePath("s.rvset"), dir.filePath("back.bin")});
    QCOMPARE(r.Status, 0);
    QCOMPARE(Read(dir.filePath("back.bin")), image);
}

void TestMktoolFiles::showPrintsEveryBlockDecoded() {
    QTemporaryDir dir;
    Write(dir.filePath("s.rvset"), SettingsFile::Encode(0x0301, FactoryImage()));
    const TResult r = Run({"show", "--json", dir.filePath("s.rvset")});
    QCOMPARE(r.Status, 0);
    const QJsonObject root = QJsonDocument::fromJson(r.Out).object();
    QCOMPARE(root["SettingsVersion"].toInt(), 0x0301);
    QCOMPARE(root["FirmwareVersion"].toInt(), 3);
    QCOMPARE(root["Directory"]["DirectoryCount"].toInt(), 13);
    QCOMPARE(root["Directory"]["Entries"].toArray().size(), 13);
    QCOMPARE(root["Directory"]["Entries"][0]["Address"].toInt(), 96);
    for (const char* block :
         {"TripTotals", "ParkingSettings", "TankSensorSettings", "TankCalibration",
          "ServiceSettings", "LimitsSettings", "TripSettings", "AlarmSounds", "DisplaySettings",
          "ProtocolSettings", "ErrorJournal", "Oscilloscope"})
        QVERIFY2(root[block].isObject(), block);
    QCOMPARE(root["LimitsSettings"]["VelocityLimit"].toInt(), 40);
    QCOMPARE(root["LimitsSettings"]["ExpenseCorr"].toDouble(), 1.0);
    QCOMPARE(root["ServiceSettings"]["ForsTOName"].toString(), QStringLiteral("ТО форсунки"));
    QCOMPARE(root["ServiceSettings"]["Blocks"].toArray().size(), 32);
    QCOMPARE(root["TripTotals"]["ResetPeriod1"].toInt(), -1);
    QVERIFY(root["TripTotals"]["AllSum"]["Fuel"].isDouble());
    QVERIFY(root["TripTotals"]["GasOnlySum"]["GasFuel"].isDouble());
    QCOMPARE(root["TripTotals"]["GasFuel"].toArray().size(), 6);
    QCOMPARE(root["TripSettings"]["TripJournal"].toArray().size(), 21);
    QCOMPARE(root["TripSettings"]["TripJournal"][1]["Path"].toInt(), 10123);
    QCOMPARE(root["DisplaySettings"]["Screens4"].toArray().size(), 6);
    QCOMPARE(root["DisplaySettings"]["Screens4"][5][3].toInt(), 21);
    QCOMPARE(root["DisplaySettings"]["HotMenus"][3].toArray().size(), 10);
    QCOMPARE(root["DisplaySettings"]["ColorTable0"].toArray().size(), 56);
    QCOMPARE(root["DisplaySettings"]["ShowDisp1"].toDouble(), 4294967295.0);
    QCOMPARE(root["ProtocolSettings"]["EcuPids"].toArray().size(), 16);
    QCOMPARE(root["ErrorJournal"]["SupportedPids"].toArray().size(), 12);
    QCOMPARE(root["ErrorJournal"]["Faults"].toArray().size(), 7);
    QVERIFY(root["ErrorJournal"]["Faults"][0]["SecondaryAirStatus"].isDouble());
    QCOMPARE(root["Oscilloscope"]["OscSamples"].toArray().size(), 1024);
    QVERIFY(root["Oscilloscope"]["OscHeader1"]["TriggerVolts"].isDouble());
}

void TestMktoolFiles::failuresPrintTheTextAndExitNonZero() {
    QTemporaryDir dir;
    TResult r = Run({"unpack", dir.filePath("missing.rvset"), dir.filePath("x.bin")});
    QCOMPARE(r.Status, 1);
    QVERIFY(r.Err.trimmed().split('\n').last().contains("missing.rvset"));
    r = Run({"pack", dir.filePath("a"), dir.filePath("b")});
    QCOMPARE(r.Status, 2);
    r = Run({"pack", "--settings-version", "zz", dir.filePath("a"), dir.filePath("b")});
    QCOMPARE(r.Status, 2);
    r = Run({"frobnicate"});
    QCOMPARE(r.Status, 2);
}

QTEST_GUILESS_MAIN(TestMktoolFiles)
#include "tst_mktool_files.moc"
