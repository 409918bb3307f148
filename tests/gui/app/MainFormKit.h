#pragma once

// The main window as the tests drive it: a simulated MK at a COM number, the program
// settings, backups and the instance lock in a folder of the test's own, scripted dialogs.

#include "ScriptedDialogs.h"
#include "app/MainForm.h"
#include "app/Progress.h"
#include "base/IniFile.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "sim/SimulatorSession.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

inline const QStringList& DataButtonNames() {
    static const QStringList names = {"bEditParams", "bViewJournals", "bViewOsc", "bSaveParams",
                                      "bSetParams"};
    return names;
}

inline const QStringList& StepControlNames() {
    static const QStringList names = {"bGetParams",    "bLoadParams", "bEditParams",
                                      "bViewJournals", "bViewOsc",    "bSaveParams",
                                      "bSetParams",    "cbAuto",      "bRS232"};
    return names;
}

struct TFormBench {
    explicit TFormBench(TSimulatorOptions options = {}, int port = 1)
        : Session(std::move(options), port) {}

    QString SettingsPath() const { return Dir.filePath(QStringLiteral("Params32.ini")); }
    QString BackupFolder() const { return Dir.filePath(QStringLiteral("backups")); }
    TMIniFile Settings() const { return TMIniFile(SettingsPath()); }

    TMainFormSetup Setup() {
        TMainFormSetup setup;
        setup.LinkEnvironment = [this] { return Session.Environment(); };
        setup.SettingsPath = SettingsPath();
        setup.BackupFolder = BackupFolder();
        setup.LockFolder = Dir.path();
        return setup;
    }

    // Creates and shows the window (its start-up runs on the first show).
    TMainForm& Show(bool autoSearch = false) {
        Settings().WriteBool(QStringLiteral("Common"), QStringLiteral("Auto"), autoSearch);
        // Writes go straight through unless a test is about the comparison before them.
        Settings().WriteInteger(QStringLiteral("Common"), QStringLiteral("CompareBeforeWrite"),
                                CompareBeforeWrite ? 1 : 0);
        return ShowAsIs();
    }
    TMainForm& ShowAsIs() {
        Form = std::make_unique<TMainForm>(Setup());
        Form->show();
        return *Form;
    }

    QPushButton* Button(const QString& name) const { return Form->findChild<QPushButton*>(name); }
    void Click(const QString& name) const {
        QWidget* control = Form->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(control->isEnabled(), qPrintable(name + " is disabled"));
        QTest::mouseClick(control, Qt::LeftButton);
    }
    bool DataButtonsEnabled() const {
        int enabled = 0;
        for (const QString& name : DataButtonNames())
            enabled += Button(name)->isEnabled();
        // The five move together, always.
        if (enabled != 0 && enabled != DataButtonNames().size())
            qFatal("data buttons out of step");
        return enabled > 0;
    }
    TProgressForm* Progress() const { return Form->findChild<TProgressForm*>(); }

    bool CompareBeforeWrite = false;
    QTemporaryDir Dir;
    TSimulatorSession Session;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TMainForm> Form;
};

// What a test sees of the window each millisecond while a transfer runs.
struct TSnapshot {
    bool ProgressShown = false;
    QString Label;
    bool GaugeVisible = false;
    int Gauge = 0;
    bool AnyStepControlEnabled = false;
};

class TWatcher : public QObject {
public:
    explicit TWatcher(const TFormBench& bench) : Bench(bench) { startTimer(1); }
    QList<TSnapshot> Seen;
    std::function<void(TProgressForm&)> OnProgress;

protected:
    void timerEvent(QTimerEvent*) override {
        TSnapshot s;
        if (TProgressForm* progress = Bench.Progress()) {
            s.ProgressShown = progress->isVisible();
            s.Label = progress->ProgressLabel->text();
            s.GaugeVisible = progress->ProgressGauge->isVisible();
            s.Gauge = progress->ProgressGauge->value();
            if (OnProgress)
                OnProgress(*progress);
        } else if (!Bench.Form->TransferRunning()) {
            return;
        }
        for (const QString& name : StepControlNames())
            s.AnyStepControlEnabled |= Bench.Form->findChild<QWidget*>(name)->isEnabled();
        Seen << s;
    }

private:
    const TFormBench& Bench;
};
