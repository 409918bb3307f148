#include "viewers/JournalsViewer.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "model/JournalGrids.h"
#include "model/DeviceModel.h"
#include "viewers/FixedCellGrid.h"
#include "viewers/JournalExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Journals;

namespace {

const QList<int> JournalColumnWidths = {50, 140, 96, 84, 131, 156, 145, 113, 78};
const QList<int> TotalsColumnWidths = {147, 116};
const QList<int> FaultColumnWidths = {50, 140, 231};
const QList<int> FreezeFrameColumnWidths = {380, 144};
constexpr int FreezeFrameRowCount = 41;
constexpr int CounterRowCount = 6;

// The program's own folder, or the user's documents where an installed program's folder
// is not writable.
QString DefaultExportFolder() {
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo(own).isWritable())
        return own;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString TotalsCaption(TCounterGroupId group) {
    switch (group) {
    case TCounterGroupId::AllSum:
        return QStringLiteral("Накопительные / Общие");
    case TCounterGroupId::TripSum:
        return QStringLiteral("Поездка");
    case TCounterGroupId::ResetSum:
        return QStringLiteral("Сброс 1");
    case TCounterGroupId::StopSum:
        return QStringLiteral("Пробки");
    case TCounterGroupId::NoStopSum:
        return QStringLiteral("Без пробок");
    case TCounterGroupId::TankSum:
        return QStringLiteral("Сброс 2 ( Между заправками )");
    case TCounterGroupId::OilOnlySum:
        return QStringLiteral("Только бензин");
    case TCounterGroupId::GasOnlySum:
        return QStringLiteral("Только газ");
    }
    return {};
}

QPushButton* CreateButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void FillGrid(TFixedCellGrid& grid, const TGridTexts& rows) {
    grid.setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid.SetRow(r, rows[r]);
}

void FillCaptionValues(TFixedCellGrid& grid, const TCaptionValues& rows) {
    grid.setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid.SetRow(r, {rows[r].Caption, rows[r].Value});
}

} // namespace

TMK_ViewJournalsDlg::TMK_ViewJournalsDlg(TMK& mk, int errorFormat, QWidget* parent)
    : QDialog(parent), MK(mk), ErrorFormat(errorFormat) {
    setObjectName(QStringLiteral("MK_ViewJournalsDlg"));
    setWindowTitle(QStringLiteral("Просмотр журналов"));

    pcJournals = new QTabWidget(this);
    pcJournals->setObjectName(QStringLiteral("pcJournals"));
    pcJournals->addTab(CreateJournalPage(sgTrip, QStringLiteral("sgTrip"), QStringLiteral("bTrip"),
                                         QStringLiteral("bTripReset"),
                                         [this] {
                                             ResetTripJournal(MK.Record.TripSettings);
                                             FillTripGrid();
                                         }),
                       QStringLiteral("Журнал поездок"));
    pcJournals->addTab(CreateJournalPage(sgTank, QStringLiteral("sgTank"), QStringLiteral("bTank"),
                                         QStringLiteral("bTankReset"),
                                         [this] {
                                             ResetTankJournal(MK.Record.TripSettings);
                                             FillTankGrid();
                                         }),
                       QStringLiteral("Журнал заправок"));
    pcJournals->addTab(CreateTotalsPage(), QStringLiteral("Средние"));
    pcJournals->addTab(CreateFaultPage(), QStringLiteral("Журнал ошибок"));

    QPushButton* ok = CreateButton(QStringLiteral("bOK"), QStringLiteral("OK"), this);
    ok->setDefault(true);
    QPushButton* cancel = CreateButton(QStringLiteral("bCancel"), QStringLiteral("Cancel"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcJournals);
    layout->addLayout(buttons);
}

QWidget* TMK_ViewJournalsDlg::CreateJournalPage(TFixedCellGrid*& grid, const QString& gridName,
                                                const QString& exportName, const QString& resetName,
                                                const std::function<void()>& resetJournal) {
    auto* page = new QWidget;
    grid = new TFixedCellGrid(gridName, JournalColumnWidths, JournalGridRows, 1, 1, page);
    grid->SetRightAligned(true);
    grid->setMinimumSize(grid->ContentWidth(), grid->ContentHeight());
    QPushButton* exportButton = CreateButton(exportName, QStringLiteral("Сохранить в файл"), page);
    QPushButton* reset = CreateButton(resetName, QStringLiteral("Очистить"), page);

    TFixedCellGrid* shown = grid;
    connect(exportButton, &QPushButton::clicked, this, [this, shown] { Export(*shown); });
    connect(reset, &QPushButton::clicked, this, resetJournal);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addWidget(reset);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid);
    layout->addLayout(buttons);
    return page;
}

QWidget* TMK_ViewJournalsDlg::CreateTotalsPage() {
    auto* page = new QWidget;
    auto* panels = new QGridLayout;
    constexpr int panelsPerColumn = 3;
    for (int g = 0; g < CounterGroupCount; ++g) {
        const auto group = TCounterGroupId(g);
        auto* grid =
            new TFixedCellGrid(QStringLiteral("sg") + QLatin1String(CounterGroupName(group)),
                               TotalsColumnWidths, CounterRowCount, 0, 0, page);
        grid->setFixedSize(grid->ContentWidth(), grid->ContentHeight());
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(grid, &TFixedCellGrid::DoubleClicked, this, [this, group] {
            ResetCounterGroup(MK.Record.TripTotals, group);
            FillTotalsGrid(group);
        });
        TotalsGrids[std::size_t(g)] = grid;

        auto* panel = new QVBoxLayout;
        panel->addWidget(new QLabel(TotalsCaption(group), page));
        panel->addWidget(grid);
        panels->addLayout(panel, g % panelsPerColumn, g / panelsPerColumn, Qt::AlignTop);
    }
    auto* note = new QLabel(QStringLiteral("Для сброса накопителей сделайте двойной щелчок мыши "
                                           "на соответствующей таблице"),
                            page);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(panels);
    layout->addStretch();
    layout->addWidget(note);
    return page;
}

QWidget* TMK_ViewJournalsDlg::CreateFaultPage() {
    auto* page = new QWidget;
    sgErrors = new TFixedCellGrid(QStringLiteral("sgErrors"), FaultColumnWidths, FaultGridRows, 1,
                                  1, page);
    sgErrors->setFixedSize(sgErrors->ContentWidth(), sgErrors->ContentHeight());
    sgStopCadr = new TFixedCellGrid(QStringLiteral("sgStopCadr"), FreezeFrameColumnWidths,
                                    FreezeFrameRowCount, 0, 0, page);
    sgStopCadr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgStopCadr->setFixedWidth(sgStopCadr->ContentWidth() +
                              sgStopCadr->verticalScrollBar()->sizeHint().width());
    QPushButton* reset =
        CreateButton(QStringLiteral("bErrrJReset"), QStringLiteral("Очистить"), page);

    connect(sgErrors, &QTableWidget::cellClicked, this, [this] { ShowFreezeFrame(); });
    connect(sgErrors, &QTableWidget::currentCellChanged, this, [this] { ShowFreezeFrame(); });
    connect(reset, &QPushButton::clicked, this, [this] {
        ResetFaultJournal(MK.Record.ErrorJournal);
        FillFaultGrids();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(sgErrors);
    left->addStretch();
    left->addWidget(reset, 0, Qt::AlignLeft);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addStretch();
    layout->addWidget(sgStopCadr);
    return page;
}

void TMK_ViewJournalsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    pcJournals->setCurrentIndex(0);
    ExportFolder = DefaultExportFolder();
    FillTripGrid();
    FillTankGrid();
    FillFaultGrids();
    for (int g = 0; g < CounterGroupCount; ++g)
        FillTotalsGrid(TCounterGroupId(g));
}

void TMK_ViewJournalsDlg::FillTripGrid() {
    const TTripSettings& trip = MK.Record.TripSettings;
    FillGrid(*sgTrip, JournalGridTexts(trip.TripJournal, trip));
}

void TMK_ViewJournalsDlg::FillTankGrid() {
    const TTripSettings& trip = MK.Record.TripSettings;
    FillGrid(*sgTank, JournalGridTexts(trip.TankJournal, trip));
}

void TMK_ViewJournalsDlg::FillTotalsGrid(TCounterGroupId group) {
    FillCaptionValues(*TotalsGrids[std::size_t(group)],
                      CounterRows(CounterGroupValues(MK.Record.TripTotals, group)));
}

void TMK_ViewJournalsDlg::FillFaultGrids() {
    FillGrid(*sgErrors,
             FaultGridTexts(MK.Record.ErrorJournal, ErrorFormat, MK.Record.ProtocolSettings));
    {
        const QSignalBlocker quiet(sgErrors);
        sgErrors->setCurrentCell(1, 1);
    }
    ShowFreezeFrame();
}

void TMK_ViewJournalsDlg::ShowFreezeFrame() {
    const int row = sgErrors->currentRow();
    if (row <= 0)
        return;
    for (int r = 0; r < sgStopCadr->rowCount(); ++r)
        sgStopCadr->SetRow(r, {});
    const TErrorJournal& journal = MK.Record.ErrorJournal;
    const TFaultRecord& fault = journal.Faults[row - 1];
    if (fault.FreezeCode == 0)
        return;
    const TFreezeFrame frame = FreezeFrameRows(fault, journal.SupportedPids);
    FillCaptionValues(*sgStopCadr, frame.Rows);
    if (!frame.Error.isEmpty())
        Dialogs::ShowError(frame.Error);
}

void TMK_ViewJournalsDlg::Export(const TFixedCellGrid& grid) {
    Dialogs::TFileDialogRequest request;
    request.Directory = ExportFolder;
    request.DefaultSuffix = QStringLiteral("txt");
    const QString path = Dialogs::SaveFile(this, request);
    if (path.isEmpty() || !Dialogs::MayOverwrite(path))
        return;
    try {
        JournalExport::Write(path, grid.Texts());
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}

bool RunViewJournals(TMK& mk, QWidget* parent) {
    const int errorFormat = DeviceErrorFormat(mk);
    return mk.ViewJournals([&] {
        TMK_ViewJournalsDlg dialog(mk, errorFormat, parent);
        return Dialogs::Exec(dialog) == QDialog::Accepted;
    });
}
