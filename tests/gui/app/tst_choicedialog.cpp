// The list with a tick for each change before a write: lines of a group tick together, and
// scripted handlers untick as the dialog does.
#include "app/ChoiceDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestChoiceDialog : public QObject {
    Q_OBJECT

    const Dialogs::TChoiceRequest Request{
        "Изменения в МК (было → станет):",
        {"Источники › Протокол: M74CAN → CAN", "Источники › Подтип 1: 1+2 → ",
         "Границы › Скорость, км/час: 90 → 100", "Горячие меню (HotMenus): изменено элементов: 1"},
        {{0, 1}, {2}, {3}},
        "Записать эти изменения в МК?"};

private slots:
    void linesOfAGroupTickTogether_data() {
        QTest::addColumn<QList<int>>("unticked");
        QTest::addColumn<QList<int>>("ticked");
        QTest::newRow("nothing") << QList<int>{} << QList<int>{0, 1, 2, 3};
        QTest::newRow("a line alone") << QList<int>{2} << QList<int>{0, 1, 3};
        QTest::newRow("a group's second line") << QList<int>{1} << QList<int>{2, 3};
        QTest::newRow("everything") << QList<int>{0, 2, 3} << QList<int>{};
    }
    void linesOfAGroupTickTogether() {
        QFETCH(QList<int>, unticked);
        QFETCH(QList<int>, ticked);
        TChoiceDialog dialog(Request);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Confirm"));
        QCOMPARE(dialog.findChild<QLabel*>("lQuestion")->text(), Request.Question);
        QCOMPARE(dialog.bYes->text() + dialog.bNo->text(), QStringLiteral("&Yes&No"));
        QCOMPARE(dialog.lbChanges->item(2)->text(), Request.Lines[2]);
        for (const int line : unticked)
            dialog.lbChanges->item(line)->setCheckState(Qt::Unchecked);
        QCOMPARE(dialog.Ticked(), ticked);
        QCOMPARE(Request.TickedWithout(unticked), ticked);
        for (const int line : unticked)
            dialog.lbChanges->item(line)->setCheckState(Qt::Checked);
        QCOMPARE(dialog.Ticked(), (QList<int>{0, 1, 2, 3}));
        dialog.bNo->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestChoiceDialog)
#include "tst_choicedialog.moc"
