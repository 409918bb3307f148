// Saving and loading settings files through the main window's dialogs, and the viewers.
#include "MainFormKit.h"
#include "ModelState.h"
#include "model/SettingsFile.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/FactoryMemory.h"

#include <QDialog>

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Remembers what the file dialogs were asked for.
class TRecordingDialogs : public TScriptedDialogs {
public:
    QString OpenFile(QWidget* parent, const Dialogs::TFileDialogRequest& request) override {
        Requests << request;
        return TScriptedDialogs::OpenFile(parent, request);
    }
    QString SaveFile(QWidget* parent, const Dialogs::TFileDialogRequest& request) override {
        Requests << request;
        return TScriptedDialogs::SaveFile(parent, request);
    }
    QList<Dialogs::TFileDialogRequest> Requests;
};

QByteArray SettingsFileOf(qsizetype imageSize, quint16 version) {
    return SettingsFile::Encode(version, FactoryImage(quint32(imageSize + 64)));
}

} // namespace

class TestMainFormFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormBench> Bench;
    TMainForm* Form = nullptr;

    QString Path(const QString& name) const { return Bench->Dir.filePath(name); }
    void Load(const QString& path) {
        Bench->Dialogs.FileAnswers << path;
        Bench->Click("bLoadParams");
    }

private slots:
    void init() {
        Bench = std::make_unique<TFormBench>();
        Form = &Bench->Show();
    }
    void cleanup() {
        Form->Modified = false;
        Bench.reset();
    }

    void loadThenSaveGivesTheSameFile_data() {
        QTest::addColumn<int>("imageSize");
        QTest::newRow("8 KB") << 8128;
        QTest::newRow("32 KB") << 32704;
    }
    void loadThenSaveGivesTheSameFile() {
        QFETCH(int, imageSize);
        const QByteArray file = SettingsFileOf(imageSize, 0x0203);
        WriteBytes(Path("in.rvset"), file);
        Load(Path("in.rvset"));
        QVERIFY(Bench->DataButtonsEnabled());
        QCOMPARE(Form->Model()->Image.size(), qsizetype(imageSize));
        QCOMPARE(Form->Model()->SettingsVersion, quint16(0x0203));
        Form->Modified = true;
        Bench->Dialogs.FileAnswers << Path("out.rvset");
        Bench->Click("bSaveParams");
        QCOMPARE(FileBytes(Path("out.rvset")), file);
        QVERIFY(!Form->Modified);
        QVERIFY(Bench->Dialogs.Texts("Confirm").isEmpty()); // a new file needs no question
    }

    void smallFileReplacesALargeImage() {
        WriteBytes(Path("large.rvset"), SettingsFileOf(32704, 1));
        WriteBytes(Path("small.rvset"), SettingsFileOf(8128, 1));
        Load(Path("large.rvset"));
        QCOMPARE(Form->Model()->Image.size(), qsizetype(32704));
        Load(Path("small.rvset"));
        QCOMPARE(Form->Model()->Image.size(), qsizetype(8128));
    }

    void overwriteQuestion_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No leaves everything") << false;
        QTest::newRow("Yes replaces the file") << true;
    }
    void overwriteQuestion() {
        QFETCH(bool, answer);
        WriteBytes(Path("in.rvset"), SettingsFileOf(8128, 7));
        Load(Path("in.rvset"));
        WriteBytes(Path("old.rvset"), "keep me");
        Form->Modified = true;
        Bench->Dialogs.FileAnswers << Path("old.rvset");
        Bench->Dialogs.ConfirmAnswers << answer;
        Bench->Click("bSaveParams");
        QCOMPARE(Bench->Dialogs.Texts("Confirm"), QStringList{WorkflowTexts::FileExistsQuestion()});
        QCOMPARE(FileBytes(Path("old.rvset")) == "keep me", !answer);
        QCOMPARE(Form->Modified, !answer);
        QVERIFY(Bench->DataButtonsEnabled());
    }

    void cancelledSaveDialogChangesNothing() {
        WriteBytes(Path("in.rvset"), SettingsFileOf(8128, 7));
        Load(Path("in.rvset"));
        Form->Modified = true;
        Bench->Dialogs.FileAnswers << QString();
        Bench->Click("bSaveParams");
        QVERIFY(Form->Modified);
        QCOMPARE(QDir(Bench->Dir.path()).entryList({"*.rvset"}), QStringList{"in.rvset"});
    }

    void failedSaveIsShownAndChangesNothing() {
        WriteBytes(Path("in.rvset"), SettingsFileOf(8128, 7));
        Load(Path("in.rvset"));
        Form->Modified = true;
        const QString path = Path("no/such/folder/out.rvset");
        Bench->Dialogs.FileAnswers << path;
        Bench->Click("bSaveParams");
        QCOMPARE(Bench->Dialogs.Errors().size(), 1);
        QVERIFY(Bench->Dialogs.Errors()[0].contains(path));
        QVERIFY(Form->Modified);
        QVERIFY(Bench->DataButtonsEnabled());
    }

    void failedLoadDisablesTheDataButtons_data() {
        QTest::addColumn<QByteArray>("content"); // empty with missing: the file is absent
        QTest::addColumn<bool>("missing");
        QTest::newRow("missing file") << QByteArray() << true;
        QTest::newRow("one byte") << QByteArray("x") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void failedLoadDisablesTheDataButtons() {
        QFETCH(QByteArray, content);
        QFETCH(bool, missing);
        WriteBytes(Path("good.rvset"), SettingsFileOf(8128, 7));
        Load(Path("good.rvset"));
        const TModelState loaded = StateOf(*Form->Model());
        const QString title = Form->windowTitle();
        QVERIFY(title.startsWith(QStringLiteral("good.rvset — ")));
        if (!missing)
            WriteBytes(Path("bad.rvset"), content);
        Load(Path("bad.rvset"));
        QCOMPARE(Bench->Dialogs.Errors().size(), 1);
        if (missing)
            QVERIFY(Bench->Dialogs.Errors()[0].contains(Path("bad.rvset")));
        QVERIFY(!Bench->DataButtonsEnabled());
        MK_COMPARE_STATE(StateOf(*Form->Model()), loaded);
        QCOMPARE(Form->windowTitle(), title);
    }

    void cancelledOpenDialogChangesNothing() {
        Bench->Dialogs.FileAnswers << QString();
        Bench->Click("bLoadParams");
        QVERIFY(!Bench->DataButtonsEnabled());
        QVERIFY(Bench->Dialogs.Errors().isEmpty());
    }

    void dialogsAskForSettingsFilesInTheProgramsFolder() {
        Bench.reset();
        Bench = std::make_unique<TFormBench>();
        auto dialogs = std::make_unique<TRecordingDialogs>();
        Form = &Bench->Show();
        dialogs->FileAnswers << QString() << QString();
        QTest::mouseClick(Bench->Button("bLoadParams"), Qt::LeftButton);
        Form->SaveSettingsFile();
        QCOMPARE(dialogs->Requests.size(), 2);
        for (const Dialogs::TFileDialogRequest& request : dialogs->Requests) {
            QCOMPARE(request.Filter, QStringLiteral("Файлы настроек (*.rvset)"));
            QCOMPARE(request.DefaultSuffix, QStringLiteral("rvset"));
            QCOMPARE(request.Directory, QCoreApplication::applicationDirPath());
        }
        QVERIFY(dialogs->Requests[0].MustExist);
        QVERIFY(!dialogs->Requests[1].MustExist);
    }

    void viewerButtonsOpenTheViewers() {
        WriteBytes(Path("in.rvset"), SettingsFileOf(8128, 1));
        Load(Path("in.rvset"));
        QVERIFY(Form->Model()->Record.TripSettings.TripJournal[1].Day != 0);
        // The journals viewer resets the trip journal and is closed with OK.
        Bench->Dialogs.ExecAnswers << [&](QDialog&) {
            for (TJournalRecord& r : Form->Model()->Record.TripSettings.TripJournal)
                r = {};
            return int(QDialog::Accepted);
        };
        Bench->Click("bViewJournals");
        QCOMPARE(Bench->Dialogs.Texts("Exec").size(), 1);
        TMK saved;
        saved.Image = Form->Model()->Image;
        saved.UnpackAll();
        QCOMPARE(saved.Record.TripSettings.TripJournal[1].Day, quint8(0));
        QVERIFY(!Form->Modified); // only the editor marks the settings as changed
        Bench->Click("bViewOsc");
        QCOMPARE(Bench->Dialogs.Texts("Exec").size(), 2);
    }
};

QTEST_MAIN(TestMainFormFiles)
#include "tst_mainform_files.moc"
