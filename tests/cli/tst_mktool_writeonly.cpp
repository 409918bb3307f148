// mktool write --only against a simulated MK: only the named changes reach it, the MK keeps
// its own value for the others, and a slip in the names writes nothing.
#include "TransferKit.h"
#include "editing/SettingsDiff.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "sim/SimulatorSession.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestMktoolWriteOnly : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

private slots:
    void onlyTheNamedChangesAreWritten_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<bool>("writes");
        const QStringList all = {"seVelocityLimit", "HotMenus", "TripSettings"};
        QTest::newRow("a control") << QStringList{"--only", "seVelocityLimit"} << 0
                                   << QStringList{"seVelocityLimit"} << true;
        QTest::newRow("a journal and page data")
            << QStringList{"--only", "TripSettings,HotMenus"} << 0
            << QStringList{"HotMenus", "TripSettings"} << true;
        QTest::newRow("every change") << QStringList{"--only", all.join(',')} << 0 << all << true;
        QTest::newRow("a name without a change adds nothing")
            << QStringList{"--only", "seTimeCorr,HotMenus"} << 0 << QStringList{"HotMenus"} << true;
        QTest::newRow("dry run") << QStringList{"--dry-run", "--only", "HotMenus"} << 0
                                 << QStringList{"HotMenus"} << false;
        QTest::newRow("unknown name")
            << QStringList{"--only", "HotMenus,seVelocityLimt"} << 2 << QStringList{} << false;
        QTest::newRow("empty name")
            << QStringList{"--only", "HotMenus,"} << 2 << QStringList{} << false;
    }
    void onlyTheNamedChangesAreWritten() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QStringList, chosen);
        QFETCH(bool, writes);
        TSimulatorOptions device;
        device.Address = 0xFC;
        device.SettingsVersion = 1;
        TSimulatorSession session(device);
        TMK mk, file;
        for (TMK* m : {&mk, &file}) {
            m->Image = session.Simulator().Image();
            m->UnpackAll();
        }
        file.Record.LimitsSettings.VelocityLimit = 88;
        file.Record.DisplaySettings.HotMenus[0][0] += 1;
        file.Record.TripSettings.TripJournal[0].Path += 7;
        file.PackAll();
        const QString path = Dir.filePath(QTest::currentDataTag()) + ".rvset";
        SettingsFile::Save(file, path);
        const TSettingsDiff diff = CompareSettings(mk, file);

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", Dir.filePath(QTest::currentDataTag()));
        p.setProcessEnvironment(env);
        p.start(MKTOOL_PATH,
                QStringList{"write", "--port", session.DevicePath()} + options + QStringList{path});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), status);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(WriteRequests(session.Simulator().Log()).isEmpty(), !writes);
        // The list before writing names the chosen changes only.
        for (const int line : diff.LinesAbout(diff.Names()))
            QCOMPARE(err.contains(diff.Lines()[line]), chosen.contains(diff.Names()[line]));
        TMK held;
        held.Image = session.Simulator().Image();
        held.UnpackAll();
        // The MK differs from the file in what was not chosen, and only there.
        QCOMPARE(CompareSettings(held, file).Names(),
                 writes ? diff.Drop(diff.LinesAbout(chosen)).Names() : diff.Names());
        if (chosen.size() == diff.Names().size() && writes)
            QCOMPARE(held.Image, file.Image); // what a plain write sends
    }
};

QTEST_GUILESS_MAIN(TestMktoolWriteOnly)
#include "tst_mktool_writeonly.moc"
