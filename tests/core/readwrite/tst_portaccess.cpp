// The second line that says what to do when a port was refused for lack of rights.
#include "base/MKError.h"
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
    void hintFollowsTheErrorWhenRightsAreMissing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("currentPort");
        QTest::addColumn<QString>("deniedDevice");
        QTest::addColumn<QString>("hintedDevice"); // empty: the text stays as it is

        const QString acm1 = QStringLiteral("/dev/ttyACM1");
        QTest::newRow("no connection on the denied port")
            << int(TErrorKind::NoConnection) << LinkTexts::NoConnection() << 2 << acm1 << acm1;
        QTest::newRow("no connection on another port")
            << int(TErrorKind::NoConnection) << LinkTexts::NoConnection() << 1 << acm1 << QString();
        QTest::newRow("no free port, one denied")
            << int(TErrorKind::NoPort) << LinkTexts::NoFreePort() << 0 << acm1 << acm1;
        QTest::newRow("MK not found, one denied")
            << int(TErrorKind::NoPort) << LinkTexts::MKNotFound() << 0 << acm1 << acm1;
        QTest::newRow("no free port, none denied")
            << int(TErrorKind::NoPort) << LinkTexts::NoFreePort() << 0 << QString() << QString();
        QTest::newRow("a timeout is no matter of rights")
            << int(TErrorKind::Link) << LinkTexts::InterByteDelay() << 2 << acm1 << QString();
        QTest::newRow("busy device")
            << int(TErrorKind::Link) << LinkTexts::DeviceBusy() << 2 << acm1 << QString();
        // The kind decides, not the words.
        QTest::newRow("a file error with the link's words")
            << int(TErrorKind::File) << LinkTexts::NoConnection() << 2 << acm1 << QString();
    }
    void hintFollowsTheErrorWhenRightsAreMissing() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, currentPort);
        QFETCH(QString, deniedDevice);
        QFETCH(QString, hintedDevice);
        const auto denied = [&](const QString& path) {
            return !path.isEmpty() && path == deniedDevice;
        };
        const QString shown =
            WithPermissionHint(TMKError(TErrorKind(kind), text), Ports(), currentPort, denied);
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
