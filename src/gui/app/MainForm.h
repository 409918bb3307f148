#pragma once

#include "base/MKError.h"
#include "base/SingleInstance.h"
#include "link/LinkEnvironment.h"

#include <QByteArray>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class TBackupStore;
class TMK;
class TMKPicture;
class TMKTransfer;
class TML_RS;
class TInstanceServer;
class TProgressForm;
class QTimer;
struct TWindowPlacement;

// How the main window is put into the world; the program uses the defaults, tests and the
// demo their own.
struct TMainFormSetup {
    // The link's ports and clock; the platform's (with the program settings' "Ports"
    // overrides) when unset. The window always supplies the prompts.
    std::function<TLinkEnvironment()> LinkEnvironment;
    QString SettingsPath; // the program settings file; TMIniFile's own place when empty
    QString BackupFolder; // backups before writing; the program's data folder when empty
    QString LockFolder;   // the single-instance lock; the user's runtime folder when empty
    // A run against the built-in simulator: automatic search off for this run, and the
    // program settings are read but never written.
    bool Demo = false;
};

// The main window: the user's whole workflow in numbered steps, reading the MK's settings
// from the device or a file, editing and viewing them, saving them and writing them back.
class TMainForm : public QWidget {
    Q_OBJECT

public:
    explicit TMainForm(TMainFormSetup setup = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // False when another copy of the program runs; the program then ends at once.
    bool IsOnlyCopy() const { return JustOne.IsOnlyCopy(); }
    // Where the copy that runs listens for files handed over.
    const QString& ChannelPath() const { return JustOne.ChannelPath(); }

    // The operations the workflow is made of.
    bool FindMK();
    void SaveSettingsFile(); // throws TMKError when the file cannot be written
    void LoadSettingsFile();
    // Loads the given file as LoadSettingsFile does once its dialog has chosen it (a file
    // given on the command line or opened from the desktop). Needs the shown window.
    void OpenSettingsFile(const QString& path);
    void SetDataButtons(bool enabled);
    // A file another start of the program handed over: the window comes forward and
    // loads it as "Считать настройки из файла на диске" would, once no transfer runs and
    // no dialog is open.
    void OpenHandedFile(const QString& path);
    TInstanceServer* Channel() const { return Instances.get(); }

    void bGetParamsClick();
    void bSetParamsClick();
    void bEditParamsClick();
    // The compare step: lists what a write changes in the MK, a tick for each change, and
    // gives the image to send (the ticked changes only), or nothing for No.
    std::optional<QByteArray> ChooseChanges(TMK& device, TMK& toWrite);
    void bViewJournalsClick();
    void bViewOscClick();
    void bRS232Click();
    void cbAutoClick();

    // Null until the window has first been shown.
    TMK* Model() const { return MK.get(); }
    TML_RS* Link() const { return RS.get(); }
    TMKTransfer* Transfer() const { return Transfers.get(); }
    bool TransferRunning() const { return Busy; }

    bool AutoSearch = true;
    // Lists what a write changes and asks before writing ("Common"/"CompareBeforeWrite").
    bool CompareBeforeWrite = true;
    bool Modified = false;

    QLabel* lWarning;
    QCheckBox* cbAuto;
    QPushButton* bRS232;
    QPushButton* bGetParams;
    QPushButton* bLoadParams;
    QPushButton* bEditParams;
    QPushButton* bViewJournals;
    QPushButton* bViewOsc;
    QPushButton* bSaveParams;
    QPushButton* bSetParams;
    TMKPicture* Image1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class TBusy;

    void CreateControls();
    void ConnectControls();
    void FormShow();
    void FormCloseQuery();
    void FormClose();
    TLinkEnvironment MakeLinkEnvironment() const;
    QString SettingsPath() const;
    void ApplyPlacement(const TWindowPlacement& placement);
    TWindowPlacement CurrentPlacement() const;
    void UpdateControls();
    // Runs one user action; an error that reaches its top is shown in the error box.
    void Guarded(const std::function<void()>& action);
    void AskToSaveChanges();
    bool CanOpenHandedFile() const;
    void OpenPendingFiles();
    void BringForward();
    void ShowTransferError(const TMKError& error);
    // Runs a transfer under a modeless progress window. A link error closes the window, runs
    // `onFailure`, shows the error and gives false.
    bool RunTransfer(const std::function<void(TProgressForm&)>& transfer,
                     const std::function<void()>& onFailure = {});
    // A transfer on a road's own model, where the program's transfer would start.
    TMKTransfer TransferOn(TMK& model) const;
    // The write with its messages; true when it was done. `failure` gets the error's kind.
    bool WriteToMK(TMKTransfer& transfer, std::optional<TErrorKind>* failure);
    // After a version message: asks, reads the MK, carries the program's settings onto what
    // it read, lists what did not fit and writes the result as a write does; the program
    // holds the result only when it was written.
    void OfferCarry();

    TMainFormSetup Setup;
    TJustOne JustOne;
    std::unique_ptr<TML_RS> RS;
    std::unique_ptr<TMK> MK;
    std::unique_ptr<TMKTransfer> Transfers;
    std::unique_ptr<TBackupStore> Backups;
    QString FileFolder;
    bool Started = false;
    bool DataEnabled = false;
    bool Busy = false;
    bool CloseRequested = false;
    TProgressForm* RunningProgress = nullptr;
    std::unique_ptr<TInstanceServer> Instances;
    QStringList PendingFiles;
    QTimer* PendingRetry;
};
