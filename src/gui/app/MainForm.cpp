#include "app/MainForm.h"

#include "app/CarryReportForm.h"
#include "app/Dialogs.h"
#include "app/FormTexts.h"
#include "app/InstanceChannel.h"
#include "app/MKPicture.h"
#include "app/PortDialog.h"
#include "app/Progress.h"
#include "base/IniFile.h"
#include "base/MKError.h"
#include "base/ProgramSettings.h"
#include "carry/SettingsCarry.h"
#include "editing/ChosenWrite.h"
#include "editing/SettingsDiff.h"
#include "editor/SettingsDialog.h"
#include "link/FindMK.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/PortAccess.h"
#include "readwrite/ReadWriteTexts.h"
#include "viewers/JournalsViewer.h"
#include "viewers/OscilloscopeViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

namespace {

using ProgramSettings::AutoKey;
using ProgramSettings::CommonSection;
using ProgramSettings::CompareKey;
using ProgramSettings::LastAddressKey;
using ProgramSettings::PlacementSection;
constexpr quint32 Baud = 115200;
constexpr int ClientWidth = 810;
constexpr int ClientHeight = 401;
// How often a handed file that must wait (a transfer, an open dialog) looks again.
constexpr int HandedFileRetryMs = 100;

TJustOne MakeGuard(const TMainFormSetup& setup) {
    if (setup.LockFolder.isEmpty())
        return TJustOne();
    return TJustOne(setup.LockFolder,
                    QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

// The executable's folder, unless the user cannot write there (an installed program):
// then the user's documents.
QString FileDialogFolder() {
    const QString folder = QCoreApplication::applicationDirPath();
    if (QFileInfo(folder).isWritable())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// Where the MK answered last; a value the device table does not know (edited by hand,
// damaged) gives the table's own order.
Dialogs::TFileDialogRequest SettingsFileRequest(const QString& folder, bool mustExist) {
    Dialogs::TFileDialogRequest request;
    request.Directory = folder;
    request.Filter = WorkflowTexts::SettingsFileFilter();
    request.DefaultSuffix = WorkflowTexts::SettingsFileSuffix();
    request.MustExist = mustExist;
    return request;
}

} // namespace

// Keeps every step button and the check box disabled while a transfer runs, so that no
// second transfer or edit can start through the link's event processing.
class TMainForm::TBusy {
public:
    explicit TBusy(TMainForm& form) : Form(form) {
        Form.Busy = true;
        Form.UpdateControls();
    }
    ~TBusy() {
        Form.Busy = false;
        Form.UpdateControls();
        if (Form.CloseRequested)
            QMetaObject::invokeMethod(&Form, &QWidget::close, Qt::QueuedConnection);
    }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TMainForm& Form;
};

TMainForm::TMainForm(TMainFormSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      Setup(std::move(setup)), JustOne(MakeGuard(Setup)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(FormTexts::MainCaption());
    setWindowIcon(MKIcon());
    CreateControls();
    setFixedSize(ClientWidth, ClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ConnectControls();
    UpdateControls();
    PendingRetry = new QTimer(this);
    PendingRetry->setInterval(HandedFileRetryMs);
    connect(PendingRetry, &QTimer::timeout, this, &TMainForm::OpenPendingFiles);
    if (IsOnlyCopy()) {
        Instances = std::make_unique<TInstanceServer>(JustOne.ChannelPath());
        connect(Instances.get(), &TInstanceServer::FileReceived, this, &TMainForm::OpenHandedFile);
    }
}

TMainForm::~TMainForm() = default;

void TMainForm::ConnectControls() {
    const auto on = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(bGetParams, &TMainForm::bGetParamsClick);
    on(bLoadParams, &TMainForm::LoadSettingsFile);
    on(bSaveParams, &TMainForm::SaveSettingsFile);
    on(bSetParams, &TMainForm::bSetParamsClick);
    on(bEditParams, &TMainForm::bEditParamsClick);
    on(bViewJournals, &TMainForm::bViewJournalsClick);
    on(bViewOsc, &TMainForm::bViewOscClick);
    on(bRS232, &TMainForm::bRS232Click);
    connect(cbAuto, &QCheckBox::clicked, this, [this] { Guarded([this] { cbAutoClick(); }); });
}

void TMainForm::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    } catch (const std::exception& e) {
        Dialogs::ShowError(QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::UpdateControls() {
    const QString origin = MK ? MK->Origin.Text() : QString();
    setWindowTitle(origin.isEmpty() ? FormTexts::MainCaption()
                                    : origin + QStringLiteral(" — ") + FormTexts::MainCaption());
    const bool idle = !Busy;
    for (QPushButton* button : {bEditParams, bViewJournals, bViewOsc, bSaveParams, bSetParams})
        button->setEnabled(idle && DataEnabled);
    bGetParams->setEnabled(idle);
    bLoadParams->setEnabled(idle);
    cbAuto->setEnabled(idle);
    cbAuto->setChecked(AutoSearch);
    bRS232->setEnabled(idle && !AutoSearch);
}

void TMainForm::SetDataButtons(bool enabled) {
    DataEnabled = enabled;
    UpdateControls();
}

// Start-up and shut-down.

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (Started)
        return;
    Started = true;
    Guarded([this] { FormShow(); });
}

QString TMainForm::SettingsPath() const {
    return Setup.SettingsPath.isEmpty() ? TMIniFile::DefaultPath() : Setup.SettingsPath;
}

TLinkEnvironment TMainForm::MakeLinkEnvironment() const {
    TLinkEnvironment environment;
    if (Setup.LinkEnvironment) {
        environment = Setup.LinkEnvironment();
    } else {
        TMIniFile settings(SettingsPath());
        environment = TLinkEnvironment::ForPorts(TPortMap::FromSettings(settings));
    }
    TLinkPrompts prompts = LinkDialogPrompts();
    prompts.ShowError = [ports = environment.Ports](const TMKError& error) {
        Dialogs::ShowError(WithPermissionHint(error, ports, 0));
    };
    environment.Prompts = prompts;
    return environment;
}

void TMainForm::FormShow() {
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    RS = std::make_unique<TML_RS>(MakeLinkEnvironment());
    AutoSearch = true;
    MK = std::make_unique<TMK>();
    Transfers = std::make_unique<TMKTransfer>(*RS, *MK);
    Transfers->ConfirmWrite = [this](TMK& device, TMK& toWrite) {
        return ChooseChanges(device, toWrite);
    };
    Backups = std::make_unique<TBackupStore>(
        Setup.BackupFolder.isEmpty() ? TBackupStore::DefaultFolder() : Setup.BackupFolder);
    {
        TMIniFile settings(SettingsPath());
        if (!settings.Refusal().isEmpty())
            Dialogs::ShowError(settings.Refusal());
        RS->LoadSettings(settings);
        const ProgramSettings::TStartup stored = ProgramSettings::ReadStartup(
            settings, {AutoSearch, true, Transfers->LastAddress, CurrentPlacement()});
        AutoSearch = stored.AutoSearch;
        CompareBeforeWrite = stored.CompareBeforeWrite;
        Transfers->LastAddress = quint8(stored.LastAddress);
        ApplyPlacement(stored.Placement);
    }
    if (Setup.Demo)
        AutoSearch = false;
    FileFolder = FileDialogFolder();
    RS->SetBaudRate(Baud);
    RS->SetOpen(false);
    UpdateControls();
    Modified = false;
}

TWindowPlacement TMainForm::CurrentPlacement() const {
    TWindowPlacement placement;
    if (windowState() & Qt::WindowMaximized)
        placement.State = TWindowPlacement::Maximized;
    else if (windowState() & Qt::WindowMinimized)
        placement.State = TWindowPlacement::Minimized;
    const QRect frame = frameGeometry();
    placement.Left = frame.left();
    placement.Top = frame.top();
    placement.Width = frame.width();
    placement.Height = frame.height();
    placement.Sizeable = false; // a fixed border: only state and position come back
    return placement;
}

void TMainForm::ApplyPlacement(const TWindowPlacement& placement) {
    switch (placement.State) {
    case TWindowPlacement::Maximized:
        setWindowState(Qt::WindowMaximized);
        return;
    case TWindowPlacement::Minimized:
        setWindowState(Qt::WindowMinimized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
        break;
    }
    move(placement.Left, placement.Top);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (Busy) {
        // The transfer owns the link and the model right now; the window closes when it
        // ends, and a connection attempt in progress is cancelled.
        CloseRequested = true;
        if (RunningProgress)
            RunningProgress->reject();
        event->ignore();
        return;
    }
    Guarded([this] { FormCloseQuery(); });
    Guarded([this] { FormClose(); });
    event->accept();
}

void TMainForm::FormCloseQuery() {
    AskToSaveChanges();
}

void TMainForm::FormClose() {
    if (Setup.Demo || !RS)
        return;
    TMIniFile settings(SettingsPath());
    RS->SaveSettings(settings);
    settings.WriteBool(CommonSection, AutoKey, AutoSearch);
    settings.WriteInteger(CommonSection, CompareKey, CompareBeforeWrite ? 1 : 0);
    settings.WriteInteger(CommonSection, LastAddressKey, Transfers->LastAddress);
    settings.SavePlacement(PlacementSection, CurrentPlacement());
}

void TMainForm::AskToSaveChanges() {
    if (!Modified || !Dialogs::Confirm(WorkflowTexts::UnsavedChangesQuestion()))
        return;
    // Whatever the save does, the caller goes on.
    Guarded([this] { SaveSettingsFile(); });
}

// The steps.

void TMainForm::cbAutoClick() {
    AutoSearch = cbAuto->isChecked();
    UpdateControls();
}

void TMainForm::bRS232Click() {
    RS->ChoosePort();
    RS->SetOpen(false);
}

bool TMainForm::FindMK() {
    return ::FindMK(*RS, AutoSearch);
}

void TMainForm::ShowTransferError(const TMKError& error) {
    Dialogs::ShowError(WithPermissionHint(error, RS->Environment().Ports, RS->PortNumber));
}

bool TMainForm::RunTransfer(const std::function<void(TProgressForm&)>& transfer,
                            const std::function<void()>& onFailure) {
    auto progress = std::make_unique<TProgressForm>(this);
    RunningProgress = progress.get();
    progress->ShowModeless();
    try {
        transfer(*progress);
    } catch (const TMKError& e) {
        // The progress window goes before the error box comes.
        RunningProgress = nullptr;
        progress.reset();
        if (onFailure)
            onFailure();
        ShowTransferError(e);
        return false;
    }
    RunningProgress = nullptr;
    return true;
}

void TMainForm::bGetParamsClick() {
    if (Busy)
        return;
    AskToSaveChanges();
    const TBusy busy(*this);
    if (!FindMK())
        return;
    bool done = false;
    RunTransfer(
        [&](TProgressForm& progress) {
            done = Transfers->ReadSettings(progress) == TMKTransfer::TOutcome::Done;
        },
        [&] { SetDataButtons(false); });
    if (done) {
        MK->MarkBaseline();
        SetDataButtons(true);
    }
}

void TMainForm::bSetParamsClick() {
    if (Busy)
        return;
    const TBusy busy(*this);
    if (!FindMK())
        return;
    std::optional<TErrorKind> failure;
    if (WriteToMK(*Transfers, &failure))
        return;
    if (failure == TErrorKind::VersionMismatch || failure == TErrorKind::FirmwareMismatch)
        OfferCarry();
}

TMKTransfer TMainForm::TransferOn(TMK& model) const {
    TMKTransfer transfer(*RS, model);
    transfer.LastAddress = Transfers->LastAddress;
    transfer.ConfirmWrite = Transfers->ConfirmWrite;
    return transfer;
}

bool TMainForm::WriteToMK(TMKTransfer& transfer, std::optional<TErrorKind>* failure) {
    bool done = false;
    TErrorKind kind = TErrorKind::General;
    if (!RunTransfer([&](TProgressForm& progress) {
            try {
                done = transfer.WriteSettings(progress, *Backups) == TMKTransfer::TOutcome::Done;
            } catch (const TMKError& e) {
                kind = e.Kind();
                throw;
            }
        })) {
        if (failure)
            *failure = kind;
        const QString notice = transfer.BackupNoticeAfter(kind);
        if (!notice.isEmpty())
            Dialogs::ShowInformation(notice);
        return false;
    }
    if (done) {
        // What the MK holds now: changes left unticked still show as changes.
        MK->MarkBaseline(transfer.LastWritten);
        Dialogs::ShowInformation(WorkflowTexts::SettingsWritten());
    }
    return done;
}

void TMainForm::OfferCarry() {
    if (!Dialogs::Confirm(WorkflowTexts::CarryQuestion()))
        return;
    // The settings as they are now, the record laid over the image, for the carry to open.
    TMK settings;
    settings.CopySettingsFrom(*MK);
    settings.PackAll();
    // The MK as it is now, the carry's target; the program's model changes only when the
    // carried settings are written.
    TMK device;
    TMKTransfer reader = TransferOn(device);
    bool read = false;
    if (!RunTransfer([&](TProgressForm& progress) {
            read = reader.ReadSettings(progress) == TMKTransfer::TOutcome::Done;
        }) ||
        !read)
        return;
    TCarryReport report;
    try {
        report = CarrySettings(settings, device);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
        return;
    }
    if (!report.Complete()) {
        TCarryReportForm form(report, this);
        Dialogs::Exec(form);
    }
    // The write lays the record over the MK's memory: the record the carry packed.
    device.UnpackAll();
    TMKTransfer writer = TransferOn(device);
    if (!WriteToMK(writer, nullptr))
        return;
    Transfers->LastAddress = writer.LastAddress;
    MK->SwapSettings(device);
    // The program now holds settings no file has.
    Modified = true;
}

std::optional<QByteArray> TMainForm::ChooseChanges(TMK& device, TMK& toWrite) {
    if (!CompareBeforeWrite)
        return toWrite.Image;
    const TSettingsDiff diff = CompareSettings(device, toWrite);
    if (diff.Empty()) {
        if (!Dialogs::Confirm(ChangesText(diff, 30) + QStringLiteral("\n\n") +
                              WorkflowTexts::WriteChangesQuestion()))
            return std::nullopt;
        return toWrite.Image;
    }
    const std::optional<QList<int>> ticked = Dialogs::Choose(
        {ChangesHeader(), diff.Lines(), diff.Groups(), WorkflowTexts::WriteChangesQuestion()});
    if (!ticked)
        return std::nullopt;
    // The program keeps every change; the ones left out stay changes against the MK.
    return ChosenImage(device, toWrite, diff.Drop(*ticked));
}

void TMainForm::bEditParamsClick() {
    // The editor works on a model of its own: OK hands its settings over, Cancel (or an
    // error) leaves the program's as they were.
    TMK edited;
    edited.CopySettingsFrom(*MK);
    const bool confirmed = TMK_SetParamsDlg::Run(edited, this);
    if (confirmed) {
        MK->SwapSettings(edited);
        Modified = true;
    }
}

void TMainForm::bViewJournalsClick() {
    RunViewJournals(*MK, this);
}

void TMainForm::bViewOscClick() {
    RunViewOscilloscope(*MK, this);
}

// Settings files.

void TMainForm::SaveSettingsFile() {
    const QString path = Dialogs::SaveFile(this, SettingsFileRequest(FileFolder, false));
    if (path.isEmpty())
        return;
    if (QFile::exists(path) && !Dialogs::Confirm(WorkflowTexts::FileExistsQuestion()))
        return;
    SettingsFile::Save(*MK, path);
    MK->MarkBaseline();
    SetDataButtons(true);
    Modified = false;
}

void TMainForm::LoadSettingsFile() {
    const QString path = Dialogs::OpenFile(this, SettingsFileRequest(FileFolder, true));
    if (path.isEmpty())
        return;
    // Loading replaces the settings as a read from the MK does: unsaved edits are offered
    // for saving first.
    AskToSaveChanges();
    OpenSettingsFile(path);
}

void TMainForm::OpenSettingsFile(const QString& path) {
    try {
        SettingsFile::Load(*MK, path);
        MK->MarkBaseline();
        SetDataButtons(true);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
        SetDataButtons(false);
    }
}

// Files handed over by another start.

void TMainForm::OpenHandedFile(const QString& path) {
    PendingFiles << path;
    OpenPendingFiles();
}

bool TMainForm::CanOpenHandedFile() const {
    return Started && !Busy && !Dialogs::AnyOpen() && !QApplication::activeModalWidget();
}

void TMainForm::OpenPendingFiles() {
    if (!CanOpenHandedFile()) {
        PendingRetry->start();
        return;
    }
    PendingRetry->stop();
    while (!PendingFiles.isEmpty() && CanOpenHandedFile()) {
        const QString path = PendingFiles.takeFirst();
        BringForward();
        AskToSaveChanges();
        OpenSettingsFile(path);
    }
    if (!PendingFiles.isEmpty())
        PendingRetry->start();
}

void TMainForm::BringForward() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}
