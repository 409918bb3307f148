// A settings file given at start ("Params32 FILE.rvset", a double click in a file manager):
// loaded as the button "Считать настройки из файла на диске" loads a chosen file.
#include "MainFormKit.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

} // namespace

class TestMainFormOpenFile : public QObject {
    Q_OBJECT
private slots:
    void givenFileIsLoadedAsTheButtonLoadsIt_data() {
        QTest::addColumn<int>("memorySize");
        QTest::addColumn<int>("version");
        QTest::newRow("8 KB") << 8192 << 0x0105;
        QTest::newRow("32 KB") << 32768 << 0x0A01;
    }
    void givenFileIsLoadedAsTheButtonLoadsIt() {
        QFETCH(int, memorySize);
        QFETCH(int, version);
        QByteArray image = FactoryImage(quint32(memorySize));
        TFormBench given;
        TMainForm& form = given.Show();
        // Not what the window starts with: a speed limit of 99.
        TMK source;
        source.Image = image;
        source.UnpackAll();
        source.Record.LimitsSettings.VelocityLimit = 99;
        source.PackAll();
        const QString path = WriteFile(given.Dir, QStringLiteral("settings.rvset"),
                                       SettingsFile::Encode(quint16(version), source.Image));

        form.OpenSettingsFile(path);

        QVERIFY(given.Dialogs.Prompts.isEmpty()); // no dialog, no box
        QVERIFY(given.DataButtonsEnabled());
        QVERIFY(!form.Modified);
        QCOMPARE(form.Model()->SettingsVersion, quint16(version));
        QCOMPARE(form.Model()->Image, source.Image);
        QCOMPARE(int(form.Model()->Record.LimitsSettings.VelocityLimit), 99);

        // The same file through the button and its dialog gives the same model.
        TFormBench button;
        button.Show();
        button.Dialogs.FileAnswers << path;
        button.Click(QStringLiteral("bLoadParams"));
        QCOMPARE(button.Form->Model()->Image, form.Model()->Image);
        QCOMPARE(RecordBytes(*button.Form->Model()), RecordBytes(*form.Model()));
        QCOMPARE(button.DataButtonsEnabled(), given.DataButtonsEnabled());
    }

    void unreadableFileIsAnErrorAndTheWindowStays_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << QStringLiteral("missing.rvset");
        QTest::newRow("a folder") << QStringLiteral("folder.rvset");
    }
    void unreadableFileIsAnErrorAndTheWindowStays() {
        QFETCH(QString, name);
        TFormBench bench;
        TMainForm& form = bench.Show();
        QVERIFY(QDir(bench.Dir.path()).mkdir(QStringLiteral("folder.rvset")));
        // A file loaded earlier does not survive a failed load: the buttons go off.
        form.OpenSettingsFile(WriteFile(bench.Dir, QStringLiteral("good.rvset"),
                                        SettingsFile::Encode(1, FactoryImage(8192))));
        QVERIFY(bench.DataButtonsEnabled());
        const QString path = bench.Dir.filePath(name);

        form.OpenSettingsFile(path);

        const QStringList errors = bench.Dialogs.Errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(path), qPrintable(errors[0]));
        QCOMPARE(bench.Dialogs.Prompts.size(), 1);
        QVERIFY(!bench.DataButtonsEnabled());
        QVERIFY(form.isVisible());
        QVERIFY(bench.Button(QStringLiteral("bLoadParams"))->isEnabled());
    }
};

QTEST_MAIN(TestMainFormOpenFile)
#include "tst_mainform_openfile.moc"
