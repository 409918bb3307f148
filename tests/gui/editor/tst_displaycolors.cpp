// Sub-page "Цветовые схемы" of the settings editor dialog: the palette and element grids
// editing the table SchemeIsUser selects, the scheme radio group, copying, resetting,
// and every display sub-page fitting its page control.
#include "EditorDialogKit.h"

#include "editing/ColorSchemes.h"
#include "editing/DisplayTexts.h"
#include "editing/PageTree.h"
#include "editor/DisplayWidgets.h"
#include "model/Preview.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <cstring>

namespace {

QByteArray Bytes(const TColorTable& table) {
    return QByteArray(reinterpret_cast<const char*>(&table), sizeof table);
}

QImage Sample(TMK& mk, TColorSample sample) {
    ColorSchemes::DrawSample(mk, sample);
    return mk.Preview->PreviewSurface;
}

void PressRow(QTableWidget* grid, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(grid->viewport(), button, {},
                      grid->visualRect(grid->model()->index(row, 0)).center());
}

QRadioButton* SchemeButton(TEditorDialogKit& kit, int item) {
    return kit.Find(ColorSchemes::SchemeControl)->findChildren<QRadioButton*>().at(item);
}

} // namespace

// Counts the focus-in events that reach a widget or any of its children.
struct TFocusInCounter : QObject {
    explicit TFocusInCounter(QWidget* root) {
        for (QWidget* w : root->findChildren<QWidget*>())
            w->installEventFilter(this);
        root->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::FocusIn;
        return false;
    }
    int Count = 0;
};

class TestDisplayColors : public QObject {
    Q_OBJECT
private slots:
    void PaletteEditsTheSelectedTable_data() {
        QTest::addColumn<int>("scheme");
        QTest::newRow("factory scheme: ColorTable0") << 0x11;
        QTest::newRow("user scheme: ColorTable1") << 0x14;
    }
    void PaletteEditsTheSelectedTable() {
        QFETCH(int, scheme);
        // Entry 5 with bit 5 differing from bit 6: loading it into the spin edits must not
        // store it back.
        const uint16_t entry = uint16_t(TMK::PackColor(9, 20, 3) | 0x20);
        TEditorDialogKit kit([&](TMK& mk) {
            mk.Record.DisplaySettings.ColorScheme = uint8_t(scheme);
            mk.Record.DisplaySettings.ColorTable0.Palette[5] = entry;
            mk.Record.DisplaySettings.ColorTable1.Palette[5] = entry;
        });
        const bool user = scheme == 0x14;
        TColorTable& edited = user ? kit.Display().ColorTable1 : kit.Display().ColorTable0;
        const TColorTable& other = user ? kit.Display().ColorTable0 : kit.Display().ColorTable1;
        QCOMPARE(kit.Mk.Preview->SchemeIsUser, int(user));
        kit.Dialog->SelectPage(QStringLiteral("tsColorDig17"));
        const QByteArray otherBefore = Bytes(other);

        PressRow(kit.Find<QTableWidget>("sgPalette"), 5, Qt::RightButton);
        QCOMPARE(kit.Find<QLabel>("lColorTab")->text(), QStringLiteral("Цвет #5"));
        QCOMPARE(kit.Find<QSpinBox>("seR")->value(), 9);
        QCOMPARE(kit.Find<QSpinBox>("seG")->value(), 20);
        QCOMPARE(kit.Find<QSpinBox>("seB")->value(), 3);
        QCOMPARE(int(edited.Palette[5]), int(entry));

        kit.Find<QSpinBox>("seG")->setValue(30);
        QCOMPARE(int(edited.Palette[5]), 9 << 11 | 60 << 5 | 3);
        QCOMPARE(Bytes(other), otherBefore);
        kit.Find<QSpinBox>("seR")->setValue(31);
        QCOMPARE(int(edited.Palette[5]), 31 << 11 | 60 << 5 | 3);
        QCOMPARE(kit.Find<QTableWidget>("sgPalette")->item(5, 1)->background().color(),
                 TMK::ColorToRgb(edited.Palette[5]));

        // The samples are drawn with the edited table.
        edited.Indices[0] = 5;
        kit.Editor().NotifyRecordChanged();
        const QImage shown = kit.Find<TPreviewBox>("pbDigit1")->Image();
        QCOMPARE(shown, Sample(kit.Mk, TColorSample::One));
        kit.Mk.Preview->SchemeIsUser ^= 1;
        QVERIFY(Sample(kit.Mk, TColorSample::One) != shown);
    }

    void ElementEditsTheSelectedTable_data() {
        QTest::addColumn<int>("scheme");
        QTest::newRow("factory scheme") << 0x22;
        QTest::newRow("user scheme") << 0x24;
    }
    void ElementEditsTheSelectedTable() {
        QFETCH(int, scheme);
        TEditorDialogKit kit(
            [&](TMK& mk) { mk.Record.DisplaySettings.ColorScheme = uint8_t(scheme); });
        const bool user = scheme == 0x24;
        TColorTable& edited = user ? kit.Display().ColorTable1 : kit.Display().ColorTable0;
        const QByteArray otherBefore =
            Bytes(user ? kit.Display().ColorTable0 : kit.Display().ColorTable1);
        auto* edited8 = reinterpret_cast<uint8_t*>(&edited);
        edited8[46] = 3; // "Подписи цвет"
        kit.Dialog->SelectPage(QStringLiteral("tsColorArrow"));

        PressRow(kit.Find<QTableWidget>("sgArrow"), 8);
        QCOMPARE(kit.Find<QLabel>("lArrow")->text(), DisplayTexts::ArrowRows[8]);
        QCOMPARE(kit.Find<QSpinBox>("seArrow")->value(), 3);
        kit.Find<QSpinBox>("seArrow")->setValue(12);
        QCOMPARE(int(edited8[46]), 12);
        QCOMPARE(Bytes(user ? kit.Display().ColorTable0 : kit.Display().ColorTable1), otherBefore);
        QCOMPARE(kit.Find<TPreviewBox>("pbArrowLeft")->Image(),
                 Sample(kit.Mk, TColorSample::DialsLeft));
        QCOMPARE(kit.Find<TPreviewBox>("pbArrowRight")->Image(),
                 Sample(kit.Mk, TColorSample::DialsRight));
        QCOMPARE(kit.Find<QTableWidget>("sgArrow")->item(8, 1)->background().color(),
                 TMK::ColorToRgb(edited.Palette[12]));

        // The menu grid: another table position, same table.
        kit.Dialog->SelectPage(QStringLiteral("tsColorMenu"));
        PressRow(kit.Find<QTableWidget>("sgMenu"), 2);
        kit.Find<QSpinBox>("seMenu")->setValue(7);
        QCOMPARE(int(edited8[39]), 7);
        QCOMPARE(kit.Find<TPreviewBox>("pbMenu")->Image(), Sample(kit.Mk, TColorSample::Menu));
        QVERIFY(kit.Dialogs.Errors().isEmpty());
    }

    void IndexAbove127IsARangeError() {
        TEditorDialogKit kit(
            [](TMK& mk) { mk.Record.DisplaySettings.ColorTable0.Indices[2] = 200; });
        kit.Dialog->SelectPage(QStringLiteral("tsColorDig49"));
        PressRow(kit.Find<QTableWidget>("sgDigit"), 2);
        QCOMPARE(kit.Dialogs.Errors(), QStringList{QStringLiteral("Range check error")});
        QCOMPARE(int(kit.Display().ColorTable0.Indices[2]), 200);
    }

    // Opening selects palette row 0 and loads its entry into spin edits that showed 0, 0, 0:
    // the entry is packed again, its bit 5 becoming bit 6.
    void OpeningRepacksPaletteEntry0_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("opened");
        QTest::newRow("bit 5 without bit 6") << (0x0800 | 0x0020) << 0x0800;
        QTest::newRow("bit 6 without bit 5") << 0x0040 << 0x0060;
        QTest::newRow("black stays") << 0x0020 << 0x0020; // every component 0: nothing changes
    }
    void OpeningRepacksPaletteEntry0() {
        QFETCH(int, stored);
        QFETCH(int, opened);
        TEditorDialogKit kit(
            [&](TMK& mk) { mk.Record.DisplaySettings.ColorTable0.Palette[0] = uint16_t(stored); });
        QCOMPARE(int(kit.Display().ColorTable0.Palette[0]), opened);
    }

    void SchemeChangeAsksOnlyWithFocus() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.DisplaySettings.ColorScheme = 0x11; });
        kit.Dialog->SelectPage(QStringLiteral("tsColorDig17"));
        kit.Dialog->show();
        QApplication::setActiveWindow(kit.Dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(kit.Dialog.get()));
        const QByteArray table0 = Bytes(kit.Display().ColorTable0);

        kit.Dialogs.ConfirmAnswers << false;
        QTest::mouseClick(SchemeButton(kit, 2), Qt::LeftButton, {},
                          QPoint(6, SchemeButton(kit, 2)->height() / 2));
        QCOMPARE(kit.Dialogs.Texts("Confirm"), QStringList{DisplayTexts::SchemeQuestion});
        QCOMPARE(int(kit.Display().ColorScheme), 0x11);
        QCOMPARE(Bytes(kit.Display().ColorTable0), table0);
        QVERIFY(SchemeButton(kit, 0)->isChecked());

        kit.Dialogs.ConfirmAnswers << true;
        QTest::mouseClick(SchemeButton(kit, 1), Qt::LeftButton, {},
                          QPoint(6, SchemeButton(kit, 1)->height() / 2));
        QCOMPARE(kit.Dialogs.Texts("Confirm").size(), 2);
        QCOMPARE(int(kit.Display().ColorScheme), 0x22);
        QCOMPARE(Bytes(kit.Display().ColorTable0), Bytes(kit.Mk.FactorySchemes[1]));
        QVERIFY(SchemeButton(kit, 1)->isChecked());
        QCOMPARE(kit.Find<TPreviewBox>("pbDigit1")->Image(), Sample(kit.Mk, TColorSample::One));

        // The user scheme never asks and switches the previews to ColorTable1.
        QTest::mouseClick(SchemeButton(kit, 3), Qt::LeftButton, {},
                          QPoint(6, SchemeButton(kit, 3)->height() / 2));
        QCOMPARE(kit.Dialogs.Texts("Confirm").size(), 2);
        QCOMPARE(int(kit.Display().ColorScheme), 0x24);
        QCOMPARE(kit.Mk.Preview->SchemeIsUser, 1);

        // Leaving the group: a change from the program asks nothing.
        kit.Find(QStringLiteral("bCopyToUser"))->setFocus();
        kit.Editor().Put(ColorSchemes::SchemeControl, 2);
        QCOMPARE(kit.Dialogs.Texts("Confirm").size(), 2);
        QCOMPARE(int(kit.Display().ColorScheme), 0x33);
        kit.Dialogs.Unanswered = 0;
    }

    // Without a window manager the window is not activated again after the question's box:
    // no focus-in reaches the group, and the second choice asks all the same.
    void SchemeQuestionAskedAgainAfterNo() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.DisplaySettings.ColorScheme = 0x11; });
        kit.Dialog->SelectPage(QStringLiteral("tsColorDig17"));
        kit.Dialog->show();
        QApplication::setActiveWindow(kit.Dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(kit.Dialog.get()));
        TFocusInCounter focusIns(kit.Find(ColorSchemes::SchemeControl));
        const QByteArray table0 = Bytes(kit.Display().ColorTable0);
        QRadioButton* scheme3 = SchemeButton(kit, 2);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            kit.Dialogs.ConfirmAnswers << false;
            QTest::mouseClick(scheme3, Qt::LeftButton, {}, QPoint(6, scheme3->height() / 2));
            QCOMPARE(kit.Dialogs.Texts("Confirm").size(), attempt);
            QCOMPARE(int(kit.Display().ColorScheme), 0x11);
            QVERIFY(SchemeButton(kit, 0)->isChecked());
            if (attempt == 1) {
                // The box took the focus; nothing gives the window its focus back.
                QApplication::setActiveWindow(nullptr);
                QVERIFY(!kit.Dialog->isActiveWindow());
                focusIns.Count = 0;
            }
        }
        QCOMPARE(focusIns.Count, 0);
        QCOMPARE(Bytes(kit.Display().ColorTable0), table0);
        QCOMPARE(kit.Dialogs.Unanswered, 0);
    }

    void CopyToUserAndResetAll() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.DisplaySettings.ColorScheme = 0x24; });
        kit.Dialog->SelectPage(QStringLiteral("tsColorMenu"));
        kit.Display().ColorTable0.Palette[3] = 0x1234;
        QTest::mouseClick(kit.Find<QPushButton>("bCopyToUser"), Qt::LeftButton);
        QCOMPARE(Bytes(kit.Display().ColorTable1), Bytes(kit.Display().ColorTable0));
        QVERIFY(kit.Dialogs.Prompts.isEmpty());
        // The previews use the user table, which now holds the copy.
        QCOMPARE(kit.Find<TPreviewBox>("pbMenu")->Image(), Sample(kit.Mk, TColorSample::Menu));

        kit.Dialogs.ConfirmAnswers << false;
        QTest::mouseClick(kit.Find<QPushButton>("bPaletteInit"), Qt::LeftButton);
        QCOMPARE(kit.Dialogs.Texts("Confirm"), QStringList{DisplayTexts::ResetQuestion});
        QCOMPARE(int(kit.Display().ColorScheme), 0x24);

        kit.Dialogs.ConfirmAnswers << true;
        QTest::mouseClick(kit.Find<QPushButton>("bPaletteInit"), Qt::LeftButton);
        QCOMPARE(int(kit.Display().ColorScheme), 0x11);
        QCOMPARE(Bytes(kit.Display().ColorTable0), Bytes(kit.Mk.FactorySchemes[0]));
        QCOMPARE(Bytes(kit.Display().ColorTable1), Bytes(kit.Mk.FactorySchemes[3]));
        QCOMPARE(kit.Mk.Preview->SchemeIsUser, 0);
        QVERIFY(SchemeButton(kit, 0)->isChecked());
        QCOMPARE(kit.Find<TPreviewBox>("pbMenu")->Image(), Sample(kit.Mk, TColorSample::Menu));
        QCOMPARE(kit.Dialogs.Unanswered, 0);
    }

    // Every display sub-page lays out within the 1021 x 529 page control.
    void EverySubPageFits() {
        TEditorDialogKit kit;
        kit.Dialog->show();
        QStringList parents;
        for (const TPageInfo& page : PageTree())
            parents << page.Parent;
        int checked = 0;
        for (const TPageInfo& page : PageTree()) {
            if (MainPageOf(page.Name).Name != QLatin1String("tsDisp") ||
                parents.contains(page.Name))
                continue;
            kit.Dialog->SelectPage(page.Name);
            QApplication::processEvents();
            QWidget* sheet = kit.Dialog->Sheet(page.Name);
            const QSize need = sheet->layout()->minimumSize();
            QVERIFY2(need.width() <= sheet->width() && need.height() <= sheet->height(),
                     qPrintable(QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                                    .arg(page.Name)
                                    .arg(need.width())
                                    .arg(need.height())
                                    .arg(sheet->width())
                                    .arg(sheet->height())));
            for (auto* box : sheet->findChildren<TPreviewBox*>()) {
                const QRect r(box->mapTo(kit.Dialog.get(), QPoint(0, 0)), box->size());
                QVERIFY2(QRect(0, 0, 1021, 529).contains(r), qPrintable(box->objectName()));
            }
            ++checked;
        }
        QCOMPARE(checked, 19);
    }
};

QTEST_MAIN(TestDisplayColors)
#include "tst_displaycolors.moc"
