// The comparison before a write: what the confirmation lists, and that No writes nothing.
#include "MainFormKit.h"
#include "TransferKit.h"
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
