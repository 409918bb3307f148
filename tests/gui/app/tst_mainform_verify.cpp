// Writing from the main window when the MK acknowledges a chunk it does not keep: the
// read-back finds the section, the error box names it and the backup.
#include "MainFormKit.h"
#include "TransferKit.h"
#include "readwrite/ReadWriteTexts.h"

namespace {

constexpr quint16 Version = 0x0105;

// Writes without the comparison before it: the read-back is what these tests are about.
TMainForm& ShowWithoutComparing(TFormBench& bench) {
    bench.Settings().WriteInteger(QStringLiteral("Common"), QStringLiteral("CompareBeforeWrite"),
                                  0);
    return bench.Show();
}

TSimulatorOptions Factory() {
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = Version;
    return options;
}

} // namespace

class TestMainFormVerify : public QObject {
    Q_OBJECT
private slots:
    void writeReadBackShowsInTheProgress() {
        TFormBench bench(Factory());
        TMainForm& form = ShowWithoutComparing(bench);
        bench.Click(QStringLiteral("bGetParams"));
        form.Model()->Record.LimitsSettings.VelocityLimit = 44;
        TWatcher watcher(bench);
        bench.Click(QStringLiteral("bSetParams"));
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});
        bool verifying = false;
        for (const TSnapshot& s : watcher.Seen) {
            QVERIFY(!s.AnyStepControlEnabled);
            verifying |= s.Label == WorkflowTexts::VerifyingLabel() && s.GaugeVisible;
        }
        QVERIFY(verifying);
    }

    void chunkNotKeptIsShownWithTheBackup() {
        TFormBench bench(Factory());
        TMainForm& form = ShowWithoutComparing(bench);
        bench.Click(QStringLiteral("bGetParams"));
        // Settings differing from the MK's in the first bytes of the first section.
        TMK& mk = *form.Model();
        const int first = DirectoryOf(mk.Image).Entries[0].Address - 32;
        for (int i = first; i < first + 32; ++i)
            mk.Image[i] = char(mk.Image[i] ^ 0x5A);
        mk.UnpackAll();
        // Nothing before the write phase sends a chunk: the first one written is dropped.
        bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.DroppedChunk = 1; });

        bench.Click(QStringLiteral("bSetParams"));

        const QStringList backups = QDir(bench.BackupFolder()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        const QString backup = QDir(bench.BackupFolder()).filePath(backups[0]);
        QCOMPARE(bench.Dialogs.Errors(),
                 QStringList{QStringLiteral("Запись не подтверждена: разделы 1 отличаются.\n") +
                             backup});
        // The error names the backup: no note repeats it.
        QVERIFY(bench.Dialogs.Texts(QStringLiteral("Information")).isEmpty());
        QVERIFY(bench.DataButtonsEnabled());
        QVERIFY(!form.Link()->IsOpen);
        QVERIFY(!bench.Progress());
    }
};

QTEST_MAIN(TestMainFormVerify)
#include "tst_mainform_verify.moc"
