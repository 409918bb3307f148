// mktool on inputs no command may take whole (a device, a FIFO, a folder, a 2 MiB file, a
// file it cannot read): the text names the file, the exit status is the command's own and
// nothing is written. And output that could not be written is a failure.
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include "ImageKit.h"
#include "MktoolRun.h"
#include "UnreadableFiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

class TestMktoolInputs : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;
    QString Good;
    int Made = 0;

    QString Out() const { return Dir.filePath(QStringLiteral("out")); }

private slots:
    void initTestCase() {
        TMK mk;
        Good = Dir.filePath(QStringLiteral("good.rvset"));
        QFile file(Good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SettingsFile::Encode(0x0301, PackedImage(mk, 3)));
    }

    void inputIsRefusedWithTheCommandsStatus_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QStringList>("args"); // BAD stands for the refused file
        QTest::addColumn<int>("status");
        struct TCommand {
            const char* Name;
            QStringList Args;
            int Status;
        };
        const QList<TCommand> commands = {
            {"show", {"show", "BAD"}, 1},
            {"set IN", {"set", "BAD", "OUT", "seVelocityLimit=100"}, 1},
            {"set --from", {"set", "GOOD", "OUT", "--from", "BAD"}, 2},
            {"pack", {"pack", "--settings-version", "1", "BAD", "OUT"}, 1},
            {"diff", {"diff", "GOOD", "BAD"}, 2},
            {"carry", {"carry", "BAD", "GOOD", "OUT"}, 2},
        };
        for (const UnreadableFiles::TCase& c : UnreadableFiles::Cases())
            for (const TCommand& command : commands)
                QTest::addRow("%s: %s", command.Name, c.Tag)
                    << c.Kind << c.Reason << command.Args << command.Status;
    }
    void inputIsRefusedWithTheCommandsStatus() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        MAKE_UNREADABLE(path, Dir, QStringLiteral("bad-%1").arg(++Made));
        args.replaceInStrings(QRegularExpression(QStringLiteral("^BAD$")), path);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^GOOD$")), Good);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), Out());
        QElapsedTimer clock;
        clock.start();
        const TResult r = Run(args);
        QVERIFY2(clock.elapsed() < 20000, "mktool must not wait on the file");
        QCOMPARE(r.Status, status);
        QVERIFY2(r.LastErrorLine().startsWith(QStringLiteral("Не удаётся прочитать")),
                 qPrintable(r.Err));
        QVERIFY2(r.LastErrorLine().contains('"' + path + '"'), qPrintable(r.Err));
        QVERIFY2(r.LastErrorLine().contains(reason), qPrintable(r.Err));
        QVERIFY(!QFileInfo::exists(Out()));
    }

    void outputThatCannotBeWrittenFails_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("sink");
        QTest::addColumn<int>("status");
        QTest::newRow("get --visible to a pipe")
            << QStringList{"get", "--visible", "GOOD"} << QString() << 0;
        QTest::newRow("get --visible > /dev/full")
            << QStringList{"get", "--visible", "GOOD"} << "/dev/full" << 1;
        QTest::newRow("show --json > /dev/full")
            << QStringList{"show", "--json", "GOOD"} << "/dev/full" << 1;
        QTest::newRow("--version > /dev/full") << QStringList{"--version"} << "/dev/full" << 1;
    }
    void outputThatCannotBeWrittenFails() {
        QFETCH(QStringList, args);
        QFETCH(QString, sink);
        QFETCH(int, status);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^GOOD$")), Good);
        QProcess p;
        if (!sink.isEmpty())
            p.setStandardOutputFile(sink);
        p.start(QStringLiteral(MKTOOL_PATH), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), status);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (status != 0)
            QVERIFY2(err.contains(QStringLiteral("записан не полностью")), qPrintable(err));
        else
            QVERIFY(p.readAllStandardOutput().contains('='));
    }
};

QTEST_GUILESS_MAIN(TestMktoolInputs)
#include "tst_mktool_inputs.moc"
