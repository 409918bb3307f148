// The journals viewer driven as a user would: pages and grids, resets by button and by
// double click, freeze frames, export, and what reaches the image on OK and on Cancel.
#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"
#include "model/DeviceModel.h"
#include "model/JournalGrids.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/FactoryMemory.h"
#include "viewers/FixedCellGrid.h"
#include "viewers/JournalExport.h"
#include "viewers/JournalsViewer.h"

#include "ScriptedDialogs.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <tuple>

using namespace Journals;

namespace {

constexpr quint32 MemorySize = 8192;

// Record fields are packed; compare copies, never references to them.
template <class T> T Copy(T value) {
    return value;
}

// A device model holding the factory memory, its record unpacked.
std::unique_ptr<TMK> FactoryModel() {
    auto mk = std::make_unique<TMK>();
    mk->Image = FactoryImage(MemorySize);
    mk->UnpackAll();
    return mk;
}

TFixedCellGrid* Grid(QWidget& dialog, const char* name) {
    auto* grid = dialog.findChild<TFixedCellGrid*>(QLatin1String(name));
    if (!grid)
        qFatal("no grid %s", name);
    return grid;
}

void Click(QWidget& dialog, const char* button) {
    auto* b = dialog.findChild<QPushButton*>(QLatin1String(button));
    if (!b)
        qFatal("no button %s", button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void ShowPage(QWidget& dialog, int page) {
    dialog.findChild<QTabWidget*>(QStringLiteral("pcJournals"))->setCurrentIndex(page);
}

QPoint CellCentre(TFixedCellGrid& grid, int row, int column) {
    return grid.visualRect(grid.model()->index(row, column)).center();
}

void ClickCell(TFixedCellGrid& grid, int row, int column) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

QList<TCaptionValue> GridPairs(const TFixedCellGrid& grid) {
    QList<TCaptionValue> pairs;
    for (const QStringList& row : grid.Texts())
        pairs.append({row.value(0), row.value(1)});
    return pairs;
}

void SetPid(TErrorJournal& journal, int pid) {
    journal.SupportedPids[(pid - 1) / 8] |= uint8_t(0x80 >> ((pid - 1) % 8));
}

// Fault records 0..6 each with their own code and a freeze frame of their own code.
void FillDistinctFaults(TErrorJournal& journal) {
    for (int i = 0; i < FaultRecords; ++i) {
        TFaultRecord& f = journal.Faults[i];
        f = {};
        f.TimeOfDay = uint16_t(60 * i + 5);
        f.Day = uint8_t(i + 1);
        f.Month = 3;
        f.Code = uint32_t(0x0100 + i);
        f.FreezeCode = uint32_t(0x0200 + i);
    }
}

// A device, by settings version and variant, with a protocol writing VAG fault codes, and
// that protocol's index; index -1 when there is none.
std::tuple<uint16_t, uint8_t, int> FindVagDevice() {
    for (const TVariantRow& row : DeviceVariantRows()) {
        uint8_t variant = 0;
        while (!row.Variants.Contains(variant) && variant < 31)
            ++variant;
        const TDeviceCatalog catalog(row.SettingsVersion, variant);
        const auto& protocols = catalog.Protocols();
        for (std::size_t i = 0; i < protocols.size() && i < 256; ++i)
            if (protocols[i]->ErrorFormat == ErrorFormats::Vag)
                return {row.SettingsVersion, variant, int(i)};
    }
    return {0, 0, -1};
}

} // namespace

class TestViewJournals : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstPageWithTheJournalTexts();
    void emptyJournalShowsPustoOnly();
    void journalResetButtonsClearAndRefill_data();
    void journalResetButtonsClearAndRefill();
    void faultResetClearsCodesAndFreezeFrame();
    void doubleClickResetsOnlyThatGroup_data();
    void doubleClickResetsOnlyThatGroup();
    void faultRow3ShowsFreezeFrameOfRecord2();
    void keyboardSelectionShowsFreezeFrame();
    void faultWithoutFreezeFrameLeavesGridCleared();
    void unnamableSecondaryAirKeepsEarlierRowsAndReports();
    void escapeClosesWithoutConfirmation();
    void cancelAfterResetsLeavesImageUnchanged();
    void okPacksTheResetsIntoTheImage();
    void viewerWritesCodesInTheDevicesFormat();
    void exportWritesEveryCellTabTerminated_data();
    void exportWritesEveryCellTabTerminated();
    void exportCancelledWritesNothing();
    void exportFailureReportsAndKeepsTheOldFile();
    void exportOverAnExistingFileAsksFirst();
    void exportEncodingIsTabsAndCrLf();
};

void TestViewJournals::opensOnTheFirstPageWithTheJournalTexts() {
    auto mk = FactoryModel();
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    ShowPage(dialog, 2);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Просмотр журналов"));
    auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("pcJournals"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(0), QStringLiteral("Журнал поездок"));
    QCOMPARE(pages->tabText(3), QStringLiteral("Журнал ошибок"));

    const TTripSettings& trip = mk->Record.TripSettings;
    QCOMPARE(Grid(dialog, "sgTrip")->Texts(), JournalGridTexts(trip.TripJournal, trip));
    QCOMPARE(Grid(dialog, "sgTank")->Texts(), JournalGridTexts(trip.TankJournal, trip));
    QCOMPARE(Grid(dialog, "sgErrors")->Texts(),
             FaultGridTexts(mk->Record.ErrorJournal, ErrorFormats::ObdLetter,
                            mk->Record.ProtocolSettings));
    for (int g = 0; g < CounterGroupCount; ++g) {
        const auto group = TCounterGroupId(g);
        const QByteArray name = QByteArray("sg") + CounterGroupName(group);
        QCOMPARE(GridPairs(*Grid(dialog, name.constData())),
                 CounterRows(CounterGroupValues(mk->Record.TripTotals, group)));
    }
    // Row 1 is selected and its freeze frame shown.
    TFixedCellGrid* errors = Grid(dialog, "sgErrors");
    QCOMPARE(errors->currentRow(), 1);
    const TErrorJournal& journal = mk->Record.ErrorJournal;
    QCOMPARE(GridPairs(*Grid(dialog, "sgStopCadr")),
             FreezeFrameRows(journal.Faults[0], journal.SupportedPids).Rows);
}

void TestViewJournals::emptyJournalShowsPustoOnly() {
    auto mk = FactoryModel();
    ResetTankJournal(mk->Record.TripSettings);
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    const QList<QStringList> rows = Grid(dialog, "sgTank")->Texts();
    QCOMPARE(rows.size(), 22);
    QCOMPARE(rows[0][0], QStringLiteral("#"));
    QCOMPARE(rows[0][8], QStringLiteral("Стоимость"));
    for (int r = 1; r < 22; ++r) {
        QCOMPARE(rows[r][0], r == 1 ? QStringLiteral("Посл.") : QString::number(r - 1));
        QCOMPARE(rows[r][1], QStringLiteral("Пусто"));
        for (int c = 2; c < 9; ++c)
            QVERIFY2(rows[r][c].isEmpty(), qPrintable(rows[r][c]));
    }
}

void TestViewJournals::journalResetButtonsClearAndRefill_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<bool>("trip");
    QTest::newRow("trip page") << "bTripReset"
                               << "sgTrip" << true;
    QTest::newRow("refuel page") << "bTankReset"
                                 << "sgTank" << false;
}

void TestViewJournals::journalResetButtonsClearAndRefill() {
    QFETCH(QString, button);
    QFETCH(QString, grid);
    QFETCH(bool, trip);
    auto mk = FactoryModel();
    TTripSettings& settings = mk->Record.TripSettings;
    const TTripSettings before = settings;
    TScriptedDialogs dialogs;
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    Click(dialog, button.toLatin1().constData());

    TJournalRecord* cleared = trip ? settings.TripJournal : settings.TankJournal;
    const TJournalRecord* untouched = trip ? settings.TankJournal : settings.TripJournal;
    const TJournalRecord* untouchedBefore = trip ? before.TankJournal : before.TripJournal;
    for (int k = 0; k < JournalRecords; ++k) {
        QCOMPARE(Copy(cleared[k].Day), Copy(uint8_t(0)));
        QCOMPARE(Copy(untouched[k].Day), Copy(untouchedBefore[k].Day));
    }
    // Everything but the day byte survives.
    QCOMPARE(Copy(cleared[0].Path), Copy((trip ? before.TripJournal : before.TankJournal)[0].Path));
    const QList<QStringList> rows = Grid(dialog, grid.toLatin1().constData())->Texts();
    for (int r = 1; r < 22; ++r)
        QCOMPARE(rows[r][1], QStringLiteral("Пусто"));
    QVERIFY(dialogs.Prompts.isEmpty()); // no reset asks
}

void TestViewJournals::faultResetClearsCodesAndFreezeFrame() {
    auto mk = FactoryModel();
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    ShowPage(dialog, 3);
    TFixedCellGrid* freeze = Grid(dialog, "sgStopCadr");
    const int shownRows = freeze->rowCount();
    QVERIFY(!freeze->Cell(0, 1).isEmpty());
    Click(dialog, "bErrrJReset");

    const TErrorJournal& journal = mk->Record.ErrorJournal;
    for (uint8_t b : journal.SupportedPids)
        QCOMPARE(b, uint8_t(0));
    const QList<QStringList> rows = Grid(dialog, "sgErrors")->Texts();
    for (int r = 1; r < 8; ++r) {
        QCOMPARE(Copy(journal.Faults[r - 1].Code), Copy(0u));
        QCOMPARE(Copy(journal.Faults[r - 1].FreezeCode), Copy(0u));
        QCOMPARE(rows[r], (QStringList{QString::number(r - 1), "", ""}));
    }
    QCOMPARE(freeze->rowCount(), shownRows);
    for (const QStringList& row : freeze->Texts())
        QCOMPARE(row, (QStringList{"", ""}));
}

void TestViewJournals::doubleClickResetsOnlyThatGroup_data() {
    QTest::addColumn<int>("group");
    for (int g = 0; g < CounterGroupCount; ++g)
        QTest::newRow(CounterGroupName(TCounterGroupId(g))) << g;
}

void TestViewJournals::doubleClickResetsOnlyThatGroup() {
    QFETCH(int, group);
    const auto id = TCounterGroupId(group);
    auto mk = FactoryModel();
    TTripTotals& totals = mk->Record.TripTotals;
    for (int g = 0; g < CounterGroupCount; ++g) // every group has something to clear
        QVERIFY(CounterGroupValues(totals, TCounterGroupId(g)).Time != 0);
    TTripTotals expected = totals;
    ResetCounterGroup(expected, id);

    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    ShowPage(dialog, 2);
    const QByteArray name = QByteArray("sg") + CounterGroupName(id);
    TFixedCellGrid* grid = Grid(dialog, name.constData());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(*grid, 2, 1));

    QCOMPARE(std::memcmp(&totals, &expected, sizeof totals), 0);
    const QList<QStringList> rows = grid->Texts();
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[0][1], QStringLiteral("0:00"));
    QCOMPARE(rows[2][1], FixedText(0, 3));
    const QString distance =
        id == TCounterGroupId::AllSum ? FixedText(totals.AllPathStart, 3) : FixedText(0, 3);
    QCOMPARE(rows[1][1], distance);
    for (int r = 3; r < 6; ++r)
        QCOMPARE(rows[r][1], QStringLiteral("-----"));
    if (id == TCounterGroupId::AllSum)
        QVERIFY(totals.AllPathStart != 0);
}

void TestViewJournals::faultRow3ShowsFreezeFrameOfRecord2() {
    auto mk = FactoryModel();
    TErrorJournal& journal = mk->Record.ErrorJournal;
    FillDistinctFaults(journal);
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    ShowPage(dialog, 3);
    TFixedCellGrid* errors = Grid(dialog, "sgErrors");
    TFixedCellGrid* freeze = Grid(dialog, "sgStopCadr");
    QCOMPARE(freeze->Cell(0, 1), QStringLiteral("P0200"));

    ClickCell(*errors, 3, 2);
    QCOMPARE(errors->currentRow(), 3);
    QCOMPARE(errors->Cell(3, 0), QStringLiteral("2"));
    QCOMPARE(freeze->Cell(0, 0), QStringLiteral("Код ошибки"));
    QCOMPARE(freeze->Cell(0, 1), QStringLiteral("P0202"));
    QCOMPARE(GridPairs(*freeze), FreezeFrameRows(journal.Faults[2], journal.SupportedPids).Rows);

    // The header row is a caption: clicking it changes nothing.
    ClickCell(*errors, 0, 2);
    QCOMPARE(errors->currentRow(), 3);
    QCOMPARE(freeze->Cell(0, 1), QStringLiteral("P0202"));
}

void TestViewJournals::keyboardSelectionShowsFreezeFrame() {
    auto mk = FactoryModel();
    FillDistinctFaults(mk->Record.ErrorJournal);
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    ShowPage(dialog, 3);
    TFixedCellGrid* errors = Grid(dialog, "sgErrors");
    errors->setFocus();
    QTest::keyClick(errors, Qt::Key_Down);
    QTest::keyClick(errors, Qt::Key_Down);
    QCOMPARE(errors->currentRow(), 3);
    QCOMPARE(Grid(dialog, "sgStopCadr")->Cell(0, 1), QStringLiteral("P0202"));
    // Moving up stops below the header row.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(errors, Qt::Key_Up);
    QCOMPARE(errors->currentRow(), 1);
    QCOMPARE(Grid(dialog, "sgStopCadr")->Cell(0, 1), QStringLiteral("P0200"));
}

void TestViewJournals::faultWithoutFreezeFrameLeavesGridCleared() {
    auto mk = FactoryModel();
    const TErrorJournal& journal = mk->Record.ErrorJournal;
    QVERIFY(journal.Faults[0].FreezeCode != 0);
    QVERIFY(journal.Faults[1].Code != 0 && journal.Faults[1].FreezeCode == 0);
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    ShowPage(dialog, 3);
    TFixedCellGrid* errors = Grid(dialog, "sgErrors");
    TFixedCellGrid* freeze = Grid(dialog, "sgStopCadr");
    const int frameRows =
        int(FreezeFrameRows(journal.Faults[0], journal.SupportedPids).Rows.size());
    QCOMPARE(freeze->rowCount(), frameRows);

    ClickCell(*errors, 2, 1);
    QVERIFY(!errors->Cell(2, 2).isEmpty());  // the fault is listed
    QCOMPARE(freeze->rowCount(), frameRows); // with the previous row count
    for (const QStringList& row : freeze->Texts())
        QCOMPARE(row, (QStringList{"", ""}));
}

void TestViewJournals::unnamableSecondaryAirKeepsEarlierRowsAndReports() {
    auto mk = FactoryModel();
    TErrorJournal& journal = mk->Record.ErrorJournal;
    std::memset(journal.SupportedPids, 0, sizeof journal.SupportedPids);
    SetPid(journal, 5);
    SetPid(journal, 18);
    SetPid(journal, 20);
    journal.Faults[0].SecondaryAirStatus = 300;
    TScriptedDialogs dialogs;
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    QCOMPARE(dialogs.Errors(), QStringList{TRangeError().Text()});
    TFixedCellGrid* freeze = Grid(dialog, "sgStopCadr");
    QCOMPARE(freeze->rowCount(), 2);
    QCOMPARE(freeze->Cell(1, 0), QStringLiteral("ТОЖ, С"));
    // The rest of the window is filled all the same.
    QCOMPARE(Grid(dialog, "sgGasOnlySum")->Cell(0, 0), QStringLiteral("Время"));
}

void TestViewJournals::escapeClosesWithoutConfirmation() {
    auto mk = FactoryModel();
    TScriptedDialogs dialogs;
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.setResult(-1);
    dialog.show();
    TFixedCellGrid* trip = Grid(dialog, "sgTrip");
    trip->setFocus();
    QTest::keyClick(trip, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialogs.Prompts.isEmpty());
}

void TestViewJournals::cancelAfterResetsLeavesImageUnchanged() {
    auto mk = FactoryModel();
    const QByteArray image = mk->Image;
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers.append([](QDialog& dialog) {
        dialog.show();
        Click(dialog, "bTripReset");
        Click(dialog, "bTankReset");
        Click(dialog, "bErrrJReset");
        TFixedCellGrid* all = Grid(dialog, "sgAllSum");
        QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, CellCentre(*all, 0, 0));
        Click(dialog, "bCancel");
        return dialog.result();
    });
    QVERIFY(!RunViewJournals(*mk, nullptr));
    QCOMPARE(dialogs.Texts("Exec"), QStringList{"MK_ViewJournalsDlg"});
    QCOMPARE(mk->Image, image);
    // The record still holds the resets until the next unpack restores it.
    QCOMPARE(Copy(mk->Record.TripSettings.TripJournal[0].Day), Copy(uint8_t(0)));
    mk->UnpackAll();
    QVERIFY(mk->Record.TripSettings.TripJournal[0].Day != 0);
    QVERIFY(mk->Record.TripTotals.AllSum.Time != 0);
    QVERIFY(mk->Record.ErrorJournal.Faults[0].Code != 0);
}

void TestViewJournals::okPacksTheResetsIntoTheImage() {
    auto mk = FactoryModel();
    const TSettingsRecord before = mk->Record;
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers.append([](QDialog& dialog) {
        dialog.show();
        Click(dialog, "bTripReset");
        Click(dialog, "bErrrJReset");
        TFixedCellGrid* all = Grid(dialog, "sgAllSum");
        QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, CellCentre(*all, 0, 0));
        Click(dialog, "bOK");
        return dialog.result();
    });
    QVERIFY(RunViewJournals(*mk, nullptr));

    TMK reread;
    reread.Image = mk->Image;
    reread.UnpackAll();
    const TSettingsRecord& r = reread.Record;
    for (const TJournalRecord& j : r.TripSettings.TripJournal)
        QCOMPARE(Copy(j.Day), Copy(uint8_t(0)));
    QCOMPARE(Copy(r.TripSettings.TankJournal[1].Day), Copy(before.TripSettings.TankJournal[1].Day));
    QCOMPARE(Copy(r.TripTotals.AllSum.Time), Copy(0u));
    QCOMPARE(Copy(r.TripTotals.AllSum.Path), Copy(0u));
    QCOMPARE(Copy(r.TripTotals.GasFuel[0]), Copy(0u));
    QCOMPARE(Copy(r.TripTotals.AllPathStart), Copy(before.TripTotals.AllPathStart));
    QCOMPARE(Copy(r.TripTotals.TripSum.Time), Copy(before.TripTotals.TripSum.Time));
    QCOMPARE(Copy(r.ErrorJournal.Faults[0].Code), Copy(0u));
    QCOMPARE(Copy(r.ErrorJournal.Faults[0].TimeOfDay),
             Copy(before.ErrorJournal.Faults[0].TimeOfDay));
    // The other blocks are not packed.
    QCOMPARE(std::memcmp(&r.DisplaySettings, &before.DisplaySettings, sizeof r.DisplaySettings), 0);
}

void TestViewJournals::viewerWritesCodesInTheDevicesFormat() {
    auto mk = FactoryModel();
    const auto [version, variant, vagIndex] = FindVagDevice();
    if (vagIndex < 0)
        QSKIP("no device offers a protocol with VAG fault codes");
    mk->SettingsVersion = version;
    const uint32_t firmware = variant;
    std::memcpy(mk->Image.data() + offsetof(TImageDirectory, FirmwareVersion), &firmware, 4);
    mk->Record.ProtocolSettings.Protocol = uint16_t(vagIndex);
    TErrorJournal& journal = mk->Record.ErrorJournal;
    journal.Faults[0].Code = 0x407B;
    mk->PackBlock(TBlock::ErrorJournal);

    // A catalogue left behind by another device must not decide the format.
    mk->Catalog = TDeviceCatalog(1, 0);
    QString shown;
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers.append([&shown](QDialog& dialog) {
        dialog.show();
        shown = Grid(dialog, "sgErrors")->Cell(1, 2);
        return int(QDialog::Rejected);
    });
    RunViewJournals(*mk, nullptr);
    QCOMPARE(shown, QStringLiteral("P0123"));
}

void TestViewJournals::exportWritesEveryCellTabTerminated_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    QTest::newRow("trip journal") << "bTrip"
                                  << "sgTrip";
    QTest::newRow("refuel journal") << "bTank"
                                    << "sgTank";
}

void TestViewJournals::exportWritesEveryCellTabTerminated() {
    QFETCH(QString, button);
    QFETCH(QString, grid);
    auto mk = FactoryModel();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.txt"));
    TScriptedDialogs dialogs;
    dialogs.FileAnswers << path;
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    Click(dialog, button.toLatin1().constData());
    QCOMPARE(dialogs.Texts("SaveFile").size(), 1);
    QVERIFY(dialogs.Errors().isEmpty());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\t\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 22);
    const QList<QStringList> rows = Grid(dialog, grid.toLatin1().constData())->Texts();
    for (int r = 0; r < 22; ++r) {
        QByteArray line = lines[r];
        if (line.endsWith('\r'))
            line.chop(1);
        QVERIFY2(line.endsWith('\t'), line.constData());
        QCOMPARE(line.count('\t'), 9);
        line.chop(1);
        QCOMPARE(QString::fromUtf8(line).split(QLatin1Char('\t')), rows[r]);
    }
    QCOMPARE(bytes.count("\r\n"), 22);
    QCOMPARE(rows[1][0], QStringLiteral("Посл."));
}

void TestViewJournals::exportCancelledWritesNothing() {
    auto mk = FactoryModel();
    QTemporaryDir folder;
    TScriptedDialogs dialogs;
    dialogs.FileAnswers << QString();
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    Click(dialog, "bTrip");
    QCOMPARE(dialogs.Texts("SaveFile").size(), 1);
    QVERIFY(dialogs.Errors().isEmpty());
    QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

void TestViewJournals::exportFailureReportsAndKeepsTheOldFile() {
    auto mk = FactoryModel();
    const TSettingsRecord before = mk->Record;
    QTemporaryDir folder;
    TScriptedDialogs dialogs;
    dialogs.FileAnswers << folder.filePath(QStringLiteral("missing/journal.txt"));
    // A folder where the file should be cannot be replaced.
    const QString occupied = folder.filePath(QStringLiteral("occupied.txt"));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("occupied.txt")));
    dialogs.FileAnswers << occupied;
    dialogs.ConfirmAnswers << true; // "replace it": the write then fails
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    const QList<QStringList> shown = Grid(dialog, "sgTank")->Texts();
    Click(dialog, "bTank");
    Click(dialog, "bTank");
    const QStringList errors = dialogs.Errors();
    QCOMPARE(errors.size(), 2);
    for (const QString& e : errors)
        QVERIFY(!e.isEmpty());
    QVERIFY(QFileInfo(occupied).isDir());
    QCOMPARE(Grid(dialog, "sgTank")->Texts(), shown);
    QCOMPARE(std::memcmp(&mk->Record, &before, sizeof before), 0);
}

void TestViewJournals::exportOverAnExistingFileAsksFirst() {
    auto mk = FactoryModel();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.txt"));
    TScriptedDialogs dialogs;
    dialogs.FileAnswers << path << path << path;
    dialogs.ConfirmAnswers << false << true;
    TMK_ViewJournalsDlg dialog(*mk, ErrorFormats::ObdLetter);
    dialog.show();
    Click(dialog, "bTrip"); // a new file: nothing to ask
    const qint64 size = QFileInfo(path).size();
    QVERIFY(QFile::resize(path, 3));
    Click(dialog, "bTrip"); // No
    QCOMPARE(QFileInfo(path).size(), 3);
    Click(dialog, "bTrip"); // Yes
    QCOMPARE(QFileInfo(path).size(), size);
    QCOMPARE(dialogs.Texts("Confirm"), QStringList(2, WorkflowTexts::FileExistsQuestion()));
}

void TestViewJournals::exportEncodingIsTabsAndCrLf() {
    const QList<QStringList> rows = {{"#", "Пусто", ""}, {"", "", ""}};
    QCOMPARE(JournalExport::Encode(rows),
             QStringLiteral("#\tПусто\t\t\r\n\t\t\t\r\n").toLocal8Bit());
}

QTEST_MAIN(TestViewJournals)
#include "tst_journalsviewer.moc"
