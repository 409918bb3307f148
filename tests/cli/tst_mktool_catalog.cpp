// mktool catalog, run as a user would.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct TResult {
    int Status;
    QJsonObject Json;
    QString Out;
    QString LastErrorLine;
};

TResult Run(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MKTOOL_PATH), QStringList{"catalog"} + args);
    p.waitForFinished(60000);
    const QByteArray out = p.readAllStandardOutput();
    const QStringList errors =
        QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return {p.exitCode(), QJsonDocument::fromJson(out).object(), QString::fromUtf8(out),
            errors.isEmpty() ? QString() : errors.last()};
}

QJsonObject FindByName(const QJsonArray& array, const QString& key, const QString& value) {
    for (const QJsonValue& v : array)
        if (v.toObject().value(key).toString() == value)
            return v.toObject();
    return {};
}

} // namespace

class TestMktoolCatalog : public QObject {
    Q_OBJECT

private slots:
    void initialDevice();
    void protocolEntriesCarryEveryField();
    void measuredParametersAreFreshlyBuilt();
    void lightsDeviceBuildsInEditorOrder();
    void protocolOutsideListStillPrintsCatalogue();
    void unknownDevice();
    void refusedArguments_data();
    void refusedArguments();
    void plainSummary();
};

void TestMktoolCatalog::initialDevice() {
    const TResult r = Run({"--json", "--settings-version", "1", "--variant", "0"});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Json.value("ProjectName").toString(), QStringLiteral("MK-0001"));
    const QJsonObject flags = r.Json.value("Flags").toObject();
    QCOMPARE(flags.size(), 18 + 47);
    QCOMPARE(flags.value("HasCanBlocks").toBool(), true);
    QCOMPARE(flags.value("UseCanFamily").toBool(), true);
    QCOMPARE(flags.value("UseM74Can").toBool(), true);
    QCOMPARE(flags.value("NoVoice").toBool(), false);
    QCOMPARE(flags.value("NoParkType").isBool(), true);
    QCOMPARE(r.Json.value("CurrentProtocol").toInt(-1), 0);
    QCOMPARE(r.Json.value("Protocols").toArray().first().toObject().value("ProtName").toString(),
             QStringLiteral("M74CAN"));
    QCOMPARE(r.Json.value("MenuItems").toArray().size(), 169);
    const QJsonObject item31 = r.Json.value("MenuItems").toArray().at(30).toObject();
    QCOMPARE(item31.value("Id").toInt(), 31);
    QCOMPARE(item31.value("Name").toString(), QStringLiteral("FlagSoundMenu"));
    QCOMPARE(item31.value("Caption").toString(), QStringLiteral("Откл.звук"));
    const QJsonArray blocks = r.Json.value("Blocks").toArray();
    QCOMPARE(blocks.size(), 122);
    QCOMPARE(blocks.first().toObject().value("Id").toInt(), 8);
    QCOMPARE(blocks.first().toObject().value("Name").toString(), QStringLiteral("Иммо АПС-4"));
}

void TestMktoolCatalog::protocolEntriesCarryEveryField() {
    const TResult r = Run({"--json", "--settings-version", "0x8002", "--variant", "0"});
    QCOMPARE(r.Status, 0);
    const QJsonObject j1939 = FindByName(r.Json.value("Protocols").toArray(), "ProtName", "J1939");
    QCOMPARE(j1939.value("ProtCode").toInt(), 14);
    QCOMPARE(j1939.value("ErrorFormat").toInt(), 5);
    QCOMPARE(j1939.value("ParamIds").toArray().size(), 27);
    QCOMPARE(j1939.value("BlockIds").toArray(), (QJsonArray{93, 22, 23}));
    QCOMPARE(j1939.value("OptionCaption").toArray().size(), 8);
    QCOMPARE(j1939.value("OptionCaption").toArray().at(2).toString(),
             QStringLiteral("Расчет расхода"));
    const QJsonArray values = j1939.value("OptionValues").toArray();
    QCOMPARE(values.size(), 8);
    QCOMPARE(values.at(2).toArray(), (QJsonArray{"1", "2", "3"}));
    QCOMPARE(values.at(0).toArray(), QJsonArray());
    QCOMPARE(j1939.value("HasGearboxOilTemp").toBool(), true);
    QCOMPARE(j1939.value("HasEngineOilTemp").toBool(), true);
    QCOMPARE(j1939.value("HasBatteryVoltageSource").toBool(), true);
    QCOMPARE(j1939.value("IsHybrid").toBool(), false);
    QCOMPARE(j1939.value("EcuFuelSensors").toInt(), 1);
    for (const char* key : {"HasCoolantTemp", "HasEcuErrors", "HasFanControl", "HasLightsType"})
        QVERIFY2(j1939.value(key).isBool(), key);
    QCOMPARE(r.Json.value("Blocks").toArray().first().toObject().value("Id").toInt(), 93);
    QCOMPARE(r.Json.value("ProjectName").toString(), QString());
}

void TestMktoolCatalog::measuredParametersAreFreshlyBuilt() {
    const TResult r = Run({"--json", "--settings-version", "1", "--variant", "0"});
    const QJsonArray params = r.Json.value("MeasParams").toArray();
    QCOMPARE(params.size(), 52);
    QCOMPARE(params.first().toObject().value("Class").toString(), QStringLiteral("TVelocity"));
    const QJsonObject expense = FindByName(params, "Class", "TMomentaryExpenseK");
    QCOMPARE(expense.value("Id").toInt(), 14);
    QCOMPARE(expense.value("MaxValue").toInt(), 240);
    QCOMPARE(expense.value("DialMax").toInt(), 24);
    QCOMPARE(expense.value("RangeExtended").toInt(), 0);
    QCOMPARE(expense.value("HasDialMarker").toInt(), 1);
    QCOMPARE(expense.value("SampleText").toString(), QStringLiteral(" 10.0"));
    const QJsonObject air = FindByName(params, "Class", "TTemperAir");
    QCOMPARE(air.value("Name4").toString(), QStringLiteral("Tвозд"));
    QCOMPARE(air.value("Unit4").toString(), QStringLiteral("градусы"));
    QCOMPARE(air.value("MinValue").toInt(), -20);
    QCOMPARE(air.value("DialKind").toInt(), 1);
    for (const char* key :
         {"HasBar", "HasChart", "SampleValue", "DialMin", "Width", "Decimals", "Caption1", "Name9",
          "Unit9", "Label7", "DialName", "DialUnit", "ChartLabel", "Name"})
        QVERIFY2(air.contains(key), key);
}

void TestMktoolCatalog::lightsDeviceBuildsInEditorOrder() {
    // The flags of the device decide the parameters: the protocols are built first.
    const TResult r = Run({"--json", "--settings-version", "0x0901", "--variant", "5"});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Json.value("MeasParams").toArray().size(), 53);
    QVERIFY(!FindByName(r.Json.value("MeasParams").toArray(), "Class", "TLightsFlag1").isEmpty());
    const QJsonArray ids =
        r.Json.value("Protocols").toArray().first().toObject().value("ParamIds").toArray();
    QCOMPARE(ids.last().toInt(), 34);
    QCOMPARE(r.Json.value("ProjectName").toString(), QStringLiteral("MK-0901_5"));
}

void TestMktoolCatalog::protocolOutsideListStillPrintsCatalogue() {
    const TResult r =
        Run({"--json", "--settings-version", "0x0C01", "--variant", "0", "--protocol", "2"});
    QCOMPARE(r.Status, 0);
    QVERIFY(r.Json.value("CurrentProtocol").isNull());
    QCOMPARE(r.Json.value("Protocols").toArray().size(), 2);
    QCOMPARE(r.LastErrorLine, QStringLiteral("List index out of bounds (2)"));
    const TResult inside =
        Run({"--json", "--settings-version", "0x0C01", "--variant", "0", "--protocol", "1"});
    QCOMPARE(inside.Json.value("CurrentProtocol").toInt(-1), 1);
    QVERIFY(!inside.LastErrorLine.contains(QStringLiteral("List index")));
}

void TestMktoolCatalog::unknownDevice() {
    const TResult r = Run({"--json", "--settings-version", "2", "--variant", "0"});
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Json.value("Protocols").toArray().size(), 0);
    QVERIFY(r.Json.value("CurrentProtocol").isNull());
    QCOMPARE(r.Json.value("Blocks").toArray().size(), 29);
    for (const QJsonValue& v : r.Json.value("Flags").toObject())
        QCOMPARE(v.toBool(), false);
}

void TestMktoolCatalog::refusedArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("variant above 255")
        << QStringList{"--settings-version", "1", "--variant", "256"} << 1 << "Range check error";
    QTest::newRow("protocol above 255")
        << QStringList{"--settings-version", "1", "--variant", "0", "--protocol", "300"} << 1
        << "Range check error";
    QTest::newRow("version above 16 bits")
        << QStringList{"--settings-version", "0x10000", "--variant", "0"} << 1
        << "Range check error";
    QTest::newRow("negative variant")
        << QStringList{"--settings-version", "1", "--variant", "-1"} << 1 << "Range check error";
    QTest::newRow("no variant") << QStringList{"--settings-version", "1"} << 2 << "";
    QTest::newRow("not a number") << QStringList{"--settings-version", "x", "--variant", "0"} << 2
                                  << QStringLiteral("Неверное число: x");
    QTest::newRow("stray argument")
        << QStringList{"--settings-version", "1", "--variant", "0", "file"} << 2 << "";
}

void TestMktoolCatalog::refusedArguments() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const TResult r = Run(args);
    QCOMPARE(r.Status, status);
    QVERIFY(r.Out.isEmpty());
    QVERIFY(!r.LastErrorLine.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(r.LastErrorLine, message);
}

void TestMktoolCatalog::plainSummary() {
    const TResult r = Run({"--settings-version", "0x0C01", "--variant", "0", "--protocol", "1"});
    QCOMPARE(r.Status, 0);
    QVERIFY(r.Out.contains(QStringLiteral("MK-0C01")));
    QVERIFY(r.Out.contains(QStringLiteral("*   1 Delphi")));
    QVERIFY(r.Out.contains(QStringLiteral("    0 Bosch")));
}

QTEST_GUILESS_MAIN(TestMktoolCatalog)
#include "tst_mktool_catalog.moc"
