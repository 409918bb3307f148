// Undo, redo and the change markers in the settings editor dialog, as a user meets them:
// Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z and the two buttons; an edit's own undo while it holds typing;
// the page tabs and control labels marked with a change and unmarked with its undo; the list
// of changes with "Вернуть" and a double click that goes to the setting.
#include "editing/ColorSchemes.h"
#include "editor/Binder.h"
#include "editor/ChangeMarkers.h"

#include "EditorDialogKit.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString Velocity = QStringLiteral("seVelocityCorr");
const QString ShowTitle = QStringLiteral("cbDispShowTitle");

struct TKit : TEditorDialogKit {
    TKit() { QApplication::setActiveWindow(Dialog.get()); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QByteArray Bytes() const {
        return QByteArray(reinterpret_cast<const char*>(&Mk.Record), sizeof Mk.Record);
    }
    // Types a value into a spin edit and leaves it, as the user does.
    void Type(const QString& name, double value) {
        auto* spin = Find<QDoubleSpinBox>(name);
        spin->findChild<QLineEdit*>()->setText(
            spin->locale().toString(value, 'f', spin->decimals()));
        Leave(spin);
    }
    // The tab of a page in the page control holding it.
    std::pair<QTabBar*, int> Tab(const QString& page) const {
        QWidget* sheet = Dialog->Sheet(page);
        auto* pages = qobject_cast<QTabWidget*>(sheet->parentWidget()->parentWidget());
        return {pages->tabBar(), pages->indexOf(sheet)};
    }
    bool TabMarked(const QString& page) const {
        const auto [bar, index] = Tab(page);
        return bar->tabTextColor(index).isValid() && !bar->tabToolTip(index).isEmpty();
    }
};

void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(w, key, mods);
}

QTreeWidget* ListOf(QDialog& dialog) {
    return dialog.findChild<QTreeWidget*>(QStringLiteral("lvChanges"));
}

} // namespace

class TestEditorHistory : public QObject {
    Q_OBJECT

private slots:
    void keysAndButtonsUndoAndRedo();
    void typingKeepsTheEditsOwnUndo();
    void markersComeAndGoWithAChange();
    void changesListRevertsAndGoes();
    void bottomRowReadsInOrder();
};

void TestEditorHistory::keysAndButtonsUndoAndRedo() {
    TKit kit;
    QPushButton* undo = kit.Button("bUndo");
    QPushButton* redo = kit.Button("bRedo");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    const QByteArray opened = kit.Bytes();
    kit.Page(QStringLiteral("tsDispMisc"));
    auto* box = kit.Find<QCheckBox>(ShowTitle);
    const bool was = box->isChecked();
    box->click();
    const QByteArray changed = kit.Bytes();
    QVERIFY(changed != opened);
    QVERIFY(undo->isEnabled() && !redo->isEnabled());

    Key(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(kit.Bytes(), opened);
    QCOMPARE(box->isChecked(), was);
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    Key(box, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(kit.Bytes(), changed);
    QCOMPARE(box->isChecked(), !was);
    undo->click();
    QCOMPARE(kit.Bytes(), opened);
    Key(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(kit.Bytes(), changed);
    undo->click();
    redo->click();
    QCOMPARE(kit.Bytes(), changed);
    QVERIFY(kit.Dialogs.Prompts.isEmpty());
}

// Typing not yet stored: Ctrl+Z is the edit's own, the editor's history stays as it was.
void TestEditorHistory::typingKeepsTheEditsOwnUndo() {
    TKit kit;
    kit.Type(Velocity, 7);
    const QByteArray stored = kit.Bytes();
    auto* spin = kit.Find<QDoubleSpinBox>(Velocity);
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(spin, QStringLiteral("12"));
    QCOMPARE(spin->cleanText(), QStringLiteral("12"));
    Key(spin, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(spin->cleanText() != QStringLiteral("12"));
    QCOMPARE(kit.Bytes(), stored);
    QVERIFY(kit.Editor().CanUndo() && !kit.Editor().CanRedo());

    auto* find = kit.Find<QLineEdit>(QStringLiteral("eFindSetting"));
    QTest::keyClicks(find, QStringLiteral("ab"));
    Key(find, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(find->text() != QStringLiteral("ab"));
    QCOMPARE(kit.Bytes(), stored);
    QVERIFY(kit.Editor().CanUndo());

    // Once the typed value is back to the stored one, Ctrl+Z is the editor's again.
    spin->setValue(7);
    Key(spin, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!kit.Editor().CanUndo());
}

// A change marks its control and every tab above it; its undo takes the marks away.
void TestEditorHistory::markersComeAndGoWithAChange() {
    TKit kit;
    QLabel* label = kit.Dialog->Binder().Label(Velocity);
    const QString caption = kit.Tab(QStringLiteral("TabSheet2"))
                                .first->tabText(kit.Tab(QStringLiteral("TabSheet2")).second);
    const QString before = kit.Find<QDoubleSpinBox>(Velocity)->text();
    QVERIFY(!label->font().bold() && !kit.TabMarked(QStringLiteral("TabSheet2")));
    kit.Type(Velocity, 9);
    QVERIFY(label->font().bold());
    QCOMPARE(label->toolTip(), TChangeMarkers::ControlTip(before));
    QVERIFY(kit.TabMarked(QStringLiteral("TabSheet2")));
    const auto [bar, index] = kit.Tab(QStringLiteral("TabSheet2"));
    QCOMPARE(bar->tabText(index), caption);
    QCOMPARE(bar->tabToolTip(index), TChangeMarkers::PageTip(1));

    // A colour of the menu grid: its sub-page, the colour pages and "Дисплей".
    const int element = ColorSchemes::ElementIndex(kit.Mk, TColorGrid::Menu, 0);
    kit.Editor().Change(
        [&] { ColorSchemes::StoreElementIndex(kit.Mk, TColorGrid::Menu, 0, (element + 1) % 16); });
    for (const char* page : {"tsColorMenu", "tsColors", "tsDisp"})
        QVERIFY2(kit.TabMarked(QString::fromLatin1(page)), page);
    QVERIFY(!kit.TabMarked(QStringLiteral("tsColorGraph")));

    kit.Button("bUndo")->click();
    QVERIFY(!kit.TabMarked(QStringLiteral("tsDisp")));
    QVERIFY(kit.TabMarked(QStringLiteral("TabSheet2")));
    kit.Button("bUndo")->click();
    QVERIFY(!label->font().bold() && label->toolTip().isEmpty());
    QVERIFY(!kit.TabMarked(QStringLiteral("TabSheet2")));
    kit.Button("bRedo")->click();
    QVERIFY(label->font().bold());
}

// The list holds every change; "Вернуть" puts the selected one back as one undo step; a
// double click closes the list on the setting.
void TestEditorHistory::changesListRevertsAndGoes() {
    TKit kit;
    kit.Type(Velocity, 9);
    kit.Page(QStringLiteral("tsDispMisc"));
    kit.Find<QCheckBox>(ShowTitle)->click();
    const QByteArray changed = kit.Bytes();
    QStringList seen;
    bool revertWaited = false;
    int left = -1;
    kit.Dialogs.ExecAnswers.append([&](QDialog& dialog) {
        QTreeWidget* list = ListOf(dialog);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            seen << list->topLevelItem(i)->text(0);
        auto* revert = dialog.findChild<QPushButton*>(QStringLiteral("bRevert"));
        revertWaited = !revert->isEnabled(); // for a selection
        list->topLevelItem(0)->setSelected(true);
        revert->click();
        left = list->topLevelItemCount();
        return int(QDialog::Rejected);
    });
    kit.Find<QPushButton>(QStringLiteral("bChanges"))->click();
    QCOMPARE(seen.size(), 2);
    QVERIFY(revertWaited);
    QVERIFY(seen[0].startsWith(QStringLiteral("Поправки › ")));
    QCOMPARE(left, 1);
    QVERIFY(!kit.Dialog->Binder().Label(Velocity)->font().bold());
    kit.Button("bUndo")->click();
    QCOMPARE(kit.Bytes(), changed);

    kit.Dialogs.ExecAnswers.append([](QDialog& dialog) {
        QTreeWidget* list = ListOf(dialog);
        QTreeWidgetItem* first = list->topLevelItem(0);
        emit list->itemDoubleClicked(first, 0);
        return dialog.result();
    });
    kit.Find<QPushButton>(QStringLiteral("bChanges"))->click();
    QCOMPARE(kit.Dialog->PageControl(QStringLiteral("pcMain"))->currentWidget()->objectName(),
             QStringLiteral("TabSheet2"));
    QVERIFY(kit.Find(Velocity)->hasFocus());
    QCOMPARE(kit.Dialogs.Unanswered, 0);
}

void TestEditorHistory::bottomRowReadsInOrder() {
    TKit kit;
    kit.Find(QStringLiteral("pButtons"))->layout()->activate();
    const QStringList names = {"eFindSetting",   "bUndo", "bRedo",  "bChanges",
                               "bSettingsSheet", "bOK",   "bCancel"};
    int left = -1;
    for (const QString& name : names) {
        QWidget* w = kit.Find(name);
        QVERIFY2(w->x() > left, qPrintable(name));
        left = w->x();
        if (name == u"bUndo" || name == u"bRedo" || name == u"bChanges")
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(name));
    }
    for (qsizetype i = 1; i < names.size(); ++i)
        QCOMPARE(kit.Find(names[i - 1])->nextInFocusChain(), kit.Find(names[i]));
    QCOMPARE(kit.Button("bUndo")->text(), QStringLiteral("Отменить"));
    QCOMPARE(kit.Button("bRedo")->text(), QStringLiteral("Повторить"));
    QCOMPARE(kit.Button("bChanges")->text(), QStringLiteral("Изменения…"));
}

QTEST_MAIN(TestEditorHistory)
#include "tst_editorhistory.moc"
