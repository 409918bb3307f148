// The comparison before a write: what the confirmation lists, that only the ticked changes
// are written, and that No writes nothing.
#include "MainFormKit.h"
#include "TransferKit.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"

namespace {

TSimulatorOptions Device() {
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = 1;
    return options;
}

bool AnyWriteCommand(const TFrameLog& log) {
    return !WriteRequests(log).isEmpty();
}

} // namespace

class TestMainFormCompare : public QObject {
    Q_OBJECT
    std::unique_ptr<TFormBench> Bench;
    TMainForm* Form = nullptr;

    void ReadFromTheMK(bool compare) {
        Bench = std::make_unique<TFormBench>(Device());
        Bench->CompareBeforeWrite = compare;
        Form = &Bench->Show();
        Bench->Click(QStringLiteral("bGetParams"));
        QVERIFY(Bench->DataButtonsEnabled());
    }
    // Two spin values and a hot-menu entry, changed in the record the window holds.
    void ChangeSettings() {
        TSettingsRecord& r = Form->Model()->Record;
        r.LimitsSettings.VelocityLimit = 50; // shown as 100 km/h
        r.LimitsSettings.TimeCorr = 5;
        r.DisplaySettings.HotMenus[0][0] = uint16_t(r.DisplaySettings.HotMenus[0][0] + 1);
        Form->Modified = true;
    }

private slots:
    void cleanup() {
        if (Form)
            Form->Modified = false;
        Bench.reset();
        Form = nullptr;
    }

    void confirmationListsExactlyTheChanges() {
        ReadFromTheMK(true);
        const int velocity = Form->Model()->Record.LimitsSettings.VelocityLimit * 2;
        ChangeSettings();
        Bench->Dialogs.ConfirmAnswers << true;
        Bench->Click(QStringLiteral("bSetParams"));
        const QStringList asked = Bench->Dialogs.Texts(QStringLiteral("Confirm"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0], QStringLiteral("Изменения в МК (было → станет):\n"
                                          "Поправки › Время (секунд в сутки): 0 → 5\n"
                                          "Границы › Скорость, км/час: %1 → 100\n"
                                          "Горячие меню (HotMenus): изменено элементов: 1\n\n")
                                   .arg(velocity) +
                               WorkflowTexts::WriteChangesQuestion());
        QCOMPARE(Bench->Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});
        QCOMPARE(Form->Model()->Image, Bench->Session.Simulator().Image());
    }

    void answeringNoWritesNothing() {
        ReadFromTheMK(true);
        ChangeSettings();
        const QByteArray device = Bench->Session.Simulator().Image();
        const QByteArray image = Form->Model()->Image;
        const QByteArray record(reinterpret_cast<const char*>(&Form->Model()->Record),
                                sizeof(TSettingsRecord));
        Bench->Dialogs.ConfirmAnswers << false;
        Bench->Click(QStringLiteral("bSetParams"));
        QVERIFY(!AnyWriteCommand(Bench->Session.Simulator().Log()));
        QCOMPARE(Bench->Session.Simulator().Image(), device);
        QCOMPARE(Form->Model()->Image, image);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&Form->Model()->Record),
                            sizeof(TSettingsRecord)),
                 record);
        QVERIFY(Form->Modified);
        QVERIFY(Bench->Dialogs.Errors().isEmpty());
        QCOMPARE(QDir(Bench->BackupFolder()).entryList(QDir::Files).size(), 0);
    }

    // The velocity unticked: the MK takes the other two changes and keeps its speed limit;
    // the program keeps all three, so the next write lists the speed limit alone.
    void untickedChangeStaysOutOfTheMKAndInTheProgram() {
        ReadFromTheMK(true);
        const TSettingsRecord device = Form->Model()->Record;
        ChangeSettings();
        const QByteArray record(reinterpret_cast<const char*>(&Form->Model()->Record),
                                sizeof(TSettingsRecord));
        Bench->Dialogs.ConfirmAnswers << true;
        Bench->Dialogs.UntickAnswers << QList<int>{1};
        Bench->Click(QStringLiteral("bSetParams"));
        QCOMPARE(Bench->Dialogs.Choices.size(), 1);
        const QStringList lines = Bench->Dialogs.Choices[0].Lines;
        QCOMPARE(lines.size(), 3);
        QCOMPARE(Bench->Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});

        TMK written;
        written.Image = Bench->Session.Simulator().Image();
        written.UnpackAll();
        QCOMPARE(int(written.Record.LimitsSettings.TimeCorr), 5);
        QCOMPARE(uint16_t(written.Record.DisplaySettings.HotMenus[0][0]),
                 uint16_t(device.DisplaySettings.HotMenus[0][0] + 1));
        QCOMPARE(int(written.Record.LimitsSettings.VelocityLimit),
                 int(device.LimitsSettings.VelocityLimit));
        QCOMPARE(Bench->Form->Transfer()->LastWritten, Bench->Session.Simulator().Image());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&Form->Model()->Record),
                            sizeof(TSettingsRecord)),
                 record);
        QVERIFY(Form->Modified);

        const QByteArray held = Bench->Session.Simulator().Image();
        const qsizetype writes = WriteRequests(Bench->Session.Simulator().Log()).size();
        Bench->Dialogs.ConfirmAnswers << false;
        Bench->Click(QStringLiteral("bSetParams"));
        QCOMPARE(Bench->Dialogs.Choices.size(), 2);
        QCOMPARE(Bench->Dialogs.Choices[1].Lines, QStringList{lines[1]});
        QCOMPARE(WriteRequests(Bench->Session.Simulator().Log()).size(), writes);
        QCOMPARE(Bench->Session.Simulator().Image(), held);
    }

    void noDifferenceIsSaidAndYesStillWrites() {
        ReadFromTheMK(true);
        Bench->Dialogs.ConfirmAnswers << true;
        Bench->Click(QStringLiteral("bSetParams"));
        const QStringList asked = Bench->Dialogs.Texts(QStringLiteral("Confirm"));
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].startsWith(QStringLiteral("Настройки не отличаются от настроек в МК.")));
        QVERIFY(AnyWriteCommand(Bench->Session.Simulator().Log()));
    }

    void comparisonTurnedOffWritesAtOnce() {
        ReadFromTheMK(false);
        ChangeSettings();
        Bench->Click(QStringLiteral("bSetParams"));
        QVERIFY(Bench->Dialogs.Texts(QStringLiteral("Confirm")).isEmpty());
        QCOMPARE(Bench->Dialogs.Texts(QStringLiteral("Information")),
                 QStringList{WorkflowTexts::SettingsWritten()});
        TMK written;
        written.Image = Bench->Session.Simulator().Image();
        written.UnpackAll();
        QCOMPARE(int(written.Record.LimitsSettings.TimeCorr), 5);
    }
};

QTEST_MAIN(TestMainFormCompare)
#include "tst_mainform_compare.moc"
