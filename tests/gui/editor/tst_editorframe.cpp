// The settings editor dialog as a whole: its frame, the walk over every page that ties each
// control to a binding row, and what Cancel and OK do to the memory image.
#include "catalog/DeviceFlags.h"
#include "catalog/Variants.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/SettingSearch.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "ImageKit.h"
#include "ScriptedDialogs.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>
#include <cstring>

namespace {

void LoadFactory(TMK& mk, uint16_t settingsVersion = 1, uint32_t variant = FactoryFirmwareVersion) {
    mk.SettingsVersion = settingsVersion;
    mk.Image = FactoryImage(8192);
    std::memcpy(mk.Image.data() + 56, &variant, sizeof variant);
    mk.UnpackAll();
}

void Leave(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

// Object names of bound controls: a lower-case type prefix of the editor's kinds, then
// the field name.
bool LooksBound(const QString& name) {
    static const QRegularExpression bound(QStringLiteral("^(se|rg|cb|me|de|e)[A-Z0-9_a-z]"));
    // The colour pages' spin edits edit the chosen grid row, not a field of their own.
    static const QStringList unbound = {"eFindSetting", "seR",    "seG",     "seB",
                                        "seDigit",      "seMenu", "seGraph", "seArrow"};
    return bound.match(name).hasMatch() && !unbound.contains(name);
}

} // namespace

Q_DECLARE_METATYPE(TCapMask)

class TestEditorFrame : public QObject {
    Q_OBJECT
private slots:
    void frameHasItsSizeCaptionAndButtons();
    void everyControlHasARowAndEveryRowAControl();
    void pagesFollowTheCapabilityFlags_data();
    void pagesFollowTheCapabilityFlags();
    void serviceInformationIsNeverReachable();
    void cancelRestoresTheRecordAfterEdits();
    void okWithoutChangeRepacksAndReportsTrue();
    void searchGoesToTheControlAndSkipsHiddenOnes();
};

void TestEditorFrame::frameHasItsSizeCaptionAndButtons() {
    TMK mk;
    LoadFactory(mk);
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers << [](QDialog& d) {
        auto* main = d.findChild<QTabWidget*>(QStringLiteral("pcMain"));
        auto* ok = d.findChild<QPushButton*>(QStringLiteral("bOK"));
        [&] {
            QCOMPARE(d.windowTitle(), QStringLiteral("Настройки МК"));
            QCOMPARE(d.size(), QSize(1021, 562));
            QCOMPARE(d.minimumSize(), d.maximumSize());
            QVERIFY(main && ok);
            QCOMPARE(main->size(), QSize(1021, 529));
            QVERIFY(ok->isDefault());
            QCOMPARE(main->currentIndex(), 0);
            QStringList captions;
            for (int i = 0; i < main->count(); ++i)
                captions << main->tabText(i);
            QCOMPARE(captions, (QStringList{"Поправки", "Источники", "Границы", "Дисплей",
                                            "Озвуч.сообщения", "Средние", "Парковка", "Бак", "ТО",
                                            "Допсистемы", "Унив.вход", "Служ.информ."}));
        }();
        return int(QDialog::Rejected);
    };
    QVERIFY(!TMK_SetParamsDlg::Run(mk, nullptr));
    QCOMPARE(dialogs.Unanswered, 0);
}

void TestEditorFrame::everyControlHasARowAndEveryRowAControl() {
    TMK mk;
    LoadFactory(mk);
    mk.RebuildProtocolList();
    TScriptedDialogs dialogs;
    TMK_SetParamsDlg dialog(mk);
    dialog.Prepare();
    const TSettingsEditor& editor = dialog.Editor();
    for (const TControlRow& row : editor.Rows()) {
        QWidget* control = dialog.findChild<QWidget*>(row.Name);
        QVERIFY2(control, qPrintable(row.Name + " has no control"));
        // Placed on the sheet of its own page.
        QWidget* sheet = dialog.Sheet(row.Page);
        QVERIFY2(sheet && sheet->isAncestorOf(control), qPrintable(row.Name + " off its page"));
    }
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (LooksBound(w->objectName()))
            QVERIFY2(editor.Row(w->objectName()), qPrintable(w->objectName() + " has no row"));
    QVERIFY(editor.Rows().size() >= 200);
}

void TestEditorFrame::pagesFollowTheCapabilityFlags_data() {
    QTest::addColumn<TCapMask>("with");
    QTest::addColumn<TCapMask>("without");
    QTest::newRow("no parking, no blocks")
        << TCapMask{TCap::NoParking} << TCapMask{TCap::HasBlocks};
    QTest::newRow("parking and blocks") << TCapMask{TCap::HasBlocks} << TCapMask{TCap::NoParking};
    QTest::newRow("universal input") << TCapMask{TCap::HasUniversalInput} << TCapMask{};
}

void TestEditorFrame::pagesFollowTheCapabilityFlags() {
    QFETCH(TCapMask, with);
    QFETCH(TCapMask, without);
    // Not a structured binding: clang 14 cannot capture one in a lambda.
    const std::pair<uint16_t, uint32_t> device = DeviceWith(with, without);
    const uint16_t version = device.first;
    const uint32_t variant = device.second;
    QVERIFY2(version, "no such device in the variant table");
    TMK mk;
    LoadFactory(mk, version, variant);
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers << [&](QDialog& d) {
        auto* dialog = static_cast<TMK_SetParamsDlg*>(&d);
        auto* main = dialog->PageControl(QStringLiteral("pcMain"));
        const auto shown = [&](const char* page) {
            return main->isTabVisible(main->indexOf(dialog->Sheet(QLatin1String(page))));
        };
        [&] {
            const TDeviceFlags flags = LookUpDeviceVariant(version, uint8_t(variant)).Flags;
            QCOMPARE(shown("tsPark"), !flags.NoParking);
            QCOMPARE(shown("tsBlocks"), flags.HasBlocks);
            QCOMPARE(shown("tsUniMeas"), flags.HasUniversalInput);
            QCOMPARE(shown("tsOil"), true);
        }();
        return int(QDialog::Rejected);
    };
    TMK_SetParamsDlg::Run(mk, nullptr);
    QCOMPARE(dialogs.Unanswered, 0);
}

void TestEditorFrame::serviceInformationIsNeverReachable() {
    TMK mk;
    LoadFactory(mk);
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers << [](QDialog& d) {
        auto* main = d.findChild<QTabWidget*>(QStringLiteral("pcMain"));
        auto* dialog = static_cast<TMK_SetParamsDlg*>(&d);
        const int index = main->indexOf(dialog->Sheet(QStringLiteral("tsServiceInfo")));
        [&] {
            QVERIFY(index >= 0);
            QVERIFY(!main->isTabVisible(index));
            QVERIFY(!dialog->Editor().PageVisible(QStringLiteral("tsServiceInfo")));
        }();
        return int(QDialog::Rejected);
    };
    TMK_SetParamsDlg::Run(mk, nullptr);
}

void TestEditorFrame::cancelRestoresTheRecordAfterEdits() {
    TMK mk;
    LoadFactory(mk);
    const QByteArray image = mk.Image;
    const QByteArray record(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
    TScriptedDialogs dialogs;
    int stored = 0;
    dialogs.ExecAnswers << [&stored](QDialog& d) {
        // Change every visible spin edit by one step and tick every check box.
        for (auto* spin : d.findChildren<QDoubleSpinBox*>()) {
            if (spin->isHidden() || !spin->isEnabled())
                continue;
            spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->maximum());
            Leave(spin);
            ++stored;
        }
        for (auto* box : d.findChildren<QCheckBox*>())
            if (!box->isHidden() && box->isEnabled())
                box->click();
        return int(QDialog::Rejected);
    };
    QVERIFY(!TMK_SetParamsDlg::Run(mk, nullptr));
    QVERIFY(stored > 20);
    QCOMPARE(mk.Image, image);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record), record);
}

void TestEditorFrame::okWithoutChangeRepacksAndReportsTrue() {
    TMK mk;
    LoadFactory(mk);
    TScriptedDialogs dialogs;
    // Opening normalises a few loaded values (the colour scheme's nibbles, x1 bits past the
    // protocol's parameters); a second opening changes nothing more.
    dialogs.ExecAnswers << [](QDialog&) { return int(QDialog::Accepted); };
    QVERIFY(TMK_SetParamsDlg::Run(mk, nullptr));
    const QByteArray image = mk.Image;
    dialogs.ExecAnswers << [&mk](QDialog&) {
        // Stale image bytes under a block: only a repack from the record mends them.
        const TBlockInfo& info = BlockInfo(TBlock::ParkingSettings);
        const qsizetype at = mk.ImageDirectory.Entries[info.DirectoryEntry - 1].Address - 32;
        mk.Image[at] = char(mk.Image[at] ^ 0x5A);
        return int(QDialog::Accepted);
    };
    QVERIFY(TMK_SetParamsDlg::Run(mk, nullptr));
    QCOMPARE(mk.Image, image);
}

void TestEditorFrame::searchGoesToTheControlAndSkipsHiddenOnes() {
    TMK mk;
    LoadFactory(mk);
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers << [](QDialog& d) {
        auto* dialog = static_cast<TMK_SetParamsDlg*>(&d);
        d.show();
        d.activateWindow();
        [&] {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            auto* search = d.findChild<TSettingSearch*>(QStringLiteral("eFindSetting"));
            QVERIFY(search);
            search->setFocus();
            search->setText(QStringLiteral("Скорость, км/час"));
            emit search->textEdited(search->text());
            QStringList texts;
            for (const TFoundSetting& f : search->Matches())
                texts << f.Text;
            QVERIFY2(texts.contains(QStringLiteral("Границы › Скорость, км/час")),
                     qPrintable(texts.join('|')));
            // Enter goes to the first match and does not close the dialog.
            QTest::keyClick(search, Qt::Key_Return);
            QVERIFY(d.isVisible());
            QCOMPARE(dialog->PageControl(QStringLiteral("pcMain"))->currentWidget()->objectName(),
                     QStringLiteral("TabSheet1"));
            QWidget* control = d.findChild<QWidget*>(QStringLiteral("seVelocityLimit"));
            QVERIFY(control == d.focusWidget() || control->isAncestorOf(d.focusWidget()));
            // A hidden control is never offered.
            TSettingsEditor& editor = dialog->Editor();
            for (const TControlRow& row : editor.Rows())
                if (!editor.Visible(row.Name) && !editor.Caption(row.Name).isEmpty())
                    for (const TFoundSetting& f : FindSettings(editor, editor.Caption(row.Name)))
                        QVERIFY2(f.Control != row.Name, qPrintable(row.Name));
        }();
        return int(QDialog::Rejected);
    };
    TMK_SetParamsDlg::Run(mk, nullptr);
}

QTEST_MAIN(TestEditorFrame)
#include "tst_editorframe.moc"
