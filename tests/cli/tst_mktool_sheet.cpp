// mktool sheet: the settings sheet of a file as HTML or PDF by OUT's extension, and the
// refusals that leave nothing behind.
#include "ImageKit.h"

#include "model/SettingsFile.h"

#include "MktoolRun.h"
#include <QTemporaryDir>
#include <QtTest>

class TestMktoolSheet : public QObject {
    Q_OBJECT
    QTemporaryDir Dir;
    QString Settings, Broken;

    QString Path(const QString& name) const { return Dir.filePath(name); }
    QStringList Files() const {
        return QDir(Dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase() {
        Settings = Path("car.rvset");
        Broken = Path("broken.rvset");
        TMK mk;
        DeclareDevice(mk, 0x0A01, 1);
        SettingsFile::Save(mk, Settings);
        TMK broken;
        DeclareDevice(broken, 0x0001, 1);
        StoreField(broken, RecordField(u"Protocol"), 250);
        broken.PackAll();
        SettingsFile::Save(broken, Broken);
        QFile garbage(Path("garbage.rvset"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a settings file");
        QVERIFY(QDir(Dir.path()).mkdir("taken.html"));
    }

    void writesTheFormatOfTheExtension_data() {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("html") << "car.html" << QByteArray("<!DOCTYPE html>");
        QTest::newRow("pdf") << "car.pdf" << QByteArray("%PDF-");
        QTest::newRow("upper-case extension") << "CAR.PDF" << QByteArray("%PDF-");
    }

    void writesTheFormatOfTheExtension() {
        QFETCH(QString, out);
        QFETCH(QByteArray, start);
        const QStringList before = Files();
        const TResult r = Run({"sheet", Settings, Path(out)});
        QCOMPARE(r.Status, 0);
        QVERIFY(r.Out.isEmpty());
        QVERIFY2(r.Err.isEmpty(), qPrintable(r.Err));
        QFile file(Path(out));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(start));
        if (start.startsWith('<')) {
            QVERIFY(bytes.contains("<tr data-name=\"seVelocityCorr\">"));
            QVERIFY(bytes.contains(">car.rvset</td>"));
            QVERIFY(bytes.contains(">0x0A01</td>"));
        }
        // Only OUT is new: no temporary file stays beside it.
        QCOMPARE(Files().size(), before.size() + 1);
        QVERIFY(QFile::remove(Path(out)));
        QCOMPARE(Files(), before);
    }

    void refusesWithoutLeavingAnything_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("no arguments") << QStringList{} << "";
        QTest::newRow("one file") << QStringList{"IN"} << "";
        QTest::newRow("three files") << QStringList{"IN", "OUT", "OUT"} << "";
        QTest::newRow("unknown option") << QStringList{"--json", "IN", "OUT"} << "";
        QTest::newRow("unknown extension") << QStringList{"IN", "TXT"} << "";
        QTest::newRow("no extension") << QStringList{"IN", "BARE"} << "";
        QTest::newRow("missing input") << QStringList{"MISSING", "OUT"} << "";
        QTest::newRow("not a settings file") << QStringList{"GARBAGE", "OUT"} << "";
        QTest::newRow("a file the editor cannot open")
            << QStringList{"BROKEN", "OUT"} << "List index out of bounds (250)";
        QTest::newRow("output folder missing") << QStringList{"IN", "NOWHERE"} << "";
        QTest::newRow("output is a folder") << QStringList{"IN", "TAKEN"} << "";
    }

    void refusesWithoutLeavingAnything() {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const QStringList before = Files();
        for (QString& a : args)
            a = a == "IN"        ? Settings
                : a == "BROKEN"  ? Broken
                : a == "GARBAGE" ? Path("garbage.rvset")
                : a == "MISSING" ? Path("missing.rvset")
                : a == "OUT"     ? Path("out.pdf")
                : a == "TXT"     ? Path("out.txt")
                : a == "BARE"    ? Path("out")
                : a == "NOWHERE" ? Path("no/such/folder/out.html")
                : a == "TAKEN"   ? Path("taken.html")
                                 : a;
        const TResult r = Run(QStringList{"sheet"} + args);
        QCOMPARE(r.Status, 2);
        QVERIFY(r.Out.isEmpty());
        QVERIFY(!r.LastErrorLine().isEmpty());
        if (!error.isEmpty())
            QCOMPARE(r.LastErrorLine(), error);
        QCOMPARE(Files(), before);
    }
};

QTEST_MAIN(TestMktoolSheet)
#include "tst_mktool_sheet.moc"
