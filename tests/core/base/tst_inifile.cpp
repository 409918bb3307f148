// The program settings file: creation, reading with defaults, placement rules.
#include "base/IniFile.h"
#include "base/ProgramSettings.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Write(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileIsCreatedWithOneSpaceLine();
    void valuesRoundTripAndBooleansAreStoredAsDigits();
    void unreadableValuesGiveTheDefault();
    void placementReplacesNegativePositions();
    void maximizedStateLeavesPositionUnread();
    void sizeIsReadOnlyForSizeableWindows();
    void savePlacementWritesAllFive();
    void startupValuesOutsideTheirRangeKeepTheDefaults_data();
    void startupValuesOutsideTheirRangeKeepTheDefaults();
    void defaultPathIsNamedAfterTheExecutable();
};

void TestIniFile::missingFileIsCreatedWithOneSpaceLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Params32.ini");
    {
        TMIniFile ini(path);
        QVERIFY(QFile::exists(path));
        QCOMPARE(Contents(path).trimmed(), QString());
        QCOMPARE(Contents(path), QStringLiteral(" \n"));
        QCOMPARE(ini.ReadInteger("RS232", "Port", 7), 7);
        QCOMPARE(ini.ReadBool("Common", "Auto", true), true);
    }
    TMIniFile again(path);
    QCOMPARE(again.ReadInteger("RS232", "Port", 3), 3);
}

void TestIniFile::valuesRoundTripAndBooleansAreStoredAsDigits() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    {
        TMIniFile ini(path);
        ini.WriteInteger("RS232", "Port", 12);
        ini.WriteBool("Common", "Auto", false);
        ini.WriteString("Ports", "COM5", "/dev/pts/7");
    }
    const QString text = Contents(path);
    QVERIFY(text.contains("[RS232]"));
    QVERIFY(text.contains("Port=12"));
    QVERIFY(text.contains("Auto=0"));
    TMIniFile ini(path);
    QCOMPARE(ini.ReadInteger("RS232", "Port", 1), 12);
    QCOMPARE(ini.ReadBool("Common", "Auto", true), false);
    QCOMPARE(ini.ReadString("Ports", "COM5", {}), QStringLiteral("/dev/pts/7"));
    QCOMPARE(ini.Keys("Ports"), QStringList{"COM5"});
}

void TestIniFile::unreadableValuesGiveTheDefault() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write(path, "[RS232]\nPort=abc\n[Common]\nAuto=yes\n[MainWindow]\nLeft=\n");
    TMIniFile ini(path);
    QCOMPARE(ini.ReadInteger("RS232", "Port", 4), 4);
    QCOMPARE(ini.ReadBool("Common", "Auto", true), true);
    QCOMPARE(ini.ReadBool("Common", "Auto", false), false);
    QCOMPARE(ini.ReadInteger("MainWindow", "Left", 9), 9);
}

void TestIniFile::placementReplacesNegativePositions() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write(path, "[MainWindow]\nState=0\nLeft=-20\nTop=35\n");
    TMIniFile ini(path);
    TWindowPlacement p{0, 50, 60, 810, 401, false};
    ini.LoadPlacement("MainWindow", p);
    QCOMPARE(p.Left, 0);
    QCOMPARE(p.Top, 35);
    QCOMPARE(p.Width, 810);
}

void TestIniFile::maximizedStateLeavesPositionUnread() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write(path, "[MainWindow]\nState=2\nLeft=300\nTop=400\n");
    TMIniFile ini(path);
    TWindowPlacement p{0, 50, 60, 810, 401, false};
    ini.LoadPlacement("MainWindow", p);
    QCOMPARE(p.State, int(TWindowPlacement::Maximized));
    QCOMPARE(p.Left, 50);
    QCOMPARE(p.Top, 60);
}

void TestIniFile::sizeIsReadOnlyForSizeableWindows() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write(path, "[W]\nWidth=-5\nHeight=700\n");
    TMIniFile ini(path);
    TWindowPlacement fixed{0, 1, 2, 810, 401, false};
    ini.LoadPlacement("W", fixed);
    QCOMPARE(fixed.Width, 810);
    QCOMPARE(fixed.Height, 401);
    TWindowPlacement sizeable{0, 1, 2, 810, 401, true};
    ini.LoadPlacement("W", sizeable);
    QCOMPARE(sizeable.Width, 100);
    QCOMPARE(sizeable.Height, 700);
}

void TestIniFile::savePlacementWritesAllFive() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    {
        TMIniFile ini(path);
        ini.SavePlacement("MainWindow", {1, 10, 20, 810, 401, false});
    }
    TMIniFile ini(path);
    QCOMPARE(ini.Keys("MainWindow").size(), 5);
    QCOMPARE(ini.ReadInteger("MainWindow", "State", -1), 1);
    QCOMPARE(ini.ReadInteger("MainWindow", "Height", -1), 401);
}

void TestIniFile::startupValuesOutsideTheirRangeKeepTheDefaults_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("port");
    QTest::addColumn<QList<int>>("placement"); // state, left, top, width, height
    // Defaults: port 3, state 0, at (50, 60), 810 x 401.
    QTest::newRow("in range") << QByteArray("[RS232]\nPort=32\n[MainWindow]\nState=1\nLeft=8191\n"
                                            "Top=0\nWidth=8192\nHeight=0\n")
                              << 32 << QList<int>{1, 8191, 0, 8192, 0};
    QTest::newRow("port 0 is no port")
        << QByteArray("[RS232]\nPort=0\n") << 0 << QList<int>{0, 50, 60, 810, 401};
    QTest::newRow("port 33") << QByteArray("[RS232]\nPort=33\n") << 3
                             << QList<int>{0, 50, 60, 810, 401};
    QTest::newRow("port negative")
        << QByteArray("[RS232]\nPort=-1\n") << 3 << QList<int>{0, 50, 60, 810, 401};
    QTest::newRow("beyond the desktop")
        << QByteArray("[MainWindow]\nLeft=8192\nTop=2147483647\nWidth=8193\nHeight=99999\n") << 3
        << QList<int>{0, 50, 60, 810, 401};
    QTest::newRow("unknown state")
        << QByteArray("[MainWindow]\nState=3\nLeft=7\n") << 3 << QList<int>{0, 7, 60, 810, 401};
    QTest::newRow("negative state")
        << QByteArray("[MainWindow]\nState=-1\n") << 3 << QList<int>{0, 50, 60, 810, 401};
    QTest::newRow("negative values")
        << QByteArray("[MainWindow]\nLeft=-2147483648\nTop=-1\nWidth=-1\nHeight=-8193\n") << 3
        << QList<int>{0, 0, 0, 100, 100};
}

void TestIniFile::startupValuesOutsideTheirRangeKeepTheDefaults() {
    QFETCH(QByteArray, text);
    QFETCH(int, port);
    QFETCH(QList<int>, placement);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write(path, text);
    TMIniFile ini(path);
    QCOMPARE(ProgramSettings::ReadPort(ini, "RS232", 3), port);
    ProgramSettings::TStartup defaults;
    defaults.Placement = {0, 50, 60, 810, 401, true};
    const TWindowPlacement p = ProgramSettings::ReadStartup(ini, defaults).Placement;
    QCOMPARE((QList<int>{p.State, p.Left, p.Top, p.Width, p.Height}), placement);
}

void TestIniFile::defaultPathIsNamedAfterTheExecutable() {
    const QString path = TMIniFile::DefaultPath();
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("tst_inifile.ini"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
