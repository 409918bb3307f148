// A write that stops at a version message, then carries the settings onto the attached MK:
// the question, the read, the list of what did not fit, the list of changes, the write to
// the simulator configured as the other device; and No or a cancel leaving things as they were.
#include "ImageKit.h"
#include "MainFormKit.h"
#include "TransferKit.h"
#include "app/CarryReportForm.h"
#include "editing/EditorSession.h"
#include "editing/SettingsEditor.h"
#include "model/SettingsFile.h"
#include "sim/MemoryImage.h"
#include "readwrite/ReadWriteTexts.h"

#include <QTreeWidget>

namespace {

struct TOther {
    quint16 Version;
    quint32 Variant;
    QString Message;
};

// The MK attached: the factory memory of another device, its journals its own.
TSimulatorOptions OtherDevice(const TOther& other) {
    TMK mk;
    DeclareDevice(mk, other.Version, other.Variant);
    mk.Record.TripSettings.TripJournal[0].Path = 424242;
    mk.PackAll();
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = other.Version;
    options.Memory = MemoryImage::ToMemory(mk.Image, 8192);
    return options;
}

// The settings loaded into the window: another device with gas settings and a velocity
// correction of its own.
void LoadSettings(TFormBench& bench) {
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
    QVERIFY(bench.DataButtonsEnabled());
}

struct TModelState {
    QByteArray Image;
    quint16 Version;
    QByteArray Record;
    bool operator==(const TModelState&) const = default;
};

TModelState StateOf(const TMK& mk) {
    return {mk.Image, mk.SettingsVersion,
            QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record)};
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

    // No at the list of changes: the program is where the version message left it.
    void cancelAtTheChangesKeepsTheVersionMessageState() {
        const TOther other{0x0001, 4, WorkflowTexts::FirmwareVersionMismatch()};
        // The state after the message, as No at the question leaves it.
        TModelState afterMessage;
        {
            TFormBench reference(OtherDevice(other));
            reference.Show();
            LoadSettings(reference);
            reference.Dialogs.ConfirmAnswers = {false};
            reference.Click(QStringLiteral("bSetParams"));
            afterMessage = StateOf(*reference.Form->Model());
        }
        TFormBench bench(OtherDevice(other));
        bench.CompareBeforeWrite = true;
        TMainForm& form = bench.Show();
        LoadSettings(bench);
        const QByteArray memory = bench.Session.Simulator().Image();
        bench.Dialogs.ConfirmAnswers = {true, false};

        bench.Click(QStringLiteral("bSetParams"));

        QCOMPARE(bench.Dialogs.Texts(QStringLiteral("Confirm")).size(), 2);
        QCOMPARE(bench.Session.Simulator().Image(), memory);
        QVERIFY(StateOf(*form.Model()) == afterMessage);
        QVERIFY(!form.Link()->IsOpen);
    }
};

QTEST_MAIN(TestMainFormCarry)
#include "tst_mainform_carry.moc"
