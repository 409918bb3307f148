#pragma once

// The journals viewer: trip and refuel journals, running totals and the fault journal with
// freeze frames, their resets and the export of the two trip-type journals.

#include "model/Journals.h"

#include <QDialog>
#include <array>
#include <functional>

class QTabWidget;
class TFixedCellGrid;
class TMK;

class TMK_ViewJournalsDlg : public QDialog {
    Q_OBJECT
public:
    // errorFormat: how the fault codes of the device's protocol are written.
    TMK_ViewJournalsDlg(TMK& mk, int errorFormat, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateJournalPage(TFixedCellGrid*& grid, const QString& gridName,
                               const QString& exportName, const QString& resetName,
                               const std::function<void()>& resetJournal);
    QWidget* CreateTotalsPage();
    QWidget* CreateFaultPage();

    void FillTripGrid();
    void FillTankGrid();
    void FillTotalsGrid(Journals::TCounterGroupId group);
    void FillFaultGrids();
    void ShowFreezeFrame();
    void Export(const TFixedCellGrid& grid);

    TMK& MK;
    const int ErrorFormat;
    QString ExportFolder;
    QTabWidget* pcJournals = nullptr;
    TFixedCellGrid* sgTrip = nullptr;
    TFixedCellGrid* sgTank = nullptr;
    TFixedCellGrid* sgErrors = nullptr;
    TFixedCellGrid* sgStopCadr = nullptr;
    std::array<TFixedCellGrid*, Journals::CounterGroupCount> TotalsGrids{};
};

// Opens the viewer on the device model; the journal blocks reach the image only on "OK".
// Returns whether the viewer was confirmed.
bool RunViewJournals(TMK& mk, QWidget* parent);
