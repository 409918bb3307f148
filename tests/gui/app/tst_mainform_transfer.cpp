// The main window read and write end to end: a simulated MK on a pseudo-terminal, the
// real window offscreen, driven by its controls' object names.
#include "MainFormKit.h"
#include "ModelState.h"
#include "TransferKit.h"
#include "app/FormTexts.h"
#include "link/LinkTexts.h"
#include "model/SettingsFile.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"

#include <QProgressBar>
#include <QTimer>

namespace {

constexpr quint16 Version = 0x0105;

TSimulatorOptions At(quint8 address, QByteArray memory = {}) {
    TSimulatorOptions options;
    options.Address = address;
    options.SettingsVersion = Version;
    options.Memory = std::move(memory);
    return options;
}

TSimulatorOptions Silent() {
    TSimulatorOptions options = At(0xFC);
    options.Faults.AnswerAfter = 1 << 30;
    return options;
}

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

// Loads a settings file of the given version through the window, enabling the data buttons.
void LoadFile(TFormBench& bench, quint16 version, const QByteArray& image) {
    const QString path = bench.Dir.filePath(QStringLiteral("loaded.rvset"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SettingsFile::Encode(version, image));
    file.close();
    bench.Dialogs.FileAnswers << path;
    bench.Click(QStringLiteral("bLoadParams"));
    QVERIFY(bench.DataButtonsEnabled());
}

// Presses the progress window's Cancel once the connection loop has run a while.
void CancelWhileConnecting(TWatcher& watcher) {
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    watcher.OnProgress = [since](TProgressForm& progress) {
        if (since->elapsed() > 350 && !progress.Cancelled())
            QTest::mouseClick(progress.BitBtn1, Qt::LeftButton);
    };
}

} // namespace

class TestMainFormTransfer : public QObject {
    Q_OBJECT
private slots:
    void readFromEachAddress_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("imageSize");
        QTest::newRow("0xFC") << 0xFC << 8128;
        QTest::newRow("0xFD, reached on the second attempt") << 0xFD << 8128;
        QTest::newRow("0xFE, 1022 blocks") << 0xFE << 32704;
    }
    void readFromEachAddress() {
        QFETCH(int, address);
        QFETCH(int, imageSize);
        TFormBench bench(At(quint8(address)));
        TMainForm& form = bench.Show();
        QVERIFY(!bench.DataButtonsEnabled());
        TWatcher watcher(bench);

        bench.Click(QStringLiteral("bGetParams"));

        QCOMPARE(bench.Dialogs.Prompts.size(), 0);
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(int(form.Transfer()->DeviceAddress), address);
        QCOMPARE(form.Model()->Image.size(), qsizetype(imageSize));
        QCOMPARE(form.Model()->Image, bench.Session.Simulator().Image());
        QCOMPARE(form.Model()->SettingsVersion, Version);
        QVERIFY(!form.Link()->IsOpen);
        QVERIFY(!bench.Progress());
        QVERIFY(!form.Modified);
        // The title names where the settings came from.
        QCOMPARE(form.Model()->Origin.Source, TSettingsOrigin::TSource::Device);
        QCOMPARE(form.windowTitle(),
                 form.Model()->Origin.Text() + QStringLiteral(" — ") + FormTexts::MainCaption());
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("МК, считано ")));

        // The progress window said what happened; nothing else could be started meanwhile.
        QVERIFY(!watcher.Seen.isEmpty());
        bool connecting = false, reading = false;
        for (const TSnapshot& s : watcher.Seen) {
            QVERIFY(!s.AnyStepControlEnabled);
            if (!s.ProgressShown)
                continue;
            connecting |= s.Label == WorkflowTexts::ConnectingLabel() && !s.GaugeVisible;
            reading |= s.Label == WorkflowTexts::ReadingLabel() && s.GaugeVisible;
        }
        QVERIFY(connecting);
        QVERIFY(reading);
        QVERIFY(bench.Button(QStringLiteral("bGetParams"))->isEnabled());
    }

    void whereTheMKAnsweredIsRememberedAcrossRuns_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("answering");
        QTest::addColumn<int>("firstTried");
        QTest::newRow("none yet: table order") << "" << 0xFE << 0xFC;
        QTest::newRow("0xFE") << "254" << 0xFE << 0xFE;
        QTest::newRow("0xFD, MK now at 0xFC") << "253" << 0xFC << 0xFD;
        QTest::newRow("not a device address") << "17" << 0xFD << 0xFC;
        QTest::newRow("0xFD plus 256 is no address") << "509" << 0xFD << 0xFC;
        QTest::newRow("negative") << "-2" << 0xFD << 0xFC;
        QTest::newRow("not a number") << "0xFE" << 0xFD << 0xFC;
    }
    void whereTheMKAnsweredIsRememberedAcrossRuns() {
        QFETCH(QString, stored);
        QFETCH(int, answering);
        QFETCH(int, firstTried);
        TFormBench bench(At(quint8(answering)));
        if (!stored.isEmpty())
            bench.Settings().WriteString("Common", "LastAddress", stored);
        TMainForm& form = bench.Show();

        bench.Click(QStringLiteral("bGetParams"));

        QVERIFY(bench.DataButtonsEnabled());
        const QList<TRequest> requests = Requests(bench.Session.Simulator().Log());
        QCOMPARE(int(requests.first().Address), firstTried);
        form.close();
        QCOMPARE(bench.Settings().ReadInteger("Common", "LastAddress", -1), answering);
    }

    void automaticSearchFindsTheRecordedMK() {
        TFormBench bench(At(0xFC), 7);
        TMainForm& form = bench.Show(true);
        QVERIFY(form.AutoSearch);
        bench.Click(QStringLiteral("bGetParams"));
        QCOMPARE(bench.Dialogs.Prompts.size(), 0);
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(form.Link()->PortNumber, 7);
    }

    void noMKFoundShowsNoProgress() {
        TFormBench bench(At(0xFC));
        auto setup = bench.Setup();
        setup.LinkEnvironment = [&] {
            TLinkEnvironment environment = bench.Session.Environment();
            environment.Instances.reset(); // nothing recorded
            return environment;
        };
        bench.Settings().WriteBool(QStringLiteral("Common"), QStringLiteral("Auto"), true);
        bench.Form = std::make_unique<TMainForm>(setup);
        bench.Form->show();
        TWatcher watcher(bench);
        bench.Click(QStringLiteral("bGetParams"));
        QCOMPARE(bench.Dialogs.Errors(), QStringList{LinkTexts::MKNotFound()});
        for (const TSnapshot& s : watcher.Seen)
            QVERIFY(!s.ProgressShown);
        QVERIFY(!bench.DataButtonsEnabled());
    }

    void cancelWhileConnectingChangesNothing_data() {
        QTest::addColumn<bool>("dataBefore");
        QTest::newRow("data buttons disabled") << false;
        QTest::newRow("data buttons enabled") << true;
    }
    void cancelWhileConnectingChangesNothing() {
        QFETCH(bool, dataBefore);
        TFormBench bench(Silent());
        TMainForm& form = bench.Show();
        if (dataBefore)
            LoadFile(bench, 0x0999, QByteArray(8128, '\x17'));
        const QByteArray image = form.Model()->Image;
        const quint16 version = form.Model()->SettingsVersion;
        const QByteArray record = RecordBytes(*form.Model());
        TWatcher watcher(bench);
        CancelWhileConnecting(watcher);

        bench.Click(QStringLiteral("bGetParams"));

        QCOMPARE(bench.DataButtonsEnabled(), dataBefore);
        QCOMPARE(form.Model()->Image, image);
        QCOMPARE(form.Model()->SettingsVersion, version);
        QCOMPARE(RecordBytes(*form.Model()), record);
        QVERIFY(bench.Dialogs.Errors().isEmpty());
        QVERIFY(!bench.Progress());
        QVERIFY(!form.Link()->IsOpen);
    }

    void failureMidReadDisablesTheDataButtonsAndKeepsTheModel() {
        TFormBench bench(At(0xFC));
        TMainForm& form = bench.Show();
        LoadFile(bench, 0x0999, FactoryImage(8192));
        form.Model()->Record.LimitsSettings.VelocityLimit = 99;
        const TModelState before = StateOf(*form.Model());
        const QString title = form.windowTitle();
        TWatcher watcher(bench);
        bool hooked = false;
        watcher.OnProgress = [&](TProgressForm& progress) {
            if (hooked)
                return;
            hooked = true;
            // 79 first shows after block 200; block 201 then fails three times.
            connect(progress.ProgressGauge, &QProgressBar::valueChanged, [&](int value) {
                if (value == 79)
                    bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.Silence = 3; });
            });
        };

        bench.Click(QStringLiteral("bGetParams"));

        QCOMPARE(bench.Dialogs.Errors(), QStringList{LinkTexts::NoConnection()});
        QVERIFY(!bench.DataButtonsEnabled());
        // The read had a model of its own: nothing of the cut-short memory stays.
        MK_COMPARE_STATE(StateOf(*form.Model()), before);
        QCOMPARE(form.windowTitle(), title);
        QVERIFY(!bench.Progress());
        QVERIFY(!form.Link()->IsOpen);
    }

    void unsavedChangesAnsweredNoReadsAnyway() {
        TFormBench bench(At(0xFC));
        TMainForm& form = bench.Show();
        form.Modified = true;
        bench.Dialogs.ConfirmAnswers << false;
        bench.Click(QStringLiteral("bGetParams"));
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Confirm")),
                 QStringList{WorkflowTexts::UnsavedChangesQuestion()});
        QVERIFY(bench.DataButtonsEnabled());
        QVERIFY(form.Modified);
        // So closing asks again.
        bench.Dialogs.ConfirmAnswers << false;
        form.close();
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Confirm")).size(), 2);
    }

    void cancellingTheSaveDialogLetsTheReadGoOn() {
        TFormBench bench(At(0xFC));
        TMainForm& form = bench.Show();
        form.Modified = true;
        bench.Dialogs.ConfirmAnswers << true;
        bench.Dialogs.FileAnswers << QString();
        bench.Click(QStringLiteral("bGetParams"));
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("SaveFile")).size(), 1);
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(form.Model()->Image, bench.Session.Simulator().Image());
        QVERIFY(form.Modified);
    }

    void writeReportsSuccessAndKeepsTheState() {
        TFormBench bench(At(0xFC));
        TMainForm& form = bench.Show();
        bench.Click(QStringLiteral("bGetParams"));
        form.Model()->Record.LimitsSettings.VelocityLimit = 66;
        form.Modified = true;
        TWatcher watcher(bench);

        bench.Click(QStringLiteral("bSetParams"));

        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});
        QVERIFY(bench.Dialogs.Errors().isEmpty());
        QVERIFY(bench.DataButtonsEnabled());
        QVERIFY(form.Modified);
        QCOMPARE(form.Model()->Image, bench.Session.Simulator().Image());
        TMK written;
        written.Image = bench.Session.Simulator().Image();
        written.UnpackAll();
        QCOMPARE(int(written.Record.LimitsSettings.VelocityLimit), 66);
        bool writing = false;
        for (const TSnapshot& s : watcher.Seen) {
            QVERIFY(!s.AnyStepControlEnabled);
            writing |= s.Label == WorkflowTexts::WritingLabel() && s.GaugeVisible;
        }
        QVERIFY(writing);
        QCOMPARE(QDir(bench.BackupFolder()).entryList(QDir::Files).size(), 1);
        QVERIFY(!form.Link()->IsOpen);
    }

    void writeOfAnotherDevicesSettingsIsRefused() {
        TFormBench bench(At(0xFC));
        TMainForm& form = bench.Show();
        LoadFile(bench, Version + 1, FactoryImage(8192));
        bench.Click(QStringLiteral("bSetParams"));
        QCOMPARE(bench.Dialogs.Errors(), QStringList{WorkflowTexts::DeviceVersionMismatch()});
        QVERIFY(bench.Dialogs.Texts(QStringLiteral("Information")).isEmpty());
        QVERIFY(bench.DataButtonsEnabled());
        QCOMPARE(Codes(Requests(bench.Session.Simulator().Log())),
                 QList<quint8>{MKProtocol::Identify});
        QVERIFY(!form.Link()->IsOpen);
    }

    void failedWriteNamesTheBackup() {
        TFormBench bench(At(0xFC));
        bench.Show();
        bench.Click(QStringLiteral("bGetParams"));
        TWatcher watcher(bench);
        watcher.OnProgress = [&](TProgressForm& progress) {
            if (progress.ProgressLabel->text() == WorkflowTexts::WritingLabel())
                bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.Silence = 1 << 20; });
        };
        bench.Click(QStringLiteral("bSetParams"));
        QCOMPARE(bench.Dialogs.Errors(), QStringList{LinkTexts::NoConnection()});
        const QStringList backups = QDir(bench.BackupFolder()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        const QString path = QDir(bench.BackupFolder()).filePath(backups[0]);
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::BackupNotice(path)});
        // The error box comes first, then the note.
        QCOMPARE(bench.Dialogs.Prompts.last().Kind, QStringLiteral("Information"));
    }

    void closingDuringATransferWaitsForItsEnd() {
        TFormBench bench(Silent());
        TMainForm& form = bench.Show();
        TWatcher watcher(bench);
        watcher.OnProgress = [&](TProgressForm&) { form.close(); };
        bench.Click(QStringLiteral("bGetParams"));
        QVERIFY(form.isVisible());      // the close request cancelled the connecting...
        QTRY_VERIFY(!form.isVisible()); // ...and the window closes once the transfer ended
        QVERIFY(bench.Settings().Keys(QStringLiteral("MainWindow")).contains("State"));
    }
};

QTEST_MAIN(TestMainFormTransfer)
#include "tst_mainform_transfer.moc"
