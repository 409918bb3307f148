// The progress window of every transfer.
#include "app/Progress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

class TestProgressForm : public QObject {
    Q_OBJECT
private slots:
    void looksAsTheProgramShowsIt() {
        TProgressForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Progress..."));
        QCOMPARE(form.minimumSize(), QSize(261, 113));
        QCOMPARE(form.maximumSize(), QSize(261, 113));
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QCOMPARE(form.ProgressLabel->text(), QStringLiteral("Прогресс"));
        QVERIFY(form.ProgressLabel->wordWrap());
        QCOMPARE(form.ProgressLabel->alignment(), Qt::AlignCenter);
        QCOMPARE(form.ProgressGauge->minimum(), 0);
        QCOMPARE(form.ProgressGauge->maximum(), 100);
        QCOMPARE(form.ProgressGauge->value(), 0);
        QVERIFY(form.ProgressGauge->isTextVisible());
        QVERIFY(!form.Cancelled());
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), form.BitBtn1);
    }

    void controlsRunTopToBottom() {
        TProgressForm form;
        form.ShowModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.ProgressLabel->geometry().bottom() < form.ProgressGauge->geometry().top());
        QVERIFY(form.ProgressGauge->geometry().bottom() < form.BitBtn1->mapTo(&form, QPoint()).y());
        const QRect button(form.BitBtn1->mapTo(&form, QPoint()), form.BitBtn1->size());
        QVERIFY(form.rect().contains(button));
        form.ShowPhase(QStringLiteral("Не могу подключиться к МК..."), false);
        QVERIFY(form.ProgressLabel->height() >=
                form.ProgressLabel->heightForWidth(form.ProgressLabel->width()));
    }

    void isModelessAndCentredOnItsOwner() {
        QWidget owner;
        owner.setGeometry(200, 150, 810, 401);
        owner.show();
        TProgressForm form(&owner);
        form.ShowModeless();
        QVERIFY(form.isVisible());
        QVERIFY(!form.isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(owner.isEnabled());
        const QPoint offset = form.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY(offset.manhattanLength() <= 3); // halves of odd sizes
    }

    void cancelButtonSetsCancelledForGood() {
        TProgressForm form;
        form.ShowModeless();
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(form.Cancelled());
        QVERIFY(form.isVisible()); // the transfer ends the window, not the button
        form.ShowPhase(QStringLiteral("Чтение настроек..."), true);
        QVERIFY(form.Cancelled());
    }

    void escapeAndCloseCountAsCancel_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close request") << false;
    }
    void escapeAndCloseCountAsCancel() {
        QFETCH(bool, byEscape);
        TProgressForm form;
        form.ShowModeless();
        if (byEscape)
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            form.close();
        QVERIFY(form.Cancelled());
        QVERIFY(form.isVisible());
    }

    void phasesSetLabelAndGauge() {
        TProgressForm form;
        form.ShowModeless();
        form.ShowPhase(QStringLiteral("Не могу подключиться к МК..."), false);
        QCOMPARE(form.ProgressLabel->text(), QStringLiteral("Не могу подключиться к МК..."));
        QVERIFY(!form.ProgressGauge->isVisible());
        form.ShowPhase(QStringLiteral("Чтение настроек..."), true);
        QVERIFY(form.ProgressGauge->isVisible());
        QCOMPARE(form.ProgressGauge->value(), 0);
        form.SetGauge(51);
        QCOMPARE(form.ProgressGauge->value(), 51);
        form.ShowPhase(QStringLiteral("Запись настроек..."), true);
        QCOMPARE(form.ProgressGauge->value(), 0);
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progressform.moc"
