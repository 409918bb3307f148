// The settings editor by keyboard and as assistive technology sees it: Tab walks each page
// in visual order and every stop has a name; Ctrl+PgDn/Ctrl+PgUp step the pages of the
// focus's level from any control without touching its value; Ctrl+F reaches the find field.
#include "catalog/MenuItems.h"
#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "EditorDialogKit.h"

#include <QAccessible>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

// The shared editor kit, its dialog active, with the page controls' view of the focus.
struct TDialogKit : TEditorDialogKit {
    TDialogKit() { QApplication::setActiveWindow(Dialog.get()); }
    QTabWidget* Holder(const QString& page) const {
        return qobject_cast<QTabWidget*>(Dialog->Sheet(page)->parentWidget()->parentWidget());
    }
    QString CurrentPage(const QString& pageControl) const {
        return Dialog->PageControl(pageControl)->currentWidget()->objectName();
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
};

QString NameOf(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The row control a stop belongs to (a radio button belongs to its group).
QWidget* RowControl(QWidget* w, QWidget* sheet) {
    for (; w && w != sheet; w = w->parentWidget())
        if (w->property("mkRow").isValid())
            return w;
    return nullptr;
}

bool HasChildPages(const QString& page) {
    for (const TPageInfo& p : PageTree())
        if (p.Parent == page)
            return true;
    return false;
}

// Tab from the page's tabs until the focus leaves the sheet.
QWidgetList WalkPage(TDialogKit& kit, const QString& page) {
    QWidget* sheet = kit.Dialog->Sheet(page);
    kit.Dialog->SelectPage(page);
    kit.Holder(page)->tabBar()->setFocus(Qt::TabFocusReason);
    QWidgetList stops;
    for (int i = 0; i < 400; ++i) {
        QTest::keyClick(kit.Focus(), Qt::Key_Tab);
        QWidget* f = kit.Focus();
        if (!f || !sheet->isAncestorOf(f) || stops.contains(f))
            break;
        stops.append(f);
    }
    return stops;
}

} // namespace

class TestEditorKeyboard : public QObject {
    Q_OBJECT
    // The walks share one editor: each selects its page and only moves the focus.
    std::unique_ptr<TDialogKit> Walked;

private slots:
    void cleanupTestCase() { Walked.reset(); }
    void tabWalksThePageInVisualOrderAndNamesEveryStop_data();
    void tabWalksThePageInVisualOrderAndNamesEveryStop();
    void ctrlPageKeysStepTheFocusLevelAndLeaveValues_data();
    void ctrlPageKeysStepTheFocusLevelAndLeaveValues();
    void ctrlFGoesToTheFindField();
};

void TestEditorKeyboard::tabWalksThePageInVisualOrderAndNamesEveryStop_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("first"); // the first stops with object names, in order
    const QHash<QString, QStringList> first = {
        {"TabSheet2", {"seVelocityCorr", "seExpenseCorr", "seGazExpenseCorr"}},
        {"tsVoice", {"seAlarmVelSecNoSayMax", "seSayParamPeriod", "seSoundVolume"}},
        {"tsTO", {"seAirFiltCntK", "cbAirFiltCntK", "seKPPOilCntK", "cbKPPOilCntK"}},
    };
    for (const TPageInfo& page : PageTree())
        if (!HasChildPages(page.Name) && page.Name != QLatin1String("tsServiceInfo"))
            QTest::newRow(qPrintable(page.Name)) << page.Name << first.value(page.Name);
}

void TestEditorKeyboard::tabWalksThePageInVisualOrderAndNamesEveryStop() {
    QFETCH(QString, page);
    QFETCH(QStringList, first);
    if (!Walked)
        Walked = std::make_unique<TDialogKit>();
    TDialogKit& kit = *Walked;
    if (!kit.Dialog->Editor().PageVisible(page))
        QSKIP("page hidden for this device");
    QWidget* sheet = kit.Dialog->Sheet(page);
    const QWidgetList stops = WalkPage(kit, page);
    const TSettingsEditor& editor = kit.Dialog->Editor();

    // Every shown, enabled control of the page's rows is reached.
    QSet<QWidget*> reached;
    for (QWidget* stop : stops)
        reached.insert(RowControl(stop, sheet));
    for (const TControlRow& row : editor.Rows()) {
        QWidget* control = kit.Find(row.Name);
        if (row.Page == page && control->isVisible() && control->isEnabled())
            QVERIFY2(reached.contains(control), qPrintable(row.Name + " never reached"));
    }
    QStringList named;
    for (QWidget* stop : stops)
        if (!stop->objectName().isEmpty() && named.size() < first.size())
            named << stop->objectName();
    QCOMPARE(named, first);

    // Columns top to bottom, left to right: the walk goes up only into a column further
    // right, and left only onto a line further down.
    constexpr int Slack = 4;
    for (int i = 1; i < stops.size(); ++i) {
        const QRect a(stops[i - 1]->mapTo(sheet, QPoint()), stops[i - 1]->size());
        const QRect b(stops[i]->mapTo(sheet, QPoint()), stops[i]->size());
        const QString step = stops[i - 1]->objectName() + " -> " + stops[i]->objectName();
        if (b.top() < a.top() - Slack)
            QVERIFY2(b.left() > a.left() + Slack, qPrintable("up and not right: " + step));
        if (b.left() < a.left() - Slack)
            QVERIFY2(b.top() > a.top() + Slack, qPrintable("left and not down: " + step));
    }

    // Each stop is named: a row's control by its caption (or its label), others at all. (On
    // Linux a list reports its item as its name and its label by relation, so the rows are
    // checked by the name they carry.)
    for (QWidget* stop : stops) {
        QVERIFY2(!NameOf(stop).trimmed().isEmpty(),
                 qPrintable(stop->objectName() + " has no name"));
        const TControlRow* row = editor.Row(stop->objectName());
        if (!row)
            continue;
        // A line number on the label ("1") stands for the caption ("1, литры").
        const QString name = stop->accessibleName();
        if (!editor.Caption(row->Name).isEmpty())
            QCOMPARE(name, editor.Caption(row->Name));
        else if (QLabel* label = kit.Dialog->Binder().Label(row->Name);
                 label && !label->text().isEmpty())
            QCOMPARE(name, label->text());
    }
}

void TestEditorKeyboard::ctrlPageKeysStepTheFocusLevelAndLeaveValues_data() {
    QTest::addColumn<QString>("page");    // shown first
    QTest::addColumn<QString>("control"); // focused; empty: the page's tabs
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("level");    // the page control that steps
    QTest::addColumn<QString>("expected"); // its page afterwards
    QTest::newRow("spin edit, next") << "TabSheet2"
                                     << "seVelocityCorr" << int(Qt::Key_PageDown) << "pcMain"
                                     << "tsCorr";
    QTest::newRow("spin edit, back wraps to the last shown")
        << "TabSheet2"
        << "seTimeCorr" << int(Qt::Key_PageUp) << "pcMain"
        << "tsBlocks";
    QTest::newRow("list") << "tsCorr"
                          << "cbTankMeth" << int(Qt::Key_PageUp) << "pcMain"
                          << "TabSheet2";
    QTest::newRow("check box") << "tsAver"
                               << "cbTripShowFlag" << int(Qt::Key_PageDown) << "pcMain"
                               << "tsPark";
    QTest::newRow("grid beside sub-pages") << "tsColorDigit"
                                           << "sgDigit" << int(Qt::Key_PageDown) << "pcColorDisp"
                                           << "tsColorMenu";
    QTest::newRow("tabs of a sub-level") << "tsDisp4_1"
                                         << "" << int(Qt::Key_PageDown) << "pcDisp4"
                                         << "tsDisp4_2";
    QTest::newRow("date edit") << "tsTO"
                               << "deTO" << int(Qt::Key_PageDown) << "pcMain"
                               << "tsBlocks";
    // "Унив.вход" and "Служ.информ." are hidden for the factory device.
    QTest::newRow("grid, skips hidden pages and wraps")
        << "tsBlocks"
        << "sgAllBlocks" << int(Qt::Key_PageDown) << "pcMain"
        << "TabSheet2";
}

void TestEditorKeyboard::ctrlPageKeysStepTheFocusLevelAndLeaveValues() {
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, level);
    QFETCH(QString, expected);
    TDialogKit kit;
    const TSettingsEditor& editor = kit.Dialog->Editor();
    QVERIFY(editor.PageVisible(page) && editor.PageVisible(expected));
    QVERIFY(!editor.PageVisible(QStringLiteral("tsUniMeas")));
    kit.Dialog->SelectPage(page);
    QWidget* target = control.isEmpty() ? kit.Holder(page)->tabBar() : kit.Find(control);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(kit.Focus(), target);
    auto* spin = qobject_cast<QDoubleSpinBox*>(target);
    const double before = spin ? spin->value() : 0;
    const QByteArray record(reinterpret_cast<const char*>(&kit.Mk.Record), sizeof kit.Mk.Record);

    QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(kit.CurrentPage(level), expected);
    // The focus stays on the level: the same keys keep stepping it.
    QCOMPARE(kit.Focus(), kit.Dialog->PageControl(level)->tabBar());
    if (spin)
        QCOMPARE(spin->value(), before);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&kit.Mk.Record), sizeof kit.Mk.Record),
             record);

    const int back = key == Qt::Key_PageDown ? Qt::Key_PageUp : Qt::Key_PageDown;
    QTest::keyClick(kit.Focus(), Qt::Key(back), Qt::ControlModifier);
    QCOMPARE(kit.CurrentPage(level),
             kit.Holder(page) == kit.Dialog->PageControl(level) ? page : kit.CurrentPage(level));
    // Plain PgDn still belongs to the spin edit.
    if (spin) {
        kit.Dialog->SelectPage(page);
        spin->setFocus(Qt::TabFocusReason);
        QTest::keyClick(spin, Qt::Key_PageDown);
        QCOMPARE(spin->value(), std::max(spin->minimum(), before - 10 * spin->singleStep()));
    }
}

void TestEditorKeyboard::ctrlFGoesToTheFindField() {
    TDialogKit kit;
    auto* find = kit.Find<QLineEdit>(QStringLiteral("eFindSetting"));
    find->setText(QStringLiteral("скор"));
    for (const char* page : {"TabSheet2", "tsColorDig17"}) {
        kit.Dialog->SelectPage(QLatin1String(page));
        QWidget* start = QLatin1String(page) == QLatin1String("TabSheet2")
                             ? kit.Find(QStringLiteral("seVelocityCorr"))
                             : kit.Find(QStringLiteral("sgDigit"));
        start->setFocus(Qt::TabFocusReason);
        find->deselect();
        QTest::keyClick(start, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(kit.Focus(), find);
        QCOMPARE(find->selectedText(), QStringLiteral("скор"));
    }
    // From the find field itself too, and the page stays put.
    const QString shown = kit.CurrentPage(QStringLiteral("pcMain"));
    QTest::keyClick(find, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(kit.Focus(), find);
    QCOMPARE(kit.CurrentPage(QStringLiteral("pcMain")), shown);
}

QTEST_MAIN(TestEditorKeyboard)
#include "tst_editor_keyboard.moc"
