// A file handed over by a second start reaches the running window through its socket and
// is loaded as the button "Считать настройки из файла на диске" would load it.
#include "MainFormKit.h"
#include "app/InstanceChannel.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"
#include "readwrite/ReadWriteTexts.h"

#include <QDialog>
#include <QThread>
#include <memory>

namespace {

constexpr quint16 Version = 0x0105;

struct THandOverBench : TFormBench {
    using TFormBench::TFormBench;
    // A settings file with a speed limit of 77, which the window does not start with.
    QString SettingsFile(const QString& name = QStringLiteral("handed.rvset")) {
        TMK source;
        source.Image = FactoryImage(8192);
        source.UnpackAll();
        source.Record.LimitsSettings.VelocityLimit = 77;
        source.PackAll();
        const QString path = Dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(SettingsFile::Encode(Version, source.Image));
        return path;
    }
    // What a second start does: its own window finds the lock taken and hands the file on.
    bool SecondStart(const QString& file) {
        TMainForm second(Setup());
        if (second.IsOnlyCopy())
            return false;
        std::atomic<bool> handed = false;
        std::unique_ptr<QThread> sender(QThread::create(
            [&] { handed = file.isEmpty() || HandFileToRunningCopy(second.ChannelPath(), file); }));
        sender->start();
        while (!sender->isFinished())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return handed;
    }
    bool Loaded() const {
        return Form->Model() && Form->Model()->Record.LimitsSettings.VelocityLimit == 77;
    }
};

} // namespace

class TestMainFormHandOver : public QObject {
    Q_OBJECT
private slots:
    void handedFileIsLoaded() {
        THandOverBench bench;
        TMainForm& form = bench.Show();
        QVERIFY(form.Channel()->IsListening());
        QVERIFY(bench.SecondStart(bench.SettingsFile()));
        QTRY_VERIFY(bench.Loaded());
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(form.Model()->SettingsVersion, Version);
        QVERIFY(bench.Dialogs.Prompts.isEmpty());
        QVERIFY(!(form.windowState() & Qt::WindowMinimized));
    }

    void minimizedWindowComesBack() {
        THandOverBench bench;
        TMainForm& form = bench.Show();
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(bench.SecondStart(bench.SettingsFile()));
        QTRY_VERIFY(bench.Loaded());
        QVERIFY(!(form.windowState() & Qt::WindowMinimized));
    }

    void unsavedChangesAreAskedAboutFirst_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("No: loaded anyway") << false;
        QTest::newRow("Yes, save cancelled: loaded anyway") << true;
    }
    void unsavedChangesAreAskedAboutFirst() {
        QFETCH(bool, save);
        THandOverBench bench;
        TMainForm& form = bench.Show();
        form.Modified = true;
        bench.Dialogs.ConfirmAnswers << save;
        bench.Dialogs.FileAnswers << QString(); // the save dialog, if asked, is cancelled
        QVERIFY(bench.SecondStart(bench.SettingsFile()));
        QTRY_VERIFY(bench.Loaded());
        QCOMPARE(bench.Dialogs.Prompts.first().Kind, QStringLiteral("Confirm"));
        QCOMPARE(bench.Dialogs.Prompts.first().Text, WorkflowTexts::UnsavedChangesQuestion());
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("SaveFile")).size(), save ? 1 : 0);
        QVERIFY(form.Modified); // loading leaves it as it was
    }

    void unreadableFileGoesToTheErrorBox() {
        THandOverBench bench;
        bench.Show();
        QVERIFY(bench.SecondStart(bench.Dir.filePath(QStringLiteral("missing.rvset"))));
        QTRY_COMPARE(bench.Dialogs.Errors().size(), 1);
        QVERIFY(bench.Dialogs.Errors().first().contains(QStringLiteral("missing.rvset")));
        QVERIFY(!bench.DataButtonsEnabled());
    }

    // While the editor (any modal dialog) is open the file waits; it comes after.
    void fileWaitsForAnOpenDialog() {
        THandOverBench bench;
        TMainForm& form = bench.Show();
        form.OpenSettingsFile(bench.SettingsFile(QStringLiteral("first.rvset")));
        form.Model()->Record.LimitsSettings.VelocityLimit = 5;
        const QString handed = bench.SettingsFile();
        bool loadedWhileOpen = true;
        bench.Dialogs.ExecAnswers << [&](QDialog&) {
            form.OpenHandedFile(handed);
            QTest::qWait(250);
            loadedWhileOpen = bench.Loaded();
            return int(QDialog::Rejected);
        };
        bench.Click(QStringLiteral("bViewJournals"));
        QVERIFY(!loadedWhileOpen);
        QTRY_VERIFY(bench.Loaded());
    }

    void fileWaitsForTheTransfer() {
        TSimulatorOptions options;
        options.Address = 0xFC;
        options.SettingsVersion = Version;
        THandOverBench bench(options);
        TMainForm& form = bench.Show();
        const QString handed = bench.SettingsFile();
        TWatcher watcher(bench);
        bool seenDuringRead = false;
        watcher.OnProgress = [&](TProgressForm&) {
            if (!seenDuringRead) {
                seenDuringRead = true;
                form.OpenHandedFile(handed);
            }
        };
        bench.Click(QStringLiteral("bGetParams"));
        QVERIFY(seenDuringRead);
        // The read finished with the MK's settings; the handed file came after it.
        QCOMPARE(bench.Session.Simulator().Image().size(), qsizetype(8128));
        QTRY_VERIFY(bench.Loaded());
    }

    void secondStartWithoutAFileSendsNothing() {
        THandOverBench bench;
        TMainForm& form = bench.Show();
        QVERIFY(bench.SecondStart(QString()));
        QCoreApplication::processEvents();
        QCOMPARE(form.Channel()->Refused(), 0);
        QVERIFY(!bench.DataButtonsEnabled());
        QVERIFY(bench.Dialogs.Prompts.isEmpty());
    }
};

QTEST_MAIN(TestMainFormHandOver)
#include "tst_mainform_handover.moc"
