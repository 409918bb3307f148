// COM numbers to devices: the platform's defaults and the program settings' overrides.
#include "base/IniFile.h"
#include "link/PortMap.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPortMap : public QObject {
    Q_OBJECT

private slots:
    void platformDefaults_data();
    void platformDefaults();
    void settingsOverrideSomePorts();
    void numbersOutsideTheTableHaveNoDevice();
    void portNumberOfFollowsLinks();
};

void TestPortMap::platformDefaults_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM1") << 1 << "/dev/ttyACM0";
    QTest::newRow("COM16") << 16 << "/dev/ttyACM15";
    QTest::newRow("COM17") << 17 << "/dev/ttyUSB0";
    QTest::newRow("COM32") << 32 << "/dev/ttyUSB15";
}

void TestPortMap::platformDefaults() {
    QFETCH(int, number);
    QFETCH(QString, device);
    const TPortMap map = TPortMap::PlatformDefaults();
    QCOMPARE(map.DevicePath(number), device);
    QCOMPARE(map.PortNumberOf(device), number);
}

void TestPortMap::settingsOverrideSomePorts() {
    QTemporaryDir dir;
    TMIniFile settings(dir.filePath(QStringLiteral("Params32.ini")));
    settings.WriteString(QStringLiteral("Ports"), QStringLiteral("COM5"),
                         QStringLiteral("/dev/ttyACM3"));
    settings.WriteString(QStringLiteral("Ports"), QStringLiteral("COM20"),
                         QStringLiteral("/dev/pts/7"));
    settings.WriteString(QStringLiteral("Ports"), QStringLiteral("COM40"),
                         QStringLiteral("/dev/x"));
    settings.WriteString(QStringLiteral("Ports"), QStringLiteral("Printer"),
                         QStringLiteral("/dev/y"));
    const TPortMap map = TPortMap::FromSettings(settings);
    QCOMPARE(map.DevicePath(5), QStringLiteral("/dev/ttyACM3"));
    QCOMPARE(map.DevicePath(20), QStringLiteral("/dev/pts/7"));
    QCOMPARE(map.DevicePath(4), QStringLiteral("/dev/ttyACM3")); // the default stays too
    QCOMPARE(map.DevicePath(6), QStringLiteral("/dev/ttyACM5"));
    QCOMPARE(map.DevicePath(40), QString());
    QCOMPARE(map.PortNumberOf(QStringLiteral("/dev/pts/7")), 20);
    QCOMPARE(map.PortNumberOf(QStringLiteral("/dev/y")), 0);
}

void TestPortMap::numbersOutsideTheTableHaveNoDevice() {
    TPortMap map = TPortMap::PlatformDefaults();
    map.Set(0, QStringLiteral("/dev/a"));
    map.Set(33, QStringLiteral("/dev/b"));
    QCOMPARE(map.DevicePath(0), QString());
    QCOMPARE(map.DevicePath(33), QString());
    QCOMPARE(map.DevicePath(-1), QString());
    QCOMPARE(TPortMap().DevicePath(1), QString());
    QCOMPARE(TPortMap().PortNumberOf(QString()), 0);
}

void TestPortMap::portNumberOfFollowsLinks() {
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyReal"));
    const QString alias = dir.filePath(QStringLiteral("by-id-mk"));
    QFile file(device);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QFile::link(device, alias));
    TPortMap map;
    map.Set(9, alias);
    QCOMPARE(map.PortNumberOf(device), 9);
    QCOMPARE(map.PortNumberOf(alias), 9);
}

QTEST_GUILESS_MAIN(TestPortMap)
#include "tst_portmap.moc"
