// The screen sub-pages, "Горячие меню" and "Разное" of the settings editor dialog, driven
// by object name as a user drives them.
#include "EditorDialogKit.h"

#include "catalog/MeasuredParams.h"
#include "catalog/MenuItems.h"
#include "editing/DisplayTexts.h"
#include "editing/HotMenus.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenEnable.h"
#include "editor/DisplayWidgets.h"
#include "model/Preview.h"

#include <QCheckBox>
#include <QTableWidget>

Q_DECLARE_METATYPE(TScreenKind)

namespace {

// Right dial and chart, left dial and chart, neither, chart only, right dial and chart,
// neither, left dial and chart.
const QList<int> Mixed = {12, 13, 8, 35, 10, 1, 14};

QStringList Names(const TMK& mk, const QList<int>& ids) {
    QStringList names;
    for (int id : ids)
        names << (id ? mk.Catalog.FindMeasParam(id)->Name : DisplayTexts::Absent);
    return names;
}

QImage Drawn(TMK& mk, TScreenKind kind, int display) {
    ScreenChoice::DrawScreen(mk, kind, display);
    return mk.Preview->PreviewSurface;
}

QList<int> HotList(const TMK& mk, int list) {
    QList<int> ids;
    for (int row = 0; row < HotMenus::RowCount; ++row)
        ids << HotMenus::Entry(mk, list, row);
    return ids;
}

QPoint Cell(QTableWidget* grid, int row, int column) {
    return grid->visualRect(grid->model()->index(row, column)).center();
}

} // namespace

class TestDisplayScreens : public QObject {
    Q_OBJECT
private slots:
    void RightClickOpensThePartsMenu_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<TScreenKind>("kind");
        QTest::addColumn<int>("display");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("part");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("x4 bottom right")
            << "tsDisp4_2" << TScreenKind::Four << 4 << QPoint(250, 200) << 3 << Mixed;
        QTest::newRow("x9 middle")
            << "tsDisp9" << TScreenKind::Nine << 1 << QPoint(150, 120) << 4 << Mixed;
        // Top-left two-thirds are the big value.
        QTest::newRow("x7 last row")
            << "tsDisp7_2" << TScreenKind::Seven << 3 << QPoint(10, 239) << 6 << Mixed;
        QTest::newRow("x6 big value")
            << "tsDisp6" << TScreenKind::Six << 0 << QPoint(100, 100) << 0 << Mixed;
        QTest::newRow("x6 bottom right")
            << "tsDisp6" << TScreenKind::Six << 0 << QPoint(300, 200) << 5 << Mixed;
        QTest::newRow("graph upper") << "tsDispGraph_1" << TScreenKind::Graph << 0 << QPoint(50, 10)
                                     << 0 << QList<int>{12, 13, 35, 10, 14};
        QTest::newRow("graph lower") << "tsDispGraph_3" << TScreenKind::Graph << 7
                                     << QPoint(50, 100) << 1 << QList<int>{0, 12, 13, 35, 10, 14};
        QTest::newRow("gauge right") << "tsDispArrow_1" << TScreenKind::Arrow << 1
                                     << QPoint(300, 50) << 1 << QList<int>{12, 10};
    }
    void RightClickOpensThePartsMenu() {
        QFETCH(QString, page);
        QFETCH(TScreenKind, kind);
        QFETCH(int, display);
        QFETCH(QPoint, at);
        QFETCH(int, part);
        QFETCH(QList<int>, ids);
        TEditorDialogKit kit;
        kit.UseProtocol(Mixed);
        const int current = ids.last();
        const int picked = ids.first();
        ScreenChoice::StoreId(kit.Mk, kind, display, part, current);
        kit.Dialog->SelectPage(page);
        auto* box = kit.Find<TPreviewBox>(ScreenChoice::BoxName(kind, display));
        QCOMPARE(box->Image(), Drawn(kit.Mk, kind, display));

        QTest::mouseClick(box, Qt::RightButton, {}, at);
        QMenu* menu = kit.TakeMenu();
        QVERIFY(menu);
        QCOMPARE(ActionTexts(menu), Names(kit.Mk, ids));
        QCOMPARE(CheckedTexts(menu), Names(kit.Mk, {current}));
        QCOMPARE(kit.Editor().PopupList, display);
        QCOMPARE(kit.Editor().PopupSlot, part);

        const QImage before = box->Image();
        ActionNamed(menu, Names(kit.Mk, {picked}).first())->trigger();
        QCOMPARE(ScreenChoice::StoredId(kit.Mk, kind, display, part), picked);
        QCOMPARE(box->Image(), Drawn(kit.Mk, kind, display));
        QVERIFY(box->Image() != before);

        // The next click shows the new choice checked.
        QTest::mouseClick(box, Qt::RightButton, {}, at);
        QCOMPARE(CheckedTexts(kit.TakeMenu()), Names(kit.Mk, {picked}));
    }

    // Without a test's opener the menu pops up and the click returns at once.
    void MenuPopsUpWithoutBlocking() {
        TEditorDialogKit kit;
        DisplayParts::SetMenuOpener({});
        kit.Dialog->SelectPage(QStringLiteral("tsDisp4_1"));
        kit.Dialog->show();
        QTest::mouseClick(kit.Find(QStringLiteral("pbDigit4_2")), Qt::RightButton, {},
                          QPoint(10, 10));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("pmScreenParams"));
        QAction* last = menu->actions().last();
        menu->hide();
        last->trigger();
        QCOMPARE(int(kit.Display().Screens4[1][0]), last->data().toInt());
    }

    void ClicksThatOpenNothing_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("left click") << "tsDisp9"
                                    << "pbDigit9_1" << Qt::LeftButton << QPoint(10, 10);
        QTest::newRow("graph below its curves")
            << "tsDispGraph_2"
            << "pbGraph_5" << Qt::RightButton << QPoint(100, 200);
    }
    void ClicksThatOpenNothing() {
        QFETCH(QString, page);
        QFETCH(QString, box);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        TEditorDialogKit kit;
        kit.Dialog->SelectPage(page);
        kit.Editor().PopupList = 7;
        QTest::mouseClick(kit.Find(box), button, {}, at);
        QVERIFY(!kit.TakeMenu());
        QCOMPARE(kit.Editor().PopupList, 7);
    }

    void HotMenuInsertDeleteClear() {
        TEditorDialogKit kit([](TMK& mk) {
            const uint16_t ids[10] = {3, 0, 5, 6, 0, 0, 9, 0, 0, 0};
            for (int r = 0; r < 10; ++r)
                mk.Record.DisplaySettings.HotMenus[0][r] = ids[r];
        });
        // Opening compacts the lists.
        QCOMPARE(HotList(kit.Mk, 0), (QList<int>{3, 5, 6, 9, 0, 0, 0, 0, 0, 0}));
        kit.Dialog->SelectPage(QStringLiteral("tsHotMenu"));
        auto* grid = kit.Find<QTableWidget>(QStringLiteral("sghmParams"));
        QCOMPARE(grid->item(1, 1)->text(), HotMenus::Caption(kit.Mk.Catalog, 5));

        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Cell(grid, 2, 1));
        QMenu* rowMenu = kit.TakeMenu();
        QVERIFY(rowMenu);
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(kit.Editor().PopupList, 0);
        QCOMPARE(kit.Editor().PopupSlot, 2);

        ActionNamed(rowMenu, DisplayTexts::InsertItem)->trigger();
        QMenu* insert = kit.TakeMenu();
        QVERIFY(insert);
        QMenu* display = ActionNamed(insert, QStringLiteral("Дисплей"))->menu();
        QMenu* arrows = ActionNamed(display, QStringLiteral("Стрелочные"))->menu();
        const TMKMenuItem* item =
            kit.Mk.Catalog.FindMenuItem(QStringLiteral("DispShowArrowMethMenu"));
        QCOMPARE(ActionTexts(arrows), QStringList{item->Caption});
        arrows->actions().first()->trigger();
        QCOMPARE(HotList(kit.Mk, 0), (QList<int>{3, 5, item->Id, 6, 9, 0, 0, 0, 0, 0}));
        QCOMPARE(grid->item(2, 1)->text(), item->Caption);

        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Cell(grid, 0, 0));
        ActionNamed(kit.TakeMenu(), DisplayTexts::DeleteItem)->trigger();
        QCOMPARE(HotList(kit.Mk, 0), (QList<int>{5, item->Id, 6, 9, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(grid->item(0, 1)->text(), HotMenus::Caption(kit.Mk.Catalog, 5));

        const QList<int> parking = HotList(kit.Mk, 3);
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Cell(grid, 7, 1));
        ActionNamed(kit.TakeMenu(), DisplayTexts::ClearList)->trigger();
        QCOMPARE(HotList(kit.Mk, 0), QList<int>(10, 0));
        QCOMPARE(HotList(kit.Mk, 3), parking);
        QCOMPARE(grid->item(0, 1)->text(), QString());
    }

    void HotMenuInsertIntoAFullListDropsTheLast() {
        TEditorDialogKit kit([](TMK& mk) {
            for (int r = 0; r < 10; ++r)
                mk.Record.DisplaySettings.HotMenus[2][r] = uint16_t(r + 1);
        });
        kit.Dialog->SelectPage(QStringLiteral("tsHotMenu"));
        auto* grid = kit.Find<QTableWidget>(QStringLiteral("sghmTax"));
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Cell(grid, 3, 1));
        ActionNamed(kit.TakeMenu(), DisplayTexts::InsertItem)->trigger();
        QMenu* insert = kit.TakeMenu();
        QCOMPARE(insert->actions().size(), 27);
        const TMKMenuItem* item = kit.Mk.Catalog.FindMenuItem(QStringLiteral("TaxTarifNumMenu"));
        ActionNamed(insert, item->Caption)->trigger();
        QCOMPARE(HotList(kit.Mk, 2), (QList<int>{1, 2, 3, item->Id, 4, 5, 6, 7, 8, 9}));
    }

    void HotMenuDrag_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("result");
        QTest::newRow("down") << 1 << 0 << 4 << QList<int>{1, 3, 4, 5, 2, 6, 0, 0, 0, 0};
        QTest::newRow("up") << 5 << 0 << 0 << QList<int>{6, 1, 2, 3, 4, 5, 0, 0, 0, 0};
        QTest::newRow("caption column does not drag")
            << 1 << 1 << 4 << QList<int>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0};
    }
    void HotMenuDrag() {
        QFETCH(int, from);
        QFETCH(int, column);
        QFETCH(int, to);
        QFETCH(QList<int>, result);
        TEditorDialogKit kit([](TMK& mk) {
            for (int r = 0; r < 10; ++r)
                mk.Record.DisplaySettings.HotMenus[1][r] = uint16_t(r < 6 ? r + 1 : 0);
        });
        kit.Dialog->SelectPage(QStringLiteral("tsHotMenu"));
        auto* grid = kit.Find<QTableWidget>(QStringLiteral("sghmAver"));
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, Cell(grid, from, column));
        QTest::mouseMove(grid->viewport(), Cell(grid, to, 1));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, Cell(grid, to, 1));
        QCOMPARE(HotList(kit.Mk, 1), result);
        QCOMPARE(grid->item(0, 1)->text(), HotMenus::Caption(kit.Mk.Catalog, uint16_t(result[0])));
    }

    // "Разное": the x1 boxes in five columns of eight, as many as the protocol's parameters.
    void OneValueBoxesInFiveColumns() {
        TEditorDialogKit kit;
        kit.UseProtocol({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 16,
                         17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
                         31, 32, 33, 35, 36, 37, 38, 39, 41, 42, 43, 44, 45});
        kit.Dialog->SelectPage(QStringLiteral("tsDispMisc"));
        kit.Dialog->show();
        QApplication::processEvents();
        auto box = [&](int k) { return kit.Find<QCheckBox>(ScreenEnable::BoxName('1', k)); };
        for (int k = 0; k < ScreenEnable::OneValueBoxes; ++k) {
            QVERIFY(box(k)->isVisible());
            QCOMPARE(box(k)->text(),
                     kit.Mk.Catalog.FindMeasParam(kit.Editor().Protocol().ParamIds[std::size_t(k)])
                         ->Name);
            QCOMPARE(box(k)->x(), box(k / 8 * 8)->x());
            QCOMPARE(box(k)->y(), box(k % 8)->y());
            if (k >= 8)
                QVERIFY(box(k)->x() > box(k - 8)->x());
        }
        QVERIFY(!kit.Dialog->findChild<QCheckBox*>(ScreenEnable::BoxName('1', 40)));

        const uint64_t before = kit.Display().ShowDisp1;
        QTest::mouseClick(box(35), Qt::LeftButton, {}, QPoint(8, box(35)->height() / 2));
        QCOMPARE(+kit.Display().ShowDisp1, before ^ uint64_t(1) << 35);
        QCOMPARE(box(35)->isChecked(), bool(kit.Display().ShowDisp1 >> 35 & 1));

        kit.UseProtocol({17, 16, 12});
        QVERIFY(box(2)->isVisible());
        QVERIFY(!box(3)->isVisible());
        QCOMPARE(box(0)->text(), kit.Mk.Catalog.FindMeasParam(17)->Name);
        QCOMPARE(kit.Display().ShowDisp1 & ~uint64_t(7) & ((uint64_t(1) << 40) - 1), uint64_t(0));
    }
};

QTEST_MAIN(TestDisplayScreens)
#include "tst_displayscreens.moc"
