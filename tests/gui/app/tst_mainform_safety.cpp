// The main window never loses work or hangs on a file: loading asks about unsaved changes,
// a file that is no settings file is refused by name with the model kept, a program settings
// file it cannot use is reported and left alone, and a write cut short says what the MK holds.
#include "MainFormKit.h"
#include "UnreadableFiles.h"
#include "link/LinkTexts.h"
#include "model/SettingsFile.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/FactoryMemory.h"

#include "TransferKit.h"

#include <QCheckBox>
#include <QDir>

namespace {

constexpr quint16 Version = 0x0105;

QString WriteSettingsFile(const QString& path, quint16 version, quint32 memorySize) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(SettingsFile::Encode(version, FactoryImage(memorySize))) <= 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestMainFormSafety : public QObject {
    Q_OBJECT

    QString Path(const TFormBench& bench, const QString& name) const {
        return bench.Dir.filePath(name);
    }
    void Load(TFormBench& bench, const QString& path) {
        bench.Dialogs.FileAnswers << path;
        bench.Click(QStringLiteral("bLoadParams"));
    }

private slots:
    // Unsaved edits are offered for saving before a file replaces them, as before a read
    // from the MK; without edits nothing is asked.
    void loadingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("save");
        QTest::newRow("nothing edited") << false << false;
        QTest::newRow("edited, not saved") << true << false;
        QTest::newRow("edited, saved first") << true << true;
    }
    void loadingAsksAboutUnsavedChanges() {
        QFETCH(bool, modified);
        QFETCH(bool, save);
        TFormBench bench;
        TMainForm& form = bench.Show();
        Load(bench, WriteSettingsFile(Path(bench, "first.rvset"), 0x0203, 8192));
        const QByteArray edited = form.Model()->Image;
        form.Modified = modified;
        bench.Dialogs.Prompts.clear();
        bench.Dialogs.ConfirmAnswers << save;
        bench.Dialogs.FileAnswers << WriteSettingsFile(Path(bench, "second.rvset"), 0x0301, 32768);
        if (save)
            bench.Dialogs.FileAnswers << Path(bench, "kept.rvset");
        bench.Click(QStringLiteral("bLoadParams"));
        QStringList kinds;
        for (const auto& prompt : bench.Dialogs.Prompts)
            kinds << prompt.Kind;
        if (!modified)
            QCOMPARE(kinds, QStringList{"OpenFile"});
        else if (!save)
            QCOMPARE(kinds, (QStringList{"OpenFile", "Confirm"}));
        else
            QCOMPARE(kinds, (QStringList{"OpenFile", "Confirm", "SaveFile"}));
        if (modified)
            QCOMPARE(bench.Dialogs.Texts("Confirm"),
                     QStringList{WorkflowTexts::UnsavedChangesQuestion()});
        if (save) {
            TMK kept;
            SettingsFile::Load(kept, Path(bench, "kept.rvset"));
            QCOMPARE(kept.Image, edited);
        }
        QCOMPARE(form.Model()->SettingsVersion, quint16(0x0301));
        QCOMPARE(bench.Dialogs.Unanswered, 0);
        form.Modified = false;
    }

    void unreadableSettingsFileKeepsTheModel_data() { UnreadableFiles::AddRows(); }
    void unreadableSettingsFileKeepsTheModel() {
        TFormBench bench;
        TMainForm& form = bench.Show();
        Load(bench, WriteSettingsFile(Path(bench, "good.rvset"), 0x0203, 8192));
        const QByteArray image = form.Model()->Image;
        MAKE_UNREADABLE(path, bench.Dir, QStringLiteral("bad.rvset"));
        Load(bench, path);
        QCOMPARE(bench.Dialogs.Errors().size(), 1);
        const QString text = bench.Dialogs.Errors()[0];
        QVERIFY2(text.startsWith(QStringLiteral("Не удаётся прочитать файл настроек \"") + path),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(form.Model()->Image, image);
        QCOMPARE(form.Model()->SettingsVersion, quint16(0x0203));
    }

    // QSettings would hang on a FIFO: the window starts on its defaults, says why, and
    // writes nothing into that file when it closes.
    void unusableProgramSettingsFileIsReportedAndLeftAlone_data() { UnreadableFiles::AddRows(); }
    void unusableProgramSettingsFileIsReportedAndLeftAlone() {
        TFormBench bench;
        MAKE_UNREADABLE(path, bench.Dir, QStringLiteral("Params32.ini"));
        QCOMPARE(path, bench.SettingsPath());
        const QFileInfo before(path);
        TMainForm& form = bench.Show(true);
        QCOMPARE(bench.Dialogs.Errors().size(), 1);
        const QString text = bench.Dialogs.Errors()[0];
        QVERIFY2(text.startsWith(QStringLiteral("Не удаётся прочитать файл настроек программы")),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QVERIFY(form.findChild<QCheckBox*>(QStringLiteral("cbAuto"))->isChecked());
        form.close();
        const QFileInfo after(path);
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.size(), before.size());
    }

    // The first section is in, then the MK stops taking commands: the box says the MK now
    // holds part of the write and names the backup that undoes it, once.
    void writeCutShortSaysTheMKHoldsAPartialWrite() {
        TSimulatorOptions options;
        options.Address = 0xFC;
        options.SettingsVersion = Version;
        TFormBench bench(options);
        TMainForm& form = bench.Show();
        bench.Click(QStringLiteral("bGetParams"));
        QVERIFY(bench.DataButtonsEnabled());
        const int sections = int(DirectoryOf(form.Model()->Image).DirectoryCount);
        bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.BusyAfterSections = 1; });
        bench.Click(QStringLiteral("bSetParams"));
        const QStringList backups = QDir(bench.BackupFolder()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        const QString backup = QDir(bench.BackupFolder()).filePath(backups[0]);
        QCOMPARE(bench.Dialogs.Errors(), QStringList{WorkflowTexts::WriteInterrupted(
                                             LinkTexts::DeviceBusy(), 1, sections, backup)});
        QVERIFY(bench.Dialogs.Texts(QStringLiteral("Information")).isEmpty());
        QVERIFY(!form.Link()->IsOpen);
    }
};

QTEST_MAIN(TestMainFormSafety)
#include "tst_mainform_safety.moc"
