// "mktool simulate" run as a person runs it: a child process serving until SIGTERM.
#include "base/MKError.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"
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
    void droppedChunkFailsTheWritesReadBack();
    void usageNamesTheDroppedChunkFault();
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

// mktool write against mktool simulate --dropped-chunk: the read-back catches the chunk the
// MK acknowledged and did not keep.
void TestSimulate::droppedChunkFailsTheWritesReadBack() {
    QTemporaryDir dir;
    TRunningSimulator sim({"--settings-version", "0x0105", "--dropped-chunk", "1"});
    QVERIFY(!sim.Path.isEmpty());
    // Settings differing from the MK's in the first bytes of the first section.
    TMK mk;
    mk.SettingsVersion = 0x0105;
    mk.Image = FactoryImage(8192);
    mk.ReadDirectory();
    const qsizetype first = mk.ImageDirectory.Entries[0].Address - 32;
    for (qsizetype i = first; i < first + 32; ++i)
        mk.Image[i] = char(mk.Image[i] ^ 0x5A);
    mk.UnpackAll();
    const QString file = dir.filePath(QStringLiteral("changed.rvset"));
    SettingsFile::Save(mk, file);

    QProcess write;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    write.setProcessEnvironment(env);
    write.start(QStringLiteral(MKTOOL_PATH), {"write", "--port", sim.Path, file});
    QVERIFY(write.waitForFinished(60000));
    QCOMPARE(write.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(write.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
    const QStringList backups =
        QDir(dir.filePath(QStringLiteral("data/Params32/backups"))).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines[lines.size() - 2],
             QStringLiteral("Запись не подтверждена: разделы 1 отличаются."));
    QCOMPARE(lines.last(), dir.filePath(QStringLiteral("data/Params32/backups/")) + backups[0]);
    QCOMPARE(sim.Stop(), 0);
}

void TestSimulate::usageNamesTheDroppedChunkFault() {
    // A wrong command line gives the usage; the help lists every fault option.
    QProcess process;
    process.start(QStringLiteral(MKTOOL_PATH), {"simulate", "extra"});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 2);
    const QString usage = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(usage.contains(QStringLiteral("параметры сбоев")), qPrintable(usage));
    process.start(QStringLiteral(MKTOOL_PATH), {"simulate", "--help"});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(help.contains(QStringLiteral("--dropped-chunk N")), qPrintable(help));
}

QTEST_GUILESS_MAIN(TestSimulate)
#include "tst_mktool_simulate.moc"
