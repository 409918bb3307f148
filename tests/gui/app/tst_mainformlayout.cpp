// The main window's controls, captions, groups and places.
#include "MainFormKit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace {

QRect InForm(const QWidget* widget, const QWidget* form) {
    return QRect(widget->mapTo(form, QPoint(0, 0)), widget->size());
}

} // namespace

class TestMainFormLayout : public QObject {
    Q_OBJECT

    TFormBench Bench;
    TMainForm* Form = nullptr;

    QWidget* Control(const QString& name) const {
        QWidget* widget = Form->findChild<QWidget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }

private slots:
    void initTestCase() {
        Form = &Bench.Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form));
    }

    void controlsCarryTheirCaptionsInTheirGroups_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("label");
        QTest::newRow("cbAuto") << QStringLiteral("cbAuto")
                                << QStringLiteral("Искать МК автоматически") << QString()
                                << QString();
        QTest::newRow("bRS232") << QStringLiteral("bRS232")
                                << QStringLiteral("Выбрать СОМ-порт вручную") << QString()
                                << QString();
        QTest::newRow("bGetParams")
            << QStringLiteral("bGetParams") << QStringLiteral("Считать настройки из МК")
            << QStringLiteral("Шаг 1")
            << QStringLiteral("Для адекватного отображения возможных вариантов настроек считайте "
                              "текущие настройки МК,");
        QTest::newRow("bLoadParams")
            << QStringLiteral("bLoadParams")
            << QStringLiteral("Считать настройки из файла на диске") << QStringLiteral("Шаг 1")
            << QStringLiteral(
                   "или, если Вы ранее уже сохраняли настройки на диск, считайте файл с диска.");
        QTest::newRow("bEditParams")
            << QStringLiteral("bEditParams") << QStringLiteral("Редактировать настройки")
            << QStringLiteral("Шаг 2") << QStringLiteral("Произведите изменения настроек.");
        QTest::newRow("bViewJournals")
            << QStringLiteral("bViewJournals") << QStringLiteral("Просмотреть журналы")
            << QStringLiteral("Шаг 2a")
            << QStringLiteral("Просмотрите журналы поездок, заправок. и ошибок");
        QTest::newRow("bViewOsc") << QStringLiteral("bViewOsc")
                                  << QStringLiteral("Просмотреть данные осциллографа")
                                  << QStringLiteral("Шаг 2b")
                                  << QStringLiteral("Просмотрите записанные данные осциллографа");
        QTest::newRow("bSaveParams")
            << QStringLiteral("bSaveParams")
            << QStringLiteral("Сохранить настройки в файл на диске") << QStringLiteral("Шаг 3")
            << QStringLiteral("Для возможности повторного просмотра или редактирования сохраните "
                              "настройки на диск.");
        QTest::newRow("bSetParams")
            << QStringLiteral("bSetParams") << QStringLiteral("Записать настройки в МК")
            << QStringLiteral("Шаг 4") << QStringLiteral("Запишите настройки в МК");
    }
    void controlsCarryTheirCaptionsInTheirGroups() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, group);
        QFETCH(QString, label);
        auto* button = qobject_cast<QAbstractButton*>(Control(name));
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->font().bold());
        auto* box = qobject_cast<QGroupBox*>(button->parentWidget());
        if (group.isEmpty()) {
            QVERIFY(!box);
            return;
        }
        QVERIFY(box);
        QCOMPARE(box->title(), group);
        const QList<QLabel*> labels = box->findChildren<QLabel*>();
        const auto found = std::find_if(labels.begin(), labels.end(),
                                        [&](const QLabel* l) { return l->text() == label; });
        QVERIFY(found != labels.end());
        const QLabel* explanation = *found;
        QVERIFY(explanation->alignment() & Qt::AlignHCenter);
        QVERIFY(explanation->wordWrap());
        // The label sits right above its own button.
        QVERIFY(explanation->geometry().bottom() < button->geometry().top());
        for (const QWidget* other : box->findChildren<QAbstractButton*>())
            if (other != button && other->geometry().top() < button->geometry().top())
                QVERIFY(other->geometry().bottom() < explanation->geometry().top());
    }

    void windowIsFixedWithItsCaption() {
        QCOMPARE(Form->windowTitle(),
                 QStringLiteral("Просмотр и настройка параметров МК (Версия 25.06.19)"));
        QCOMPARE(Form->size(), QSize(810, 401));
        QCOMPARE(Form->minimumSize(), QSize(810, 401));
        QCOMPARE(Form->maximumSize(), QSize(810, 401));
        const Qt::WindowFlags flags = Form->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!Form->windowIcon().isNull());
    }

    void warningIsRedBoldAndCentred() {
        auto* warning = qobject_cast<QLabel*>(Control(QStringLiteral("lWarning")));
        QCOMPARE(warning->text(),
                 QStringLiteral("Внимание! Для правильной работы программы ") + QLatin1Char('\n') +
                     QStringLiteral("НЕОБХОДИМО ") + QLatin1Char('\n') +
                     QStringLiteral("предварительно загрузить в МК последнюю версию ПО."));
        QVERIFY(warning->font().bold());
        QVERIFY(warning->alignment() & Qt::AlignHCenter);
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    void leftAndRightColumnsInTheirOrder() {
        const int middle = Form->width() / 2;
        const QStringList left = {"lWarning", "cbAuto", "bRS232", "gbStep1", "gbStep2"};
        const QStringList right = {"gbStep2a", "gbStep2b", "gbStep3", "gbStep4"};
        int top = -1;
        for (const QString& name : left) {
            const QRect r = InForm(Control(name), Form);
            QVERIFY2(r.right() < middle, qPrintable(name));
            QVERIFY2(r.top() > top, qPrintable(name));
            top = r.bottom();
        }
        top = -1;
        for (const QString& name : right) {
            const QRect r = InForm(Control(name), Form);
            QVERIFY2(r.left() > middle, qPrintable(name));
            QVERIFY2(r.top() > top, qPrintable(name));
            top = r.bottom();
        }
        // The picture in the lower right corner, clear of the groups beside it.
        const QRect picture = InForm(Control(QStringLiteral("Image1")), Form);
        QVERIFY(picture.width() >= 100 && picture.height() >= 80);
        QVERIFY(picture.right() >= Form->width() - 16);
        QVERIFY(picture.bottom() >= Form->height() - 16);
        QVERIFY(picture.left() > InForm(Control(QStringLiteral("gbStep4")), Form).right());
        QVERIFY(picture.top() > InForm(Control(QStringLiteral("gbStep2b")), Form).bottom());
    }

    void noTextIsClipped() {
        const QRect window = Form->rect();
        for (const QWidget* widget : Form->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            const QString name = widget->objectName() + " " + widget->metaObject()->className();
            QVERIFY2(window.contains(InForm(widget, Form)), qPrintable(name));
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                if (label->wordWrap())
                    QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                             qPrintable(name));
                else
                    QVERIFY2(label->width() >= label->sizeHint().width() &&
                                 label->height() >= label->sizeHint().height(),
                             qPrintable(name));
            } else if (qobject_cast<const QAbstractButton*>(widget)) {
                QVERIFY2(widget->width() >= widget->sizeHint().width() &&
                             widget->height() >= widget->minimumSizeHint().height(),
                         qPrintable(name));
            } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
                for (const QWidget* child : box->findChildren<QWidget*>())
                    QVERIFY2(
                        box->rect().contains(QRect(child->mapTo(box, QPoint()), child->size())),
                        qPrintable(name + " " + child->objectName()));
            }
        }
    }

    void startsWithTheDataButtonsDisabled() {
        QVERIFY(!Bench.DataButtonsEnabled());
        for (const char* name : {"bGetParams", "bLoadParams", "cbAuto"})
            QVERIFY(Control(name)->isEnabled());
        // Automatic search off (as the bench starts it): the manual port button is enabled.
        QVERIFY(!qobject_cast<QCheckBox*>(Control(QStringLiteral("cbAuto")))->isChecked());
        QVERIFY(Control(QStringLiteral("bRS232"))->isEnabled());
    }
};

QTEST_MAIN(TestMainFormLayout)
#include "tst_mainformlayout.moc"
