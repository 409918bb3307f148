// Pages "Поправки", "Источники", "Границы", "Озвуч.сообщения" and the service information
// of the settings editor dialog, driven by object name as a user would: type and leave,
// click and leave, pick from a list; and every control of these pages, "ТО" and "Бак" fitting
// its sheet.
#include "catalog/DeviceFlags.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "EditorDialogKit.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cstring>

namespace {

// The device that shows the most of these pages: 24 V, J1939 extended, a second tank, with
// low-beam control added.
std::unique_ptr<TEditorDialogKit> FullDevice(const std::function<void(TMK&)>& prepare = {}) {
    return std::make_unique<TEditorDialogKit>(
        prepare, [](TDeviceFlags& f) { f.HasLightsControl = true; }, 0x8002, 0);
}

// A device without gas, voice, parking: settings version 0x0A01, variant 10.
std::unique_ptr<TEditorDialogKit> PlainDevice() {
    return std::make_unique<TEditorDialogKit>(nullptr, nullptr, 0x0A01, 10);
}

QString Describe(const QWidget* w) {
    return QStringLiteral("%1 (%2) \"%3\"")
        .arg(w->objectName(), QLatin1String(w->metaObject()->className()),
             w->property("text").toString() + w->property("title").toString());
}

} // namespace

class TEditorSourcesDialogTest : public QObject {
    Q_OBJECT
private slots:
    void NoGasAndNoVoiceHideTheirControls_data() {
        QTest::addColumn<bool>("without");
        QTest::newRow("gas and voice") << false;
        QTest::newRow("no gas, no voice") << true;
    }
    void NoGasAndNoVoiceHideTheirControls() {
        QFETCH(bool, without);
        auto kit = without ? PlainDevice() : FullDevice();
        const TDeviceFlags& flags = kit->Mk.Catalog.Flags();
        QCOMPARE(flags.NoGas && flags.NoVoice, without);
        // "М" and "Г" of every presentation group need the voice.
        const QList<QRadioButton*> items = kit->Find("rgapVel_N")->findChildren<QRadioButton*>();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(items[i]->isEnabled(), i < 3 || !without);
        for (const char* name : {"seSoundVolume", "rgSayHelloMode", "seSayParamPeriod"})
            QVERIFY2(kit->Shows(name) == !without, name);
        for (const char* name : {"rgGasMeth", "seGazContFull", "cbGasOil", "rgGasOilMeth"})
            QVERIFY2(kit->Shows(name) == !without, name);
        QCOMPARE(
            kit->Dialog->Binder().Label("seGazContFull")->isVisibleTo(kit->Dialog->Sheet("tsCorr")),
            !without);
        QVERIFY(kit->Shows("seTankContFull"));
    }

    void SpinStoresWhenLeftAfterTyping_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<double>("shown");
        QTest::newRow("speed 41 halves to even")
            << "seVelocityLimit" << 41.0 << "VelocityLimit" << 20 << 40.0;
        QTest::newRow("battery tenths") << "seAccCorr" << -0.3 << "AccCorr" << -3 << -0.3;
    }
    void SpinStoresWhenLeftAfterTyping() {
        QFETCH(QString, control);
        QFETCH(double, typed);
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(double, shown);
        TEditorDialogKit kit;
        auto* spin = kit.Find<QDoubleSpinBox>(control);
        const QByteArray name = field.toLatin1();
        const int64_t before = kit.Field(name.constData());
        spin->findChild<QLineEdit*>()->setText(
            spin->locale().toString(typed, 'f', spin->decimals()));
        QCOMPARE(kit.Field(name.constData()), before); // typing alone stores nothing
        TEditorDialogKit::Leave(spin);
        QCOMPARE(kit.Field(name.constData()), stored);
        QCOMPARE(spin->value(), shown);
        QVERIFY(kit.Dialogs.Errors().isEmpty());
    }

    void Battery24VStoredOnlyWhenLeft() {
        auto kit = FullDevice([](TMK& mk) { mk.Record.LimitsSettings.UaccLowLimit = 120; });
        auto* spin = kit->Find<QDoubleSpinBox>("seUaccLowLimit");
        QCOMPARE(spin->value(), 18.0);
        QCOMPARE(kit->Field("UaccLowLimit"), 120);
        TEditorDialogKit::Leave(spin);
        QCOMPARE(kit->Field("UaccLowLimit"), 180);
        QVERIFY(kit->Shows("rg24VMode"));
        QVERIFY(!kit->Find("rg24VMode")->isEnabled());
    }

    // A blanked hour is refused with the conversion error; the edit gets the stored time back.
    void BadTimeShowsTheErrorAndKeepsTheField() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.DisplaySettings.IntenseDayTime = 450; });
        auto* edit = kit.Find<QLineEdit>("meIntenseDayTime");
        edit->setText(QStringLiteral("  :45"));
        TEditorDialogKit::Leave(edit);
        QCOMPARE(kit.Dialogs.Errors(), QStringList{"'  ' is not a valid integer value"});
        QCOMPARE(kit.Field("IntenseDayTime"), 450);
        QCOMPARE(edit->text(), QStringLiteral("07:30"));
    }

    void WarningGroupStoresWhenLeft() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.AlarmSounds.AlarmPresentation[6] = 0; });
        QRadioButton* n = kit.Find("rgapTO_F")->findChildren<QRadioButton*>().at(1);
        QCOMPARE(n->text(), QStringLiteral("Н"));
        n->click();
        QCOMPARE(kit.Field("AlarmPresentation", 6), 0);
        TEditorDialogKit::Leave(n);
        QCOMPARE(kit.Field("AlarmPresentation", 6), 9);
    }

    void ServiceInformationGrid() {
        TEditorDialogKit kit([](TMK& mk) { mk.Record.ProtocolSettings.EcuAddress = 0x1F; });
        auto* grid = kit.Find<QTableWidget>("sgServiceInfo");
        QCOMPARE(grid->item(11, 1)->text(), QStringLiteral("1F"));
        // Reachable from nowhere in the dialog.
        QTabWidget* main = kit.Dialog->PageControl("pcMain");
        QVERIFY(!main->isTabVisible(main->indexOf(kit.Dialog->Sheet("tsServiceInfo"))));
    }

    // Every visible control, label and group of these pages inside its sheet and at least as
    // wide and high as its text needs, on devices and protocols that between them show every
    // control of these pages.
    void PagesFitWithoutClippedText_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("code");
        QTest::newRow("24 V, CAN, manual protocol") << 0x8002 << 0 << 1;
        QTest::newRow("J1939 extended") << 0x8002 << 0 << 14;
        QTest::newRow("hybrid") << 0x0105 << 6 << 230;
        QTest::newRow("no gas, no voice") << 0x0A01 << 10 << 11;
    }
    void PagesFitWithoutClippedText() {
        QFETCH(int, version);
        QFETCH(int, variant);
        QFETCH(int, code);
        const TDeviceCatalog catalog{uint16_t(version), uint8_t(variant)};
        int index = 0;
        while (catalog.Protocols()[std::size_t(index)]->ProtCode != code)
            ++index;
        // "Руч." comes after "Авт." and the automatic methods the device offers.
        const TDeviceFlags& f = catalog.Flags();
        const int manual = 1 + int(f.UseObd2) + int(f.UseVag && !f.NoVag) + int(f.UseOpel);
        auto kit = std::make_unique<TEditorDialogKit>(
            [index, manual](TMK& mk) {
                TProtocolSettings& p = mk.Record.ProtocolSettings;
                p.Protocol = uint16_t(index);
                p.ProtocolSelectMeth = int8_t(manual);
                p.ProtocolFlags |= 1; // the virtual lock shows its level
                mk.Record.LimitsSettings.RevolutionsMeth = 1;
            },
            [](TDeviceFlags& f) { f.HasLightsControl = true; }, uint16_t(version),
            uint32_t(variant));
        for (const char* name : {"cbProtocol", "seLockTypeLevel", "rgForsCoef", "cbLightsOn"})
            QVERIFY2(kit->Shows(name), name);
        QStringList problems;
        for (const QString& page : QStringList{"TabSheet2", "tsCorr", "TabSheet1", "tsVoice",
                                               "tsTO", "tsOil", "tsUniMeas"}) {
            kit->Dialog->SelectPage(page);
            QWidget* sheet = kit->Dialog->Sheet(page);
            QCoreApplication::processEvents();
            sheet->layout()->activate();
            const QRect area = sheet->rect();
            for (QWidget* w : sheet->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(sheet))
                    continue;
                const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                  qobject_cast<QGroupBox*>(w) || qobject_cast<QComboBox*>(w) ||
                                  qobject_cast<QAbstractSpinBox*>(w);
                if (!text)
                    continue;
                const QRect at(w->mapTo(sheet, QPoint(0, 0)), w->size());
                const QSize needed = w->minimumSizeHint();
                if (!area.contains(at) || w->width() < needed.width() ||
                    w->height() < needed.height())
                    problems << page + QStringLiteral(": ") + Describe(w);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TEditorSourcesDialogTest)
#include "tst_editor_sourcesdialog.moc"
