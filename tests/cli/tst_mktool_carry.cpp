// mktool carry, get --visible and set --from: settings moved between files by meaning and
// kept as text, with their refusals and exit codes.
#include "ImageKit.h"

#include "editing/EditorSession.h"
#include "editing/SettingsEditor.h"
#include "model/SettingsFile.h"

#include "MktoolRun.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A settings file of the device with the protocol chosen and a few settings changed.
void WriteDevice(const QString& path, uint16_t version, uint32_t variant, const QString& protocol,
                 int code, bool edited) {
    TMK mk;
    DeclareDevice(mk, version, variant, 8192, protocol, code);
    if (edited)
        RunEditorModel(mk, [](TSettingsEditor& e) {
            e.Put("seVelocityCorr", 3.5);
            e.Put("seGazContFull", 70.0);
            e.Put("rgRevolutionsMeth", 1);
            e.Put("rgForsPosFlag", 1);
            e.Put("eUniMeasStr", QStringLiteral("Масло"));
            e.Put("seTankContFull", 58.0);
            return true;
        });
    SettingsFile::Save(mk, path);
}

QJsonObject GetJson(const QString& file) {
    return QJsonDocument::fromJson(Run({"get", "--json", file}).Out).object();
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class TestMktoolCarry : public QObject {
    Q_OBJECT
    QTemporaryDir Dir;
    QString Edited, Factory, NoGas, Broken;

    QString Path(const QString& name) const { return Dir.filePath(name); }

private slots:
    void initTestCase() {
        Edited = Path("edited.rvset");
        Factory = Path("factory.rvset");
        NoGas = Path("nogas.rvset");
        Broken = Path("broken.rvset");
        WriteDevice(Edited, 0x0001, 1, "CAN", 1, true);
        WriteDevice(Factory, 0x0001, 1, "CAN", 1, false);
        WriteDevice(NoGas, 0x0A01, 10, "CAN", 1, false);
        TMK broken;
        DeclareDevice(broken, 0x0001, 1);
        StoreField(broken, RecordField(u"Protocol"), 250);
        broken.PackAll();
        SettingsFile::Save(broken, Broken);
    }

    void carryReportsAndExits_data() {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("leftOut");
        QTest::newRow("same device") << "factory" << 0 << QStringList{};
        QTest::newRow("no gas") << "nogas" << 1 << QStringList{"seGazContFull"};
    }

    void carryReportsAndExits() {
        QFETCH(QString, onto);
        QFETCH(int, status);
        QFETCH(QStringList, leftOut);
        const QString target = onto == "factory" ? Factory : NoGas;
        const QString out = Path(onto + "-out.rvset");
        const TResult r = Run({"carry", "--json", Edited, target, out});
        QCOMPARE(r.Status, status);
        const QJsonObject json = QJsonDocument::fromJson(r.Out).object();
        QVERIFY(json.value("Carried").toInt() > 100);
        QStringList names;
        for (const QJsonValue& v : json.value("NotCarried").toArray()) {
            const QJsonObject e = v.toObject();
            names << e.value("Name").toString();
            for (const char* key : {"Page", "Caption", "From", "Reason"})
                QVERIFY(e.contains(key));
        }
        for (const QString& name : leftOut)
            QVERIFY2(names.contains(name), qPrintable(name));
        QCOMPARE(names.isEmpty(), leftOut.isEmpty());
        // OUT is ONTO's device, showing what FROM shows where it could.
        TMK written, original;
        SettingsFile::Load(written, out);
        SettingsFile::Load(original, target);
        QCOMPARE(written.SettingsVersion, original.SettingsVersion);
        QCOMPARE(written.FirmwareVersion(), original.FirmwareVersion());
        const QJsonObject shown = GetJson(out);
        QCOMPARE(shown.value("seVelocityCorr").toDouble(), 3.5);
        QCOMPARE(shown.value("seTankContFull").toDouble(), 58.0);

        const TResult lines = Run({"carry", Edited, target, Path("lines.rvset")});
        QCOMPARE(lines.Status, status);
        QCOMPARE(QString::fromUtf8(lines.Out).count(QStringLiteral("›")), names.size());
    }

    void carryOntoItselfWritesWhatOkWrites() {
        const QString out = Path("self.rvset");
        const QString ok = Path("ok.rvset");
        QCOMPARE(Run({"carry", Edited, Edited, out}).Status, 0);
        TMK mk;
        SettingsFile::Load(mk, Edited);
        RunEditorModel(mk, [](TSettingsEditor&) { return true; });
        SettingsFile::Save(mk, ok);
        QCOMPARE(FileBytes(out), FileBytes(ok));
    }

    void carryRefusesWithoutWriting_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("two files") << QStringList{"EDITED", "FACTORY"} << "";
        QTest::newRow("unknown option") << QStringList{"--fast", "EDITED", "FACTORY", "OUT"} << "";
        QTest::newRow("unreadable source") << QStringList{"MISSING", "FACTORY", "OUT"} << "";
        QTest::newRow("source the editor cannot open")
            << QStringList{"BROKEN", "FACTORY", "OUT"} << "List index out of bounds (250)";
        QTest::newRow("output folder missing") << QStringList{"EDITED", "FACTORY", "NOWHERE"} << "";
    }

    void carryRefusesWithoutWriting() {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const QString out = Path("refused.rvset");
        QFile::remove(out);
        for (QString& a : args)
            a = a == "EDITED"    ? Edited
                : a == "FACTORY" ? Factory
                : a == "BROKEN"  ? Broken
                : a == "MISSING" ? Path("missing.rvset")
                : a == "NOWHERE" ? Path("no/such/folder/out.rvset")
                : a == "OUT"     ? out
                                 : a;
        const TResult r = Run(QStringList{"carry"} + args);
        QCOMPARE(r.Status, 2);
        QVERIFY(r.Out.isEmpty());
        QVERIFY(!QFile::exists(out));
        if (!error.isEmpty())
            QCOMPARE(r.LastErrorLine(), error);
    }

    void getVisibleListsWhatTheEditorShows() {
        const TResult all = Run({"get", "--visible", NoGas});
        QCOMPARE(all.Status, 0);
        const QStringList lines = QString::fromUtf8(all.Out).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 50);
        for (const QString& line : lines)
            QVERIFY2(!line.endsWith('=') || line.startsWith('e') || line.startsWith("me"),
                     qPrintable(line));
        const QString text = QString::fromUtf8(all.Out);
        QVERIFY(!text.contains("seGazContFull="));
        QVERIFY(!text.contains("seParkSense0="));
        QVERIFY(!text.contains("rgTarirIncline="));
        QVERIFY(text.contains("seVelocityCorr="));
        QCOMPARE(Run({"get", "--visible", NoGas, "seVelocityCorr"}).Status, 2);
    }

    // get --visible F, applied to another file of the device, shows what F shows.
    void setFromTextRoundTrips() {
        const QString text = Path("edited.txt");
        WriteText(text, "# kept in version control\n\n" + Run({"get", "--visible", Edited}).Out);
        const QString out = Path("roundtrip.rvset");
        const TResult r = Run({"set", Factory, out, "--from", text});
        QVERIFY2(r.Status == 0, qPrintable(r.Err));
        const QJsonObject want = GetJson(Edited);
        const QJsonObject got = GetJson(out);
        for (const QByteArray& line : Run({"get", "--visible", Edited}).Out.split('\n')) {
            const QString name = QString::fromUtf8(line.left(line.indexOf('=')));
            if (!name.isEmpty())
                QVERIFY2(got.value(name) == want.value(name), qPrintable(name));
        }
    }

    // The injector polarity shows only once a signal comes from the injector, set later.
    void setFromTextWaitsForWhatDecidesVisibility() {
        const QString text = Path("order.txt");
        WriteText(text, "rgForsPosFlag=1\r\n  # a comment\r\nrgRevolutionsMeth=1\r\n");
        const QString out = Path("order.rvset");
        const TResult r = Run({"set", Factory, out, "--from", text});
        QVERIFY2(r.Status == 0, qPrintable(r.Err));
        const QJsonObject got = GetJson(out);
        QCOMPARE(got.value("rgForsPosFlag").toInt(), 1);
        QCOMPARE(got.value("rgRevolutionsMeth").toInt(), 1);
    }

    void setFromTextRefusals_data() {
        QTest::addColumn<bool>("noGas");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        QTest::newRow("not an assignment")
            << false << QByteArray("seVelocityCorr=1\n\nseTankLimit 10\n") << 2 << "строка 3";
        QTest::newRow("no name") << false << QByteArray("=5\n") << 2 << "строка 1";
        QTest::newRow("unknown control")
            << false << QByteArray("# x\nseNoSuch=1\n") << 2 << "строка 2";
        QTest::newRow("wrong form") << false << QByteArray("cbGasOil=yes\n") << 2 << "строка 1";
        QTest::newRow("hidden control")
            << true << QByteArray("seVelocityCorr=2\nseGazContFull=50\n") << 1 << "";
        QTest::newRow("editor error")
            << true << QByteArray("seUniMeasADC1=200\nseUniMeasADC0=200\n") << 1
            << "Значения АЦП Мин и Макс должны различаться.";
    }

    void setFromTextRefusals() {
        QFETCH(bool, noGas);
        QFETCH(QByteArray, text);
        QFETCH(int, status);
        QFETCH(QString, error);
        const QString file = Path("bad.txt");
        WriteText(file, text);
        const QString out = Path("bad.rvset");
        QFile::remove(out);
        const TResult r = Run({"set", noGas ? NoGas : Factory, out, "--from", file});
        QCOMPARE(r.Status, status);
        QVERIFY(!QFile::exists(out));
        QVERIFY2(r.LastErrorLine().contains(error), qPrintable(r.Err));
        if (status == 2)
            QVERIFY2(r.LastErrorLine().contains(file), qPrintable(r.Err));
    }

    void setFromMissingTextIsAUsageError() {
        const TResult r = Run({"set", Factory, Path("x.rvset"), "--from", Path("none.txt")});
        QCOMPARE(r.Status, 2);
        QVERIFY(!QFile::exists(Path("x.rvset")));
    }
};

QTEST_GUILESS_MAIN(TestMktoolCarry)
#include "tst_mktool_carry.moc"
