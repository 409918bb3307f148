// The second line that says what to do when a port was refused for lack of rights.
#include "link/LinkTexts.h"
#include "link/PortMap.h"
#include "readwrite/PortAccess.h"
#include "readwrite/ReadWriteTexts.h"

#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

TPortMap Ports() {
    TPortMap ports;
    ports.Set(1, QStringLiteral("/dev/ttyACM0"));
    ports.Set(2, QStringLiteral("/dev/ttyACM1"));
    ports.Set(3, QStringLiteral("/dev/ttyACM2"));
    return ports;
}

} // namespace

class TestPortAccess : public QObject {
    Q_OBJECT
private slots:
    void hintFollowsTheTextWhenRightsAreMissing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("currentPort");
        QTest::addColumn<QString>("deniedDevice");
        QTest::addColumn<QString>("hintedDevice"); // empty: the text stays as it is

        const QString acm1 = QStringLiteral("/dev/ttyACM1");
        QTest::newRow("no connection on the denied port")
            << LinkTexts::NoConnection() << 2 << acm1 << acm1;
        QTest::newRow("no connection on another port")
            << LinkTexts::NoConnection() << 1 << acm1 << QString();
        QTest::newRow("no free port, one denied") << LinkTexts::NoFreePort() << 0 << acm1 << acm1;
        QTest::newRow("MK not found, one denied") << LinkTexts::MKNotFound() << 0 << acm1 << acm1;
        QTest::newRow("no free port, none denied")
            << LinkTexts::NoFreePort() << 0 << QString() << QString();
        QTest::newRow("a timeout is no matter of rights")
            << LinkTexts::InterByteDelay() << 2 << acm1 << QString();
        QTest::newRow("busy device") << LinkTexts::DeviceBusy() << 2 << acm1 << QString();
    }
    void hintFollowsTheTextWhenRightsAreMissing() {
        QFETCH(QString, text);
        QFETCH(int, currentPort);
        QFETCH(QString, deniedDevice);
        QFETCH(QString, hintedDevice);
        const auto denied = [&](const QString& path) {
            return !path.isEmpty() && path == deniedDevice;
        };
        const QString shown = WithPermissionHint(text, Ports(), currentPort, denied);
        if (hintedDevice.isEmpty()) {
            QCOMPARE(shown, text);
        } else {
            // The text itself stays as it is, on its own first line.
            QCOMPARE(shown,
                     text + QLatin1Char('\n') + WorkflowTexts::PortPermissionHint(hintedDevice));
            QVERIFY(shown.contains(QStringLiteral("dialout")));
        }
    }

    void missingDeviceIsNoMatterOfRights() {
        QVERIFY(!PortAccessDenied(QStringLiteral("/nonexistent/ttyACM9")));
        QVERIFY(!PortAccessDenied(QString()));
    }

    void deviceWithoutRightsIsDenied() {
        if (geteuid() == 0)
            QSKIP("root may open every file");
        QTemporaryDir dir;
        QFile device(dir.filePath(QStringLiteral("ttyFAKE")));
        QVERIFY(device.open(QIODevice::WriteOnly));
        device.close();
        QVERIFY(!PortAccessDenied(device.fileName()));
        QVERIFY(device.setPermissions(QFileDevice::Permissions()));
        QVERIFY(PortAccessDenied(device.fileName()));
    }
};

QTEST_GUILESS_MAIN(TestPortAccess)
#include "tst_portaccess.moc"
