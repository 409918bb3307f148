// mktool read and write against a simulated MK, run as a user would.
#include "TransferKit.h"
#include "link/LinkTexts.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/SimulatorSession.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr quint16 Version = 0x0105;

struct TResult {
    int Status = -1;
    QStringList ErrLines;
    qint64 Ms = 0;
    QString LastLine() const { return ErrLines.value(ErrLines.size() - 1); }
};

TSimulatorOptions At(quint8 address) {
    TSimulatorOptions options;
    options.Address = address;
    options.SettingsVersion = Version;
    return options;
}

} // namespace

class TestMktoolDevice : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    TResult Run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), Dir.filePath(QStringLiteral("data")));
        p.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        p.start(QStringLiteral(MKTOOL_PATH), args);
        // The simulator serves from its own thread while this one waits.
        if (!p.waitForFinished(120000))
            p.kill();
        TResult r;
        r.Ms = clock.elapsed();
        r.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        for (const QString& line : QString::fromUtf8(p.readAllStandardError()).split('\n'))
            if (!line.isEmpty())
                r.ErrLines << line;
        return r;
    }
    QString Path(const QString& name) const { return Dir.filePath(name); }
    QStringList Backups() const {
        return QDir(Dir.filePath(QStringLiteral("data/Params32/backups"))).entryList(QDir::Files);
    }

private slots:
    // Every case starts without backups.
    void init() { QDir(Dir.filePath(QStringLiteral("data"))).removeRecursively(); }

    void readSavesTheMKsMemory_data() {
        QTest::addColumn<int>("address");
        QTest::newRow("8 KB at 0xFC") << 0xFC;
        QTest::newRow("32 KB at 0xFE") << 0xFE;
    }
    void readSavesTheMKsMemory() {
        QFETCH(int, address);
        TSimulatorSession session(At(quint8(address)));
        const TResult r = Run({"read", "--port", session.DevicePath(), Path("read.rvset")});
        QCOMPARE(r.Status, 0);
        QVERIFY(r.ErrLines.contains(WorkflowTexts::ReadingLabel()));
        QVERIFY(r.ErrLines.contains(QStringLiteral("100%")));
        const QString shown = address == 0xFC ? "0xFC: 8128" : "0xFE: 32704";
        QCOMPARE(r.LastLine(),
                 QStringLiteral("МК по адресу %1 байт памяти, версия настроек 0x0105").arg(shown));
        TMK mk;
        SettingsFile::Load(mk, Path("read.rvset"));
        QCOMPARE(mk.SettingsVersion, Version);
        QCOMPARE(mk.Image, session.Simulator().Image());
    }

    void addressOptionIsTriedFirst_data() {
        QTest::addColumn<QStringList>("option");
        QTest::addColumn<int>("answering");
        QTest::addColumn<QList<int>>("identifyAddresses");
        QTest::newRow("--address 0xFE, MK there")
            << QStringList{"--address", "0xFE"} << 0xFE << QList<int>{0xFE};
        QTest::newRow("--address 253 (decimal), MK at 0xFE")
            << QStringList{"--address", "253"} << 0xFE
            << QList<int>{0xFD, 0xFD, 0xFD, 0xFC, 0xFC, 0xFC, 0xFE};
        QTest::newRow("no option: table order")
            << QStringList{} << 0xFD << QList<int>{0xFC, 0xFC, 0xFC, 0xFD};
    }
    void addressOptionIsTriedFirst() {
        QFETCH(QStringList, option);
        QFETCH(int, answering);
        QFETCH(QList<int>, identifyAddresses);
        TSimulatorSession session(At(quint8(answering)));
        const TResult r = Run(QStringList{"read", "--port", session.DevicePath()} + option +
                              QStringList{Path("a.rvset")});
        QCOMPARE(r.Status, 0);
        QList<int> identified;
        for (const TRequest& request : Requests(session.Simulator().Log()))
            if (request.Code == MKProtocol::Identify)
                identified << request.Address;
        QCOMPARE(identified, identifyAddresses);
    }

    void addressOutsideTheTableIsAUsageError_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("address");
        QTest::newRow("read 0xFB") << "read"
                                   << "0xFB";
        QTest::newRow("read 0x1FE") << "read"
                                    << "0x1FE";
        QTest::newRow("write -2") << "write"
                                  << "-2";
        QTest::newRow("write text") << "write"
                                    << "FE";
    }
    void addressOutsideTheTableIsAUsageError() {
        QFETCH(QString, command);
        QFETCH(QString, address);
        const TResult r =
            Run({command, "--port", "/dev/null", "--address", address, Path("x.rvset")});
        QCOMPARE(r.Status, 2);
        QVERIFY(!QFile::exists(Path("x.rvset")));
    }

    void silentMKEndsAfterTheConnectTimeout() {
        TSimulatorOptions options = At(0xFC);
        options.Faults.AnswerAfter = 1 << 30;
        TSimulatorSession session(options);
        const TResult r = Run({"read", "--port", session.DevicePath(), "--connect-timeout", "1",
                               Path("never.rvset")});
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.LastLine(), LinkTexts::NoConnection());
        // Ended by its 1 s timeout, not by the test's kill at 120 s; the margin covers the
        // start of a sanitized process on a busy machine.
        QVERIFY(r.Ms < 60000);
        QVERIFY(!QFile::exists(Path("never.rvset")));
    }

    void writeSendsTheFileAndKeepsABackup() {
        TSimulatorSession session(At(0xFC));
        const QByteArray before = session.Simulator().Image();
        TMK mk;
        mk.SettingsVersion = Version;
        mk.Image = before;
        mk.UnpackAll();
        mk.Record.LimitsSettings.VelocityLimit = 88;
        mk.PackAll();
        SettingsFile::Save(mk, Path("edited.rvset"));

        const TResult r = Run({"write", "--port", session.DevicePath(), Path("edited.rvset")});
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.LastLine(), WorkflowTexts::SettingsWritten());
        QVERIFY(r.ErrLines.contains(WorkflowTexts::WritingLabel()));
        TMK written;
        written.Image = session.Simulator().Image();
        written.UnpackAll();
        QCOMPARE(int(written.Record.LimitsSettings.VelocityLimit), 88);
        const QStringList backups = Backups();
        QCOMPARE(backups.size(), 1);
        TMK backup;
        SettingsFile::Load(backup, Dir.filePath("data/Params32/backups/" + backups[0]));
        QCOMPARE(backup.Image, before);
    }

    void writeCutShortSaysTheMKHoldsAPartialWrite() {
        TSimulatorOptions options = At(0xFC);
        options.Faults.BusyAfterSections = 1;
        TSimulatorSession session(options);
        TMK mk;
        mk.SettingsVersion = Version;
        mk.Image = session.Simulator().Image();
        mk.UnpackAll();
        SettingsFile::Save(mk, Path("partial.rvset"));

        const TResult r = Run({"write", "--port", session.DevicePath(), Path("partial.rvset")});
        QCOMPARE(r.Status, 1);
        const QStringList backups = Backups();
        QCOMPARE(backups.size(), 1);
        const QString backup = Dir.filePath("data/Params32/backups/" + backups[0]);
        QCOMPARE(r.LastLine(),
                 WorkflowTexts::WriteInterrupted(LinkTexts::DeviceBusy(), 1,
                                                 int(DirectoryOf(mk.Image).DirectoryCount), backup)
                     .section('\n', -1));
    }

    void writeRefusalsGiveTheProgramsTexts_data() {
        QTest::addColumn<quint16>("fileVersion");
        QTest::addColumn<quint32>("firmware");
        QTest::addColumn<QString>("text");
        QTest::newRow("another device") << quint16(Version + 1) << FactoryFirmwareVersion
                                        << WorkflowTexts::DeviceVersionMismatch();
        QTest::newRow("another firmware")
            << Version << FactoryFirmwareVersion + 1 << WorkflowTexts::FirmwareVersionMismatch();
    }
    void writeRefusalsGiveTheProgramsTexts() {
        QFETCH(quint16, fileVersion);
        QFETCH(quint32, firmware);
        QFETCH(QString, text);
        TSimulatorSession session(At(0xFC));
        const QByteArray before = session.Simulator().Image();
        QByteArray image = before;
        qToLittleEndian<quint32>(firmware, image.data() + 56);
        QFile file(Path("other.rvset"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SettingsFile::Encode(fileVersion, image));
        file.close();
        const TResult r = Run({"write", "--port", session.DevicePath(), Path("other.rvset")});
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.LastLine(), text);
        QVERIFY(WriteRequests(session.Simulator().Log()).isEmpty());
        QCOMPARE(session.Simulator().Image(), before);
        QVERIFY(Backups().isEmpty());
    }

    void badCommandLinesAreUsageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{"read"};
        QTest::newRow("two files") << QStringList{"write", "a.rvset", "b.rvset"};
        QTest::newRow("port and auto") << QStringList{"read", "--port", "COM3", "--auto", "x"};
        QTest::newRow("COM number out of range") << QStringList{"read", "--port", "COM33", "x"};
        QTest::newRow("timeout not a number")
            << QStringList{"read", "--connect-timeout", "soon", "x"};
        QTest::newRow("negative timeout") << QStringList{"read", "--connect-timeout", "-1", "x"};
    }
    void badCommandLinesAreUsageErrors() {
        QFETCH(QStringList, args);
        QCOMPARE(Run(args).Status, 2);
    }

    void missingFileIsNotWritten() {
        const TResult r = Run({"write", "--port", "/nonexistent/tty", Path("missing.rvset")});
        QCOMPARE(r.Status, 1);
        QVERIFY(r.LastLine().contains(Path("missing.rvset")));
    }
};

QTEST_GUILESS_MAIN(TestMktoolDevice)
#include "tst_mktool_device.moc"
