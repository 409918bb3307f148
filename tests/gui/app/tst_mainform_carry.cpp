// A write that stops at a version message, then carries the settings onto the attached MK:
// the question, the read, the list of what did not fit, the list of changes, the write to
// the simulator configured as the other device; and No or a cancel leaving things as they were.
#include "ImageKit.h"
#include "MainFormKit.h"
#include "ModelState.h"
#include "TransferKit.h"
#include "app/CarryReportForm.h"
#include "editing/EditorSession.h"
#include "editing/SettingsEditor.h"
#include "model/SettingsFile.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/MemoryImage.h"

#include <QTreeWidget>

namespace {

struct TOther {
    quint16 Version;
    quint32 Variant;
    QString Message;
};

// The MK attached: the factory memory of another device, its journals its own.
TSimulatorOptions OtherDevice(const TOther& other, uint16_t protocol = 0) {
    TMK mk;
    DeclareDevice(mk, other.Version, other.Variant);
    mk.Record.TripSettings.TripJournal[0].Path = 424242;
    if (protocol != 0)
        mk.Record.ProtocolSettings.Protocol = protocol;
    mk.PackAll();
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = other.Version;
    options.Memory = MemoryImage::ToMemory(mk.Image, 8192);
    return options;
}

// The settings loaded into the window: another device with gas settings and a velocity
// correction of its own. Returns the file's path.
QString LoadSettings(TFormBench& bench) {
    TMK mk;
    DeclareDevice(mk, 0x0001, 1, 8192, "CAN", 1);
    RunEditorModel(mk, [](TSettingsEditor& e) {
        e.Put("seVelocityCorr", 6.5);
        e.Put("seGazContFull", 75.0);
        return true;
    });
    mk.Record.TripSettings.TripJournal[0].Path = 1111;
    mk.PackAll();
    const QString path = bench.Dir.filePath(QStringLiteral("other.rvset"));
    SettingsFile::Save(mk, path);
    bench.Dialogs.FileAnswers << path;
    bench.Click(QStringLiteral("bLoadParams"));
    if (!bench.DataButtonsEnabled())
        qFatal("the settings file was not loaded");
    return path;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void AddRows() {
    QTest::addColumn<quint16>("version");
    QTest::addColumn<quint32>("variant");
    QTest::addColumn<QString>("message");
    QTest::newRow("another device")
        << quint16(0x0A01) << quint32(10) << WorkflowTexts::DeviceVersionMismatch();
    QTest::newRow("another firmware")
        << quint16(0x0001) << quint32(4) << WorkflowTexts::FirmwareVersionMismatch();
}

} // namespace

class TestMainFormCarry : public QObject {
    Q_OBJECT

private slots:
    void carriedWriteFollowsTheVersionMessage_data() { AddRows(); }

    void carriedWriteFollowsTheVersionMessage() {
        QFETCH(quint16, version);
        QFETCH(quint32, variant);
        QFETCH(QString, message);
        TFormBench bench(OtherDevice({version, variant, message}));
        bench.CompareBeforeWrite = true;
        TMainForm& form = bench.Show();
        LoadSettings(bench);
        bench.Dialogs.ConfirmAnswers = {true, true};
        QStringList listed;
        bench.Dialogs.ExecAnswers << [&listed](QDialog& dialog) {
            auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvNotCarried"));
            for (int i = 0; tree && i < tree->topLevelItemCount(); ++i)
                listed << tree->topLevelItem(i)->text(0) + " | " + tree->topLevelItem(i)->text(2);
            return int(QDialog::Accepted);
        };

        bench.Click(QStringLiteral("bSetParams"));

        QCOMPARE(bench.Dialogs.Errors(), QStringList{message});
        const QStringList questions = bench.Dialogs.Texts(QStringLiteral("Confirm"));
        QCOMPARE(questions.size(), 2);
        QCOMPARE(questions[0], WorkflowTexts::CarryQuestion());
        QVERIFY(questions[1].endsWith(WorkflowTexts::WriteChangesQuestion()));
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});
        // Only the device without gas leaves the gas tank out.
        const bool noGas = version == 0x0A01;
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Exec")).size(), noGas ? 1 : 0);
        QCOMPARE(listed.contains("Источники › Полный бак (газ), л | Нет на этом МК"), noGas);

        // The MK holds the carried settings with its own journals, and so does the program.
        TMK written;
        written.SettingsVersion = version;
        written.Image = bench.Session.Simulator().Image();
        written.UnpackAll();
        QCOMPARE(written.FirmwareVersion(), variant);
        QCOMPARE(uint32_t(written.Record.TripSettings.TripJournal[0].Path), 424242u);
        double velocityCorr = 0;
        QString protocol;
        RunEditorModel(written, [&](TSettingsEditor& e) {
            velocityCorr = e.Shown("seVelocityCorr").toDouble();
            protocol = e.Protocol().ProtName;
            return false;
        });
        QCOMPARE(velocityCorr, 6.5);
        QCOMPARE(protocol, QStringLiteral("CAN"));
        QCOMPARE(form.Model()->SettingsVersion, version);
        QCOMPARE(form.Model()->Image, bench.Session.Simulator().Image());
        QVERIFY(form.Modified);
        QVERIFY(!form.Link()->IsOpen);
    }

    void noLeavesEverythingAsItWas_data() { AddRows(); }

    void noLeavesEverythingAsItWas() {
        QFETCH(quint16, version);
        QFETCH(quint32, variant);
        QFETCH(QString, message);
        // Without the question, the same write as the reference.
        TFormBench plain(OtherDevice({version, variant, message}));
        plain.Show();
        LoadSettings(plain);
        const QByteArray memory = plain.Session.Simulator().Image();
        plain.Dialogs.ConfirmAnswers = {false};
        plain.Click(QStringLiteral("bSetParams"));

        QCOMPARE(plain.Dialogs.Errors(), QStringList{message});
        QCOMPARE(plain.Dialogs.Texts(QStringLiteral("Confirm")),
                 QStringList{WorkflowTexts::CarryQuestion()});
        QVERIFY(plain.Dialogs.Texts(QStringLiteral("Information")).isEmpty());
        QCOMPARE(plain.Session.Simulator().Image(), memory);
        QVERIFY(WriteRequests(plain.Session.Simulator().Log()).isEmpty());
        QVERIFY(plain.DataButtonsEnabled());
        QCOMPARE(plain.Form->Model()->SettingsVersion, quint16(0x0001));
    }

    // The firmware message holds on every press: the program keeps the file's settings, so
    // the check meets them again, and saving gives the file that was loaded.
    void firmwareRefusalHoldsOnTheSecondPress() {
        TFormBench bench(OtherDevice({0x0001, 4, WorkflowTexts::FirmwareVersionMismatch()}));
        bench.CompareBeforeWrite = true;
        TMainForm& form = bench.Show();
        const QString loaded = LoadSettings(bench);
        const TModelState state = StateOf(*form.Model());
        const QByteArray memory = bench.Session.Simulator().Image();
        bench.Dialogs.ConfirmAnswers = {false, false};

        bench.Click(QStringLiteral("bSetParams"));
        bench.Click(QStringLiteral("bSetParams"));

        QCOMPARE(bench.Dialogs.Errors(), QStringList(2, WorkflowTexts::FirmwareVersionMismatch()));
        // No list of changes came: only the offers to carry were asked.
        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Confirm")),
                 QStringList(2, WorkflowTexts::CarryQuestion()));
        QVERIFY(WriteRequests(bench.Session.Simulator().Log()).isEmpty());
        QCOMPARE(bench.Session.Simulator().Image(), memory);
        MK_COMPARE_STATE(StateOf(*form.Model()), state);
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("other.rvset — ")));

        const QString saved = bench.Dir.filePath(QStringLiteral("saved.rvset"));
        bench.Dialogs.FileAnswers << saved;
        bench.Click(QStringLiteral("bSaveParams"));
        QCOMPARE(FileBytes(saved), FileBytes(loaded));
    }

    // A carry that ends short of a written MK leaves the program where the version message
    // left it: with the settings it held before the press.
    void carryEndingShortChangesNothing_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("errors"); // after the version message
        QTest::newRow("changes declined")
            << "declined" << QList<bool>{true, false} << QStringList{};
        // The MK's own record names no protocol its catalogue has: the carry cannot open it.
        QTest::newRow("the MK's settings cannot be opened")
            << "unopenable" << QList<bool>{true}
            << QStringList{QStringLiteral("Range check error")};
        QTest::newRow("write not confirmed")
            << "unconfirmed" << QList<bool>{true, true}
            << QStringList{QStringLiteral("Запись не подтверждена")};
    }
    void carryEndingShortChangesNothing() {
        QFETCH(QString, ending);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, errors);
        const TOther other{0x0001, 4, WorkflowTexts::FirmwareVersionMismatch()};
        TFormBench bench(OtherDevice(other, ending == "unopenable" ? 300 : 0));
        bench.CompareBeforeWrite = true;
        TMainForm& form = bench.Show();
        LoadSettings(bench);
        const TModelState state = StateOf(*form.Model());
        const QString title = form.windowTitle();
        // The MK takes no chunk at all, so no written section reads back as sent.
        if (ending == "unconfirmed")
            bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.DroppedChunk = 1000; });
        bench.Dialogs.ConfirmAnswers = answers;

        bench.Click(QStringLiteral("bSetParams"));

        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Confirm")).size(), answers.size());
        const QStringList shown = bench.Dialogs.Errors();
        QCOMPARE(shown.size(), 1 + errors.size());
        QCOMPARE(shown[0], other.Message);
        for (qsizetype i = 0; i < errors.size(); ++i)
            QVERIFY2(shown[1 + i].startsWith(errors[i]), qPrintable(shown[1 + i]));
        MK_COMPARE_STATE(StateOf(*form.Model()), state);
        QCOMPARE(form.windowTitle(), title);
        QVERIFY(!form.Modified);
        QVERIFY(!form.Link()->IsOpen);
    }
};

QTEST_MAIN(TestMainFormCarry)
#include "tst_mainform_carry.moc"
