// mktool show --json: integers printed exactly, nested records in their documented shape.
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include "ImageKit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

namespace {

// Runs show on the model's record; the raw JSON text.
QByteArray Show(TMK& mk) {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.rvset");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(SettingsFile::Encode(0x0301, PackedImage(mk)));
    f.close();
    QProcess p;
    p.start(QStringLiteral(MKTOOL_PATH), {"show", "--json", path});
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

// The digits printed for a key that occurs once in the text.
QString PrintedNumber(const QByteArray& json, const QString& key) {
    const QRegularExpression re(QStringLiteral("\"%1\": (-?[0-9][0-9.e+-]*)").arg(key));
    QRegularExpressionMatchIterator it = re.globalMatch(QString::fromUtf8(json));
    if (!it.hasNext())
        return {};
    const QString first = it.next().captured(1);
    return it.hasNext() ? QString() : first;
}

QStringList Keys(const QJsonValue& v) {
    return v.toObject().keys();
}

} // namespace

class TestMktoolShow : public QObject {
    Q_OBJECT
private slots:
    void unsigned64IsPrintedWithEveryBit_data();
    void unsigned64IsPrintedWithEveryBit();
    void signedAndUnsigned32AreExact();
    void nestedRecordsKeepTheirDocumentedShape();
};

void TestMktoolShow::unsigned64IsPrintedWithEveryBit_data() {
    QTest::addColumn<qulonglong>("value");
    QTest::newRow("zero") << 0ull;
    QTest::newRow("factory") << 4294967295ull;
    QTest::newRow("2^53+1") << (1ull << 53) + 1;
    QTest::newRow("INT64_MAX") << qulonglong(INT64_MAX);
    QTest::newRow("INT64_MAX+1") << qulonglong(INT64_MAX) + 1;
    QTest::newRow("0xEACA5C5A12345678") << 0xEACA5C5A12345678ull;
    QTest::newRow("UINT64_MAX") << ~0ull;
}

void TestMktoolShow::unsigned64IsPrintedWithEveryBit() {
    QFETCH(qulonglong, value);
    TMK mk;
    mk.Record.DisplaySettings.ShowDisp1 = value;
    const QByteArray json = Show(mk);
    QVERIFY(!json.isEmpty());
    QVERIFY(!QJsonDocument::fromJson(json).isNull());
    const QString printed = PrintedNumber(json, QStringLiteral("ShowDisp1"));
    QCOMPARE(printed, QString::number(value));
    bool ok = false;
    QCOMPARE(printed.toULongLong(&ok), value);
    QVERIFY(ok);
}

void TestMktoolShow::signedAndUnsigned32AreExact() {
    TMK mk;
    mk.Record.TripTotals.AllPathStart = INT32_MIN;
    mk.Record.TripTotals.TankSum.Path = UINT32_MAX;
    const QByteArray json = Show(mk);
    QVERIFY(!json.isEmpty());
    QCOMPARE(PrintedNumber(json, QStringLiteral("AllPathStart")), QStringLiteral("-2147483648"));
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    QCOMPARE(root["TripTotals"]["TankSum"]["Path"].toInteger(), qint64(UINT32_MAX));
}

void TestMktoolShow::nestedRecordsKeepTheirDocumentedShape() {
    TMK mk;
    for (int i = 0; i < 56; ++i)
        reinterpret_cast<uint8_t*>(&mk.Record.DisplaySettings.ColorTable1)[i] = uint8_t(200 + i);
    mk.Record.ErrorJournal.Faults[2].Code = 0x01020304;
    const QByteArray json = Show(mk);
    QVERIFY(!json.isEmpty());
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    QCOMPARE(Keys(root["TripTotals"]["AllSum"]), (QStringList{"Fuel", "Path", "Time"}));
    QCOMPARE(Keys(root["TripTotals"]["GasOnlySum"]), (QStringList{"GasFuel", "Path", "Time"}));
    QCOMPARE(Keys(root["TripSettings"]["TankJournal"][20]),
             (QStringList{"Day", "Fuel", "GasFuel", "Month", "Path", "TimeOfDay", "TripTime"}));
    QCOMPARE(Keys(root["ErrorJournal"]["Faults"][6]),
             (QStringList{"Code", "Day", "FreezeCode", "FuelSystemStatus", "Month",
                          "SecondaryAirStatus", "TimeOfDay"}));
    QCOMPARE(root["ErrorJournal"]["Faults"][2]["Code"].toInteger(), 0x01020304);
    QCOMPARE(Keys(root["ErrorJournal"]), (QStringList{"Faults", "SupportedPids"}));
    const QJsonArray colours = root["DisplaySettings"]["ColorTable1"].toArray();
    QCOMPARE(colours.size(), 56);
    for (int i = 0; i < 56; ++i)
        QCOMPARE(colours[i].toInt(), 200 + i);
    // Reserved bytes are no record fields.
    QVERIFY(!json.contains("Reserved"));
    QVERIFY(!json.contains("unsigned-64-bit"));
}

QTEST_GUILESS_MAIN(TestMktoolShow)
#include "tst_mktool_show.moc"
