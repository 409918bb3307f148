// The dialog's "OK" without a change stores exactly what the editor's model stores when it is
// opened and packed with no assignment (the way mktool set goes), over whole images of
// several devices; and what opening does to the record is the normalisation the MK expects.
#include "catalog/DeviceFlags.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"
#include "editing/EditorSession.h"
#include "editing/ScreenEnable.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "ImageKit.h"
#include "ScriptedDialogs.h"

#include <QPushButton>
#include <QtTest>
#include <cstring>
#include <functional>
#include <iterator>
#include <type_traits>

namespace {

using TEdit = std::function<void(TMK&)>;

// The factory image of a device, the edits packed into it.
void Build(TMK& mk, std::pair<uint16_t, uint32_t> device, const TEdit& edit) {
    DeclareDevice(mk, device.first, device.second);
    if (edit)
        edit(mk);
    mk.PackAll();
}

// The first device whose protocol list holds a hybrid protocol, that protocol chosen.
void UseHybrid(TMK& mk) {
    for (const TVariantRow& row : DeviceVariantRows())
        for (uint32_t v = 0; v < 32; ++v) {
            if (!row.Variants.Contains(uint8_t(v)))
                continue;
            mk.SettingsVersion = row.SettingsVersion;
            std::memcpy(mk.Image.data() + offsetof(TImageDirectory, FirmwareVersion), &v, sizeof v);
            mk.RebuildProtocolList();
            const auto& protocols = mk.Catalog.Protocols();
            for (std::size_t i = 0; i < protocols.size(); ++i)
                if (protocols[i]->IsHybrid) {
                    mk.Record.ProtocolSettings.Protocol = uint16_t(i);
                    return;
                }
        }
    QFAIL("no device lists a hybrid protocol");
}

// Copied out first: the record is packed, its arrays may sit at odd addresses.
QList<uint16_t> HotList(const TMK& mk, int list) {
    uint16_t copy[std::extent_v<decltype(TDisplaySettings::HotMenus), 1>];
    std::memcpy(copy, &mk.Record.DisplaySettings.HotMenus[list], sizeof copy);
    return QList<uint16_t>(std::begin(copy), std::end(copy));
}

const TColorTable& EditedTable(const TMK& mk) {
    const TDisplaySettings& d = mk.Record.DisplaySettings;
    return (d.ColorScheme & 15) == 4 ? d.ColorTable1 : d.ColorTable0;
}

} // namespace

Q_DECLARE_METATYPE(TCapMask)
Q_DECLARE_METATYPE(TEdit)

class TestEditorOkBytes : public QObject {
    Q_OBJECT
private slots:
    void okStoresWhatTheModelStores_data();
    void okStoresWhatTheModelStores();
};

void TestEditorOkBytes::okStoresWhatTheModelStores_data() {
    QTest::addColumn<TCapMask>("with");
    QTest::addColumn<TCapMask>("without");
    QTest::addColumn<TEdit>("edit");
    const auto display = [](const std::function<void(TDisplaySettings&)>& f) {
        return TEdit([f](TMK& mk) { f(mk.Record.DisplaySettings); });
    };
    QTest::newRow("factory") << TCapMask{} << TCapMask{} << TEdit{};
    QTest::newRow("24 V CAN device")
        << TCapMask{TCap::Is24V, TCap::HasCanBlocks} << TCapMask{} << TEdit{};
    QTest::newRow("hybrid") << TCapMask{} << TCapMask{} << TEdit(UseHybrid);
    QTest::newRow("no gas, no voice")
        << TCapMask{TCap::NoGas, TCap::NoVoice} << TCapMask{} << TEdit{};
    QTest::newRow("user scheme, its palette entry 0 with bit 5 set, bit 6 clear")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               d.ColorScheme = 0x24;
               d.ColorTable1.Palette[0] = 0x0021;
           });
    // Components 0, 0, 0 are what a new dialog shows already: nothing is packed.
    QTest::newRow("palette entry 0 only bit 5 set")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               d.ColorScheme = 0x11;
               d.ColorTable0.Palette[0] = 0x0020;
           });
    QTest::newRow("hot menus with gaps")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               const uint16_t list1[10] = {5, 0, 7, 0, 0, 9, 0, 0, 0, 0};
               std::memcpy(d.HotMenus[1], list1, sizeof list1);
               d.HotMenus[3][0] = 0;
           });
    QTest::newRow("palette entry 0 bit 5 set, bit 6 clear")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               d.ColorScheme = 0x11;
               d.ColorTable0.Palette[0] = 0xF83F;
           });
    QTest::newRow("palette entry 0 bit 6 set, bit 5 clear")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               d.ColorScheme = 0x11;
               d.ColorTable0.Palette[0] = 0x0040;
           });
    QTest::newRow("x1 bits beyond the protocol's parameters, scheme high nibble 0")
        << TCapMask{} << TCapMask{} << display([](TDisplaySettings& d) {
               d.ShowDisp1 = ~uint64_t(0);
               d.ColorScheme = 0x02;
           });
    QTest::newRow("TarirLeng 100, stale PrevProtocol")
        << TCapMask{} << TCapMask{} << TEdit([](TMK& mk) {
               mk.Record.TankCalibration.TarirLeng = 100;
               mk.Record.ProtocolSettings.PrevProtocol = 0x1234;
           });
}

void TestEditorOkBytes::okStoresWhatTheModelStores() {
    QFETCH(TCapMask, with);
    QFETCH(TCapMask, without);
    QFETCH(TEdit, edit);
    const auto device = with.Bits ? DeviceWith(with, without) : std::pair<uint16_t, uint32_t>{1, 1};
    QVERIFY2(device.first, "no such device in the variant table");

    TMK stored;
    Build(stored, device, edit);
    TMK byModel;
    Build(byModel, device, edit);
    const QByteArray before = byModel.Image;
    QVERIFY(RunEditorModel(byModel, [](TSettingsEditor&) { return true; }));

    TMK byDialog;
    Build(byDialog, device, edit);
    QCOMPARE(byDialog.Image, before);
    TScriptedDialogs dialogs;
    dialogs.ExecAnswers << [](QDialog& d) {
        d.show();
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("bOK")), Qt::LeftButton);
        return d.result();
    };
    QVERIFY(TMK_SetParamsDlg::Run(byDialog, nullptr));
    QCOMPARE(dialogs.Unanswered, 0);
    QVERIFY(dialogs.Errors().isEmpty() && dialogs.Texts(QStringLiteral("Confirm")).isEmpty());

    for (qsizetype i = 0; i < before.size(); ++i)
        QVERIFY2(byDialog.Image[i] == byModel.Image[i],
                 qPrintable(QStringLiteral("byte %1 differs").arg(i)));

    // What opening made of the record.
    const TSettingsRecord& r = byModel.Record;
    const TDisplaySettings& d = r.DisplaySettings;
    for (int list = 0; list < 4; ++list) {
        const QList<uint16_t> ids = HotList(byModel, list);
        const qsizetype used = ids.count() - ids.count(uint16_t(0));
        QVERIFY2(ids.mid(used).count(uint16_t(0)) == ids.size() - used, "a gap was kept");
    }
    if (QByteArray(QTest::currentDataTag()).startsWith("hot menus"))
        QCOMPARE(HotList(byModel, 1), (QList<uint16_t>{5, 7, 9, 0, 0, 0, 0, 0, 0, 0}));
    const uint16_t entry0 = EditedTable(byModel).Palette[0];
    if (entry0 & ~0x0020)
        QCOMPARE(entry0 >> 5 & 1, entry0 >> 6 & 1);
    else
        QCOMPARE(entry0, uint16_t(EditedTable(stored).Palette[0]));
    QCOMPARE(d.ColorScheme >> 4 == 0, false);
    // Bits of x1 boxes past the protocol's parameters are cleared; bits with no box are kept.
    const int params =
        std::min(byModel.Catalog.CurrentProtocol()->ParamCount, ScreenEnable::OneValueBoxes);
    const uint64_t boxes = (uint64_t(1) << ScreenEnable::OneValueBoxes) - 1;
    QCOMPARE(d.ShowDisp1 & boxes >> params << params, uint64_t(0));
    QVERIFY(r.TankCalibration.TarirLeng <= 68);
    // Copied: QCOMPARE takes references, and the record's fields are packed.
    QCOMPARE(uint16_t(r.ProtocolSettings.PrevProtocol), uint16_t(r.ProtocolSettings.Protocol));
}

QTEST_MAIN(TestEditorOkBytes)
#include "tst_editor_okbytes.moc"
