// Pages "Бак", "ТО", "Унив.вход" and "Допсистемы" of the settings editor dialog, driven by
// object name as a user would: grid edits stored when the grid is left, the point count,
// tank files (with the question before replacing one), the date edit, the ADC refusal and the block
// grids' double clicks.
#include "catalog/DeviceFlags.h"
#include "catalog/MenuItems.h"
#include "editing/BlockChoice.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/FactoryMemory.h"

#include "EditorDialogKit.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

std::function<void(TMK&)> Points(int count) {
    return [count](TMK& mk) {
        mk.Record.TankCalibration.TarirLeng = uint8_t(count);
        for (int i = 0; i < count; ++i) {
            mk.Record.TankCalibration.TarirLitres[i] = uint8_t(10 * (i + 1));
            mk.Record.TankCalibration.TarirUnits[i] = int16_t(100 * (i + 1));
        }
    };
}

int RowOf(QTableWidget* grid, const QString& text) {
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == text)
            return r;
    return -1;
}

void DoubleClick(QTableWidget* grid, int row) {
    grid->scrollToItem(grid->item(row, 0));
    const QPoint at = grid->visualItemRect(grid->item(row, 0)).center();
    // A user's double click: the first click's press, then the double click.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// The left edge on its sheet of a control, or of its label for "label:name".
int LeftOf(TMK_SetParamsDlg& dialog, const QString& page, const QString& name) {
    QWidget* w = name.startsWith(QLatin1String("label:")) ? dialog.Binder().Label(name.mid(6))
                                                          : dialog.Binder().Control(name);
    if (!w)
        qFatal("no %s", qPrintable(name));
    return w->mapTo(dialog.Sheet(page), QPoint(0, 0)).x();
}

} // namespace

class TPagesDialogTest : public QObject {
    Q_OBJECT
private slots:
    // Lines of several rows stand in columns: a name edit where the other lines have their
    // labels, every line's values and boxes one above the other.
    void TableLinesStandInColumns_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("ТО name under label") << "tsTO"
                                             << "label:seKPPOilCntK"
                                             << "eForsTOCntK";
        QTest::newRow("ТО values") << "tsTO"
                                   << "seAirFiltCntK"
                                   << "seCandleCntK";
        QTest::newRow("ТО date under values") << "tsTO"
                                              << "seEngOilCntK"
                                              << "deOSAGO";
        QTest::newRow("ТО boxes") << "tsTO"
                                  << "cbKPPOilCntK"
                                  << "cbGRMStrapCntK";
        QTest::newRow("ТО date box") << "tsTO"
                                     << "cbAirFiltCntK"
                                     << "cbTO";
        QTest::newRow("Бак litres") << "tsOil"
                                    << "seLit6L"
                                    << "seLit43L";
        QTest::newRow("Бак units") << "tsOil"
                                   << "seOilCalibrResArr0"
                                   << "seOilCalibrResArr6";
        QTest::newRow("Бак numbers") << "tsOil"
                                     << "label:seOilCalibrLitArr0"
                                     << "label:seOilCalibrLitArr6";
    }
    void TableLinesStandInColumns() {
        QFETCH(QString, page);
        QFETCH(QString, a);
        QFETCH(QString, b);
        TEditorDialogKit kit([](TMK& mk) { mk.Record.TankSensorSettings.OilCalibrQuant = 7; });
        kit.Page(page);
        QCoreApplication::processEvents();
        QCOMPARE(LeftOf(*kit.Dialog, page, a), LeftOf(*kit.Dialog, page, b));
        QVERIFY(LeftOf(*kit.Dialog, page, a) < kit.Dialog->Sheet(page)->width());
    }

    // The tank lines carry their numbers, not their captions; the units beside them no label;
    // the tared table stands right of them, overlapping none.
    void TankLinesBesideTheTaredTable() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.TankSensorSettings.OilCalibrQuant = 2; });
        kit.Page("tsOil");
        QCoreApplication::processEvents();
        TBinder& binder = kit.Dialog->Binder();
        QCOMPARE(binder.Label("seLit43L")->text(), QStringLiteral("2"));
        QCOMPARE(kit.Dialog->Editor().Caption("seLit43L"), QStringLiteral("2, литры"));
        QVERIFY(!binder.Label("seOil43L"));
        QVERIFY(!binder.Label("seOilCalibrLitArr1")->isHidden());
        QVERIFY(binder.Label("seOilCalibrLitArr2")->isHidden());
        QWidget* sheet = kit.Dialog->Sheet("tsOil");
        const auto rect = [sheet](QWidget* w) {
            return QRect(w->mapTo(sheet, QPoint(0, 0)), w->size());
        };
        const QRect tared = rect(kit.Find("sgTarir"));
        for (const char* name : {"seOil6L", "seOilCalibrQuant", "seOilCalibrResArr1"}) {
            const QRect at = rect(binder.Control(name));
            QVERIFY2(at.right() < tared.left(), name);
            QVERIFY2(sheet->rect().contains(at), name);
        }
    }

    void GridStoresWhenLeft_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("startHigh");
        QTest::newRow("emptied units") << 1 << 2 << ""
                                       << "TarirUnits" << 0 << 0;
        QTest::newRow("litres") << 2 << 1 << "77"
                                << "TarirLitres" << 77 << 0;
        QTest::newRow("high start") << 0 << 2 << "241"
                                    << "TarirUnits" << 241 << 1;
    }
    void GridStoresWhenLeft() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(int, startHigh);
        TEditorDialogKit kit(Points(3));
        kit.Page("tsOil");
        auto* grid = kit.Find<QTableWidget>("sgTarir");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("200"));
        grid->item(row, column)->setText(text);
        QVERIFY(kit.Dialog->Editor().TarirEdited);
        QCOMPARE(ReadField(kit.Mk, RecordField(field, row)),
                 column == 2 ? 100 * (row + 1) : 10 * (row + 1));
        TEditorDialogKit::Leave(grid);
        QCOMPARE(ReadField(kit.Mk, RecordField(field, row)), stored);
        QCOMPARE(kit.Field("TarirStartHigh"), startHigh);
        QVERIFY(!kit.Dialog->Editor().TarirEdited);
        QCOMPARE(grid->item(row, column)->text(), QString::number(stored));
    }

    void PointCountSetsTheGrid() {
        TEditorDialogKit kit(Points(3));
        kit.Page("tsOil");
        auto* count = kit.Find<QDoubleSpinBox>("seTarirLeng");
        count->setValue(5);
        QCOMPARE(kit.Field("TarirLeng"), 5);
        QCOMPARE(kit.Find<QTableWidget>("sgTarir")->rowCount(), 5);
        count->setValue(0);
        QCOMPARE(kit.Find<QTableWidget>("sgTarir")->rowCount(), 1);
        QCOMPARE(kit.Find<QTableWidget>("sgTarir")->item(0, 0)->text(), QString());
    }

    void SevenPointRowsShowAsTheCountChanges() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.TankSensorSettings.OilCalibrQuant = 2; });
        kit.Page("tsOil");
        QVERIFY(!kit.Find("seOilCalibrLitArr1")->isHidden());
        QVERIFY(kit.Find("seOilCalibrLitArr2")->isHidden());
        kit.Find<QDoubleSpinBox>("seOilCalibrQuant")->setValue(4);
        QVERIFY(!kit.Find("seOilCalibrResArr3")->isHidden());
        QVERIFY(kit.Find("seOilCalibrResArr4")->isHidden());
        QCOMPARE(kit.Field("OilCalibrQuant"), 2);
    }

    void TankFileButtons() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.rvtnk");
        TEditorDialogKit kit(Points(4));
        kit.Page("tsOil");
        kit.Dialogs.FileAnswers = {path};
        QTest::mouseClick(kit.Find<QPushButton>("bOilSave"), Qt::LeftButton);
        QCOMPARE(QFileInfo(path).size(), 245);

        // A short file: the user is told what it held; the grid shows what it brought.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(60));
        file.close();
        kit.Mk.Record.TankCalibration.TarirLeng = 9;
        kit.Mk.Record.TankCalibration.TarirLitres[0] = 1;
        kit.Dialogs.FileAnswers = {path};
        QTest::mouseClick(kit.Find<QPushButton>("bOilLoad"), Qt::LeftButton);
        QCOMPARE(kit.Dialogs.Texts("Information").size(), 1);
        QVERIFY(kit.Dialogs.Texts("Information")[0].contains("60"));
        QCOMPARE(kit.Field("TarirLeng"), 4);
        QCOMPARE(kit.Field("TarirLitres", 0), 1);
        QCOMPARE(kit.Find<QTableWidget>("sgTarir")->rowCount(), 4);
        QCOMPARE(kit.Find<QDoubleSpinBox>("seTarirLeng")->value(), 4.0);

        // Cancelling does nothing.
        QTest::mouseClick(kit.Find<QPushButton>("bOilLoad"), Qt::LeftButton);
        QCOMPARE(kit.Dialogs.Errors(), QStringList());
    }

    // Saving over an existing tank file asks first; No keeps the file as it was.
    void TankFileSaveOverAnExistingFileAsks() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tank.rvtnk");
        TEditorDialogKit kit(Points(4));
        kit.Page("tsOil");
        kit.Dialogs.FileAnswers = {path, path, path};
        kit.Dialogs.ConfirmAnswers = {false, true};
        const auto save = [&] {
            QTest::mouseClick(kit.Find<QPushButton>("bOilSave"), Qt::LeftButton);
        };
        save(); // a new file: nothing to ask
        QVERIFY(QFile::resize(path, 3));
        save(); // No
        QCOMPARE(QFileInfo(path).size(), 3);
        save(); // Yes
        QCOMPARE(QFileInfo(path).size(), 245);
        QCOMPARE(kit.Dialogs.Texts("Confirm"), QStringList(2, WorkflowTexts::FileExistsQuestion()));
    }

    void DateEdit_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::newRow("typed") << 62 << "01.03.00"
                               << "01.01.01" << 367;
        QTest::newRow("no date kept") << 0 << ""
                                      << "" << 0;
        QTest::newRow("no date typed") << 0 << ""
                                       << "01.01.00" << 2;
    }
    void DateEdit() {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(int, result);
        TEditorDialogKit kit([=](TMK& mk) { mk.Record.ServiceSettings.TO = stored; });
        kit.Page("tsTO");
        auto* edit = kit.Find<QLineEdit>("deTO");
        const QRegularExpression notDigit(QStringLiteral("\\D"));
        QCOMPARE(edit->text().remove(notDigit), QString(shown).remove(notDigit));
        edit->setText(typed);
        TEditorDialogKit::Leave(edit);
        QCOMPARE(kit.Field("TO"), result);
        QVERIFY(kit.Dialogs.Errors().isEmpty());
    }

    void CellEditorLeavingTheGrid() {
        TEditorDialogKit kit(Points(3));
        kit.Page("tsOil");
        kit.Dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(kit.Dialog.get()));
        auto* grid = kit.Find<QTableWidget>("sgTarir");
        grid->setFocus();
        grid->editItem(grid->item(1, 2));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && grid->isAncestorOf(editor));
        QCOMPARE(editor->maxLength(), 4);
        editor->setText("555");
        kit.Find("seLit6L")->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(kit.Field("TarirUnits", 1), 555);
        QVERIFY(!kit.Dialog->Editor().TarirEdited);
    }

    void BlockDoubleClicks() {
        TEditorDialogKit kit;
        auto* all = kit.Find<QTableWidget>("sgAllBlocks");
        auto* chosen = kit.Find<QTableWidget>("sgChosenBlocks");
        kit.Page("tsBlocks");
        QVERIFY(kit.Dialog->Editor().BlocksPageActive);
        const int abs = RowOf(all, "ABS 5.3");
        QVERIFY(abs >= 0);
        const int64_t byte2 = kit.Field("Blocks", 2);
        const bool was = byte2 & 0x20;
        DoubleClick(all, abs);
        QCOMPARE(kit.Field("Blocks", 2), byte2 ^ 0x20);
        QCOMPARE(all->item(abs, 1)->text(), was ? QString() : QStringLiteral("V"));
        if (was)
            DoubleClick(all, abs);
        const int right = RowOf(chosen, "ABS 5.3");
        QVERIFY(right >= 0);
        DoubleClick(chosen, right);
        QCOMPARE(RowOf(chosen, "ABS 5.3"), -1);
        QCOMPARE(kit.Field("Blocks", 2) & 0x20, 0);

        kit.Page("tsOil");
        QVERIFY(!kit.Dialog->Editor().BlocksPageActive);
    }

    // A user's action redraws the pages once: the model tells, nothing else redraws. A
    // control left as it was redraws nothing.
    void EachActionRedrawsOnce_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("action");
        QTest::newRow("check box") << "tsDispMisc"
                                   << "check box";
        QTest::newRow("spin edit left unchanged") << "TabSheet2"
                                                  << "spin edit left";
        QTest::newRow("tank grid left") << "tsOil"
                                        << "tank grid left";
        QTest::newRow("block double click") << "tsBlocks"
                                            << "block double click";
        QTest::newRow("colour element") << "tsColorMenu"
                                        << "colour element";
        QTest::newRow("copy to user") << "tsColorMenu"
                                      << "copy to user";
        QTest::newRow("entering Бак") << "TabSheet2"
                                      << "enter tank";
    }
    void EachActionRedrawsOnce() {
        QFETCH(QString, page);
        QFETCH(QString, action);
        TEditorDialogKit kit(Points(3));
        kit.Page(page);
        int redraws = 0;
        for (std::function<void()>* told :
             {&kit.Editor().RecordChanged, &kit.Dialog->Binder().ShownChanged})
            *told = [&redraws, redraw = *told] {
                ++redraws;
                redraw();
            };
        if (action == "check box") {
            kit.Find<QCheckBox>("cbDispShowTitle")->click();
        } else if (action == "tank grid left") {
            kit.Find<QTableWidget>("sgTarir")->item(0, 1)->setText("77");
            TEditorDialogKit::Leave(kit.Find("sgTarir"));
        } else if (action == "block double click") {
            DoubleClick(kit.Find<QTableWidget>("sgAllBlocks"), 0);
        } else if (action == "colour element") {
            auto* spin = kit.Find<QSpinBox>("seMenu");
            spin->setValue(spin->value() == 7 ? 8 : 7);
        } else if (action == "copy to user") {
            kit.Find<QPushButton>("bCopyToUser")->click();
        } else if (action == "spin edit left") {
            TEditorDialogKit::Leave(kit.Find("seVelocityCorr"));
        } else {
            kit.Page("tsOil");
        }
        QCOMPARE(redraws, action == "spin edit left" ? 0 : 1);
    }
};

QTEST_MAIN(TPagesDialogTest)
#include "tst_pagesdialog.moc"
