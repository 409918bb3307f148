// "mktool simulate" run as a person runs it: a child process serving until SIGTERM.
#include "link/ML_RS232.h"
#include "base/MKError.h"
#include "sim/MemoryImage.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TRunningSimulator {
    explicit TRunningSimulator(const QStringList& options) {
        Process.start(QStringLiteral(MKTOOL_PATH), QStringList{"simulate"} + options);
        if (Process.waitForStarted(5000) && Process.waitForReadyRead(10000))
            Path = QString::fromLocal8Bit(Process.readLine()).trimmed();
    }
    ~TRunningSimulator() {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(5000);
        }
    }
    int Stop() {
        Process.terminate();
        return Process.waitForFinished(10000) ? Process.exitCode() : -1;
    }
    std::unique_ptr<TML_RS> Link() {
        TPortMap map;
        map.Set(1, Path);
        auto link = std::make_unique<TML_RS>(TLinkEnvironment::ForPorts(map));
        link->OpenPort(1);
        return link;
    }

    QProcess Process;
    QString Path;
};

} // namespace

class TestSimulate : public QObject {
    Q_OBJECT

private slots:
    void servesUntilTerminatedAndSavesTheImage();
    void servesAGivenImage();
    void faultOptionsReachTheSimulator();
    void badOptionsAreUsageErrors_data();
    void badOptionsAreUsageErrors();
};

void TestSimulate::servesUntilTerminatedAndSavesTheImage() {
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.bin"));
    const QString log = dir.filePath(QStringLiteral("frames.log"));
    TRunningSimulator sim({"--address", "0xFE", "--settings-version", "0x0105", "--save-on-exit",
                           saved, "--log", log});
    QVERIFY2(sim.Path.startsWith(QStringLiteral("/dev/")), qPrintable(sim.Path));
    {
        auto link = sim.Link();
        QCOMPARE(link->Identify(0xFE), quint16(0x0105));
        link->BeginSectionWrite(0xFE, 0x0200, 3);
        link->WriteChunk(0xFE, 0, QByteArray("abc"));
        link->EndSectionWrite(0xFE, 0x0200, 3);
    }
    QCOMPARE(sim.Stop(), 0);
    QFile image(saved);
    QVERIFY(image.open(QIODevice::ReadOnly));
    const QByteArray bytes = image.readAll();
    QCOMPARE(bytes.size(), MemoryImage::ImageSize(32768));
    QCOMPARE(bytes.mid(0x0200 - 32, 3), QByteArray("abc"));
    QFile frames(log);
    QVERIFY(frames.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(frames.readAll()).trimmed().split('\n');
    QCOMPARE(lines.size(), 8); // four requests, four replies
    QVERIFY2(lines[0].endsWith(QStringLiteral("> 06 FE 01 00 01 FA")), qPrintable(lines[0]));
}

void TestSimulate::servesAGivenImage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    QByteArray image(MemoryImage::ImageSize(8192), '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i % 253);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();
    TRunningSimulator sim({"--address", "0xFD", "--image", path});
    auto link = sim.Link();
    QCOMPARE(link->ReadBlock(0xFD, 1), image.left(32));
    QCOMPARE(link->ReadBlock(0xFD, 129), image.mid(127 * 32, 32));
    link.reset();
    QCOMPARE(sim.Stop(), 0);
}

void TestSimulate::faultOptionsReachTheSimulator() {
    TRunningSimulator sim({"--busy", "3", "--log", "-"});
    auto link = sim.Link();
    QVERIFY_THROWS_EXCEPTION(TMKError, link->Identify(0xFC));
    QCOMPARE(link->Identify(0xFC), quint16(1));
    link.reset();
    QCOMPARE(sim.Stop(), 0);
    const QString log = QString::fromUtf8(sim.Process.readAllStandardError());
    QCOMPARE(log.count(QStringLiteral("(busy)")), 3);
}

void TestSimulate::badOptionsAreUsageErrors_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::newRow("address outside the table") << QStringList{"--address", "0x10"} << 2;
    QTest::newRow("version beyond 16 bits") << QStringList{"--settings-version", "70000"} << 2;
    QTest::newRow("unknown option") << QStringList{"--louder"} << 2;
    QTest::newRow("negative count") << QStringList{"--busy", "-1"} << 2;
    QTest::newRow("missing image") << QStringList{"--image", "/nonexistent/image.bin"} << 1;
}

void TestSimulate::badOptionsAreUsageErrors() {
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QProcess process;
    process.start(QStringLiteral(MKTOOL_PATH), QStringList{"simulate"} + options);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), status);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(!process.readAllStandardError().trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(TestSimulate)
#include "tst_simulate.moc"
