// Start-up and shut-down of the main window with the program settings.
#include "MainFormKit.h"
#include "app/DemoMode.h"
#include "link/LinkTexts.h"
#include "readwrite/BackupStore.h"
#include "readwrite/ReadWriteTexts.h"

#include <QCheckBox>
#include <QDir>

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMainFormStartup : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheSettingsAndShutdownFillsThem() {
        TFormBench bench;
        QVERIFY(!QFile::exists(bench.SettingsPath()));
        TMainForm& form = bench.ShowAsIs();
        QCOMPARE(FileBytes(bench.SettingsPath()).trimmed(), QByteArray());
        QVERIFY(QFile::exists(bench.SettingsPath()));
        QVERIFY(form.AutoSearch); // the default
        form.close();
        const TMIniFile settings = bench.Settings();
        QCOMPARE(settings.ReadInteger("RS232", "Port", 0), 1);
        QCOMPARE(settings.ReadInteger("Common", "Auto", -1), 1);
        QCOMPARE(settings.Keys("MainWindow"),
                 (QStringList{"Height", "Left", "State", "Top", "Width"}));
        QCOMPARE(settings.ReadInteger("MainWindow", "State", -1), 0);
    }

    void startupLeavesTheLinkClosedAndTheStateFresh() {
        TFormBench bench;
        TMainForm& form = bench.Show();
        QVERIFY(form.Link());
        QVERIFY(!form.Link()->IsOpen);
        QCOMPARE(form.Link()->BaudRate, quint32(115200));
        QCOMPARE(form.Link()->PortNumber, 1);
        QVERIFY(form.Model());
        QVERIFY(!form.Modified);
        QVERIFY(!bench.DataButtonsEnabled());
        QCOMPARE(QDir::currentPath(), QCoreApplication::applicationDirPath());
        QVERIFY(bench.Dialogs.Prompts.isEmpty());
    }

    void autoSearchFollowsTheSettingsAndTheCheckBox_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("Auto=0") << 0 << false;
        QTest::newRow("Auto=1") << 1 << true;
        QTest::newRow("unreadable Auto takes the default") << -99999 << true;
    }
    void autoSearchFollowsTheSettingsAndTheCheckBox() {
        QFETCH(int, stored);
        QFETCH(bool, checked);
        TFormBench bench;
        if (stored == -99999)
            bench.Settings().WriteString("Common", "Auto", "yes please");
        else
            bench.Settings().WriteInteger("Common", "Auto", stored);
        TMainForm& form = bench.ShowAsIs();
        auto* box = form.findChild<QCheckBox*>("cbAuto");
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(form.AutoSearch, checked);
        QCOMPARE(bench.Button("bRS232")->isEnabled(), !checked);

        bench.Click("cbAuto");
        QCOMPARE(form.AutoSearch, !checked);
        QCOMPARE(bench.Button("bRS232")->isEnabled(), checked);
        form.close();
        QCOMPARE(bench.Settings().ReadInteger("Common", "Auto", -1), checked ? 0 : 1);
    }

    void placementComesBack_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QPoint>("position"); // expected; (-1, -1): not the stored one
        QTest::newRow("normal") << 0 << 120 << 90 << QPoint(120, 90);
        QTest::newRow("Left -20 places at x = 0") << 0 << -20 << 70 << QPoint(0, 70);
        QTest::newRow("Top -5 places at y = 0") << 0 << 40 << -5 << QPoint(40, 0);
        QTest::newRow("State 2 leaves Left and Top unread") << 2 << 130 << 60 << QPoint(-1, -1);
    }
    void placementComesBack() {
        QFETCH(int, state);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QPoint, position);
        TFormBench bench;
        TMIniFile settings = bench.Settings();
        settings.WriteInteger("MainWindow", "State", state);
        settings.WriteInteger("MainWindow", "Left", left);
        settings.WriteInteger("MainWindow", "Top", top);
        settings.WriteInteger("MainWindow", "Width", 300);
        settings.WriteInteger("MainWindow", "Height", 200);
        TMainForm& form = bench.ShowAsIs();
        // A fixed border: the size never comes from the settings.
        QCOMPARE(form.size(), QSize(810, 401));
        if (state == 2) {
            QVERIFY(form.windowState() & Qt::WindowMaximized);
            QVERIFY(form.frameGeometry().topLeft() != QPoint(left, top));
            return;
        }
        QCOMPARE(form.frameGeometry().topLeft(), position);
        form.move(33, 44);
        form.close();
        const TMIniFile after = bench.Settings();
        QCOMPARE(after.ReadInteger("MainWindow", "Left", -1), 33);
        QCOMPARE(after.ReadInteger("MainWindow", "Top", -1), 44);
    }

    void storedPortSettlesOnAnAvailableOne() {
        // The simulator sits at COM3; the settings name COM4, which has no device.
        TFormBench bench({}, 3);
        bench.Settings().WriteInteger("RS232", "Port", 4);
        TMainForm& form = bench.Show();
        QCOMPARE(form.Link()->PortNumber, 3);
        QVERIFY(!form.Link()->IsOpen);
        form.close();
        QCOMPARE(bench.Settings().ReadInteger("RS232", "Port", 0), 3);
    }

    void noFreePortIsToldAtStartup_data() {
        QTest::addColumn<bool>("portStored");
        QTest::addColumn<int>("boxes");
        QTest::newRow("no port in the settings") << false << 1;
        QTest::newRow("a port in the settings") << true << 2;
    }
    void noFreePortIsToldAtStartup() {
        QFETCH(bool, portStored);
        QFETCH(int, boxes);
        TFormBench bench;
        if (portStored)
            bench.Settings().WriteInteger("RS232", "Port", 2);
        TMainFormSetup setup = bench.Setup();
        setup.LinkEnvironment = [] { return TLinkEnvironment::ForPorts(TPortMap()); };
        bench.Form = std::make_unique<TMainForm>(setup);
        bench.Form->show();
        QCOMPARE(bench.Dialogs.Errors(), QStringList(boxes, LinkTexts::NoFreePort()));
        QCOMPARE(bench.Form->Link()->PortNumber, 0);
    }

    void closingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("answer");
        QTest::newRow("not modified: no question") << false << true;
        QTest::newRow("modified, No") << true << false;
        QTest::newRow("modified, Yes saves") << true << true;
    }
    void closingAsksAboutUnsavedChanges() {
        QFETCH(bool, modified);
        QFETCH(bool, answer);
        TFormBench bench;
        TMainForm& form = bench.Show();
        form.Modified = modified;
        const QString path = bench.Dir.filePath("on-close.rvset");
        bench.Dialogs.ConfirmAnswers << answer;
        bench.Dialogs.FileAnswers << path;
        QVERIFY(form.close()); // never refused
        QCOMPARE(bench.Dialogs.Texts("Confirm"),
                 modified ? QStringList{WorkflowTexts::UnsavedChangesQuestion()} : QStringList());
        QCOMPARE(QFile::exists(path), modified && answer);
        QVERIFY(bench.Settings().Keys("MainWindow").contains("State"));
    }

    void secondWindowInTheSameLockFolderIsNotTheOnlyCopy() {
        TFormBench bench;
        TMainForm first(bench.Setup());
        QVERIFY(first.IsOnlyCopy());
        TMainForm second(bench.Setup());
        QVERIFY(!second.IsOnlyCopy());
    }

    // The demo also keeps its backups apart, so the real MK's are never pushed out.
    void demoTurnsSearchOffAndLeavesTheSettingsAlone() {
        TFormBench bench;
        const QByteArray data = QFile::encodeName(bench.Dir.filePath(QStringLiteral("data")));
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data);
        const auto restore = qScopeGuard([&] {
            if (saved.isEmpty())
                qunsetenv("XDG_DATA_HOME");
            else
                qputenv("XDG_DATA_HOME", saved);
        });
        TMIniFile settings = bench.Settings();
        settings.WriteBool("Common", "Auto", true);
        settings.WriteInteger("RS232", "Port", 5);
        const QByteArray before = FileBytes(bench.SettingsPath());
        TDemoMode demo;
        TMainFormSetup base;
        base.SettingsPath = bench.SettingsPath();
        base.LockFolder = bench.Dir.path();
        bench.Form = std::make_unique<TMainForm>(demo.Setup(base));
        TMainForm& form = *bench.Form;
        form.show();
        QVERIFY(!form.AutoSearch);
        QVERIFY(!form.findChild<QCheckBox*>("cbAuto")->isChecked());
        bench.Click("bGetParams");
        QVERIFY(bench.Dialogs.Errors().isEmpty());
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(form.Model()->Image, demo.Session().Simulator().Image());
        bench.Dialogs.ConfirmAnswers << true; // "Записать эти изменения в МК?"
        bench.Click("bSetParams");
        QCOMPARE(bench.Dialogs.Texts("Information"), QStringList{WorkflowTexts::SettingsWritten()});
        QVERIFY(TBackupStore::DemoFolder().startsWith(QString::fromLocal8Bit(data)));
        QCOMPARE(TBackupStore(TBackupStore::DemoFolder()).Files().size(), 1);
        QVERIFY(!QFileInfo::exists(TBackupStore::DefaultFolder()));
        form.close();
        QCOMPARE(FileBytes(bench.SettingsPath()), before);
    }
};

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainform_startup.moc"
