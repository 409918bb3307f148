// Undo, redo and the changes since the baseline in the editor's model, on devices of the
// variant table: random user actions undone to the opening bytes and state and redone to
// the final ones; a cascade is one step; putting a change back touches only that setting and
// what its cascade sets; the markers count up through the nested pages.
#include "base/MKError.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"
#include "editing/ColorSchemes.h"
#include "editing/EditBaseline.h"
#include "editing/EditorSession.h"
#include "editing/HotMenus.h"
#include "editing/ScreenChoice.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

#include "ImageKit.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

// A device of the variant table with its factory memory, opened for editing as the main
// window opens it.
struct TDeviceKit {
    TDeviceKit(uint16_t version, uint32_t variant, const std::function<void(TMK&)>& baseline = {}) {
        DeclareDevice(Mk, version, variant);
        if (baseline) {
            // The baseline is the image with the edit; the record is the factory one.
            TMK& mk = Mk;
            baseline(mk);
            mk.PackAll();
            mk.MarkBaseline();
            DeclareDevice(Mk, version, variant);
        }
        Mk.RebuildProtocolList();
        Editor = std::make_unique<TSettingsEditor>(Mk);
        Editor->Show();
    }
    TMK Mk;
    std::unique_ptr<TSettingsEditor> Editor;
};

// The first variant of each row of the variant table (that lists protocols, so the editor
// opens on it).
void AddDevices() {
    QTest::addColumn<uint16_t>("version");
    QTest::addColumn<uint32_t>("variant");
    for (const TVariantRow& row : DeviceVariantRows())
        for (uint32_t v = 0; v < 32; ++v)
            if (row.Variants.Contains(uint8_t(v)) &&
                !CreateProtocolEntries(LookUpDeviceVariant(row.SettingsVersion, uint8_t(v)).Flags)
                     .empty()) {
                QTest::addRow("%04x/%u", row.SettingsVersion, v) << row.SettingsVersion << v;
                break;
            }
}

// A value a user could give the control: a spin value in range on its step, an item that
// can be picked, the box turned over, the text kept.
QVariant RandomValue(TSettingsEditor& editor, const TControlRow& row, QRandomGenerator& random) {
    switch (row.Kind) {
    case TControlKind::Spin: {
        const TRange r = editor.Range(row);
        const double steps = std::floor((r.Max - r.Min) / row.Step);
        return r.Min + row.Step * double(random.bounded(int(std::min(steps, 1e6)) + 1));
    }
    case TControlKind::Radio:
    case TControlKind::List: {
        const qsizetype items = editor.Items(row).size();
        return items ? QVariant(int(random.bounded(int(items)))) : QVariant(-1);
    }
    case TControlKind::Check:
        return !editor.Shown(row).toBool();
    case TControlKind::Edit:
        return editor.Shown(row);
    }
    return {};
}

// One user action: mostly a control's store, sometimes a page's own edit.
void RandomAction(TSettingsEditor& editor, QRandomGenerator& random) {
    const std::vector<TControlRow>& rows = editor.Rows();
    switch (random.bounded(8)) {
    case 0:
        editor.Change([&] {
            ColorSchemes::StoreElementIndex(editor.Mk, TColorGrid::Menu, random.bounded(3),
                                            random.bounded(16));
        });
        return;
    case 1:
        editor.Change([&] { HotMenus::Delete(editor.Mk, random.bounded(4), 0); });
        return;
    default:
        break;
    }
    const TControlRow& row = rows[std::size_t(random.bounded(int(rows.size())))];
    if (!row.Store || !editor.Visible(row) || !editor.Enabled(row))
        return;
    try {
        editor.Put(row, RandomValue(editor, row, random));
    } catch (const TMKError&) {
        // Refused: nothing changed.
    }
}

QByteArray Bytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

// Whether two records hold the same bytes outside the given fields.
bool SameOutside(QByteArray a, QByteArray b, const QList<const char*>& fields) {
    for (const char* name : fields) {
        const TFieldRef f = RecordField(QString::fromLatin1(name));
        const auto at = qsizetype(BlockInfo(f.Block).RecordOffset + f.Field->Offset);
        const auto size = qsizetype(FieldBytes(*f.Field));
        a.replace(at, size, QByteArray(size, '\0'));
        b.replace(at, size, QByteArray(size, '\0'));
    }
    return a == b;
}

const TSettingChange* Find(const std::vector<TSettingChange>& changes, const QString& control) {
    for (const TSettingChange& c : changes)
        if (c.Control == control)
            return &c;
    return nullptr;
}

} // namespace

class TestEditHistory : public QObject {
    Q_OBJECT

private slots:
    void undoAllOpensRedoAllEnds_data();
    void undoAllOpensRedoAllEnds();
    void cascadeIsOneStep_data();
    void cascadeIsOneStep();
    void revertOneSettingTouchesOnlyIt();
    void markersCountUpThroughPagesAndGoWithUndo();
    void baselineOfTheDeviceModelIsMarked();
};

void TestEditHistory::undoAllOpensRedoAllEnds_data() {
    AddDevices();
}

// Random actions, then undo of every one gives the opening bytes and state (protocol, shown
// values, colour page), redo of every one the final ones.
void TestEditHistory::undoAllOpensRedoAllEnds() {
    QFETCH(uint16_t, version);
    QFETCH(uint32_t, variant);
    TDeviceKit kit(version, variant);
    TSettingsEditor& editor = *kit.Editor;
    QVERIFY(!editor.CanUndo() && !editor.CanRedo());
    const TEditorSnapshot opening = editor.Snapshot();
    const QByteArray openingBytes = Bytes(kit.Mk);
    QRandomGenerator random(version * 32 + variant);
    int told = 0;
    editor.RecordChanged = [&told] { ++told; };
    for (int i = 0; i < 60; ++i)
        RandomAction(editor, random);
    const TEditorSnapshot final = editor.Snapshot();
    const QByteArray finalBytes = Bytes(kit.Mk);
    QVERIFY(openingBytes != finalBytes);
    int steps = 0;
    while (editor.CanUndo()) {
        editor.Undo();
        ++steps;
    }
    QVERIFY(steps > 10);
    QVERIFY(editor.Snapshot() == opening);
    QCOMPARE(Bytes(kit.Mk), openingBytes);
    QCOMPARE(kit.Mk.Catalog.CurrentProtocol(), opening.Protocol);
    while (editor.CanRedo()) {
        editor.Redo();
        --steps;
    }
    QCOMPARE(steps, 0);
    QVERIFY(editor.Snapshot() == final);
    QCOMPARE(Bytes(kit.Mk), finalBytes);
    QVERIFY(told >= 2 * 10);
}

void TestEditHistory::cascadeIsOneStep_data() {
    QTest::addColumn<QString>("control");
    // A protocol with its sub-types and lists; a factory scheme with its colour table.
    QTest::newRow("protocol") << QStringLiteral("cbProtocol");
    QTest::newRow("scheme") << ColorSchemes::SchemeControl;
}

void TestEditHistory::cascadeIsOneStep() {
    QFETCH(QString, control);
    const auto [version, variant] = DeviceWith(TCapMask{});
    TDeviceKit kit(version, variant);
    TSettingsEditor& editor = *kit.Editor;
    editor.Change([&] {
        ColorSchemes::StoreElementIndex(kit.Mk, TColorGrid::Digit, 0, 5);
        StoreField(kit.Mk, RecordField(u"ProtTypeMain"), 1);
    });
    const TEditorSnapshot before = editor.Snapshot();
    editor.Put(control, (editor.Shown(control).toInt() + 1) % 3);
    const TEditorSnapshot after = editor.Snapshot();
    QVERIFY(after.Record != before.Record);
    if (control == QStringLiteral("cbProtocol"))
        QVERIFY(after.Protocol != before.Protocol);
    editor.Undo();
    QVERIFY(editor.Snapshot() == before);
    QVERIFY(editor.CanUndo()); // the edit before it is a step of its own
    editor.Redo();
    QVERIFY(editor.Snapshot() == after);
    QVERIFY(!editor.CanRedo());
    // An action that changes nothing is no step and keeps redo; one that changes drops it.
    editor.Undo();
    editor.Put(QStringLiteral("seExpenseCorr"), editor.Shown(QStringLiteral("seExpenseCorr")));
    QVERIFY(editor.CanRedo());
    editor.Put(QStringLiteral("seVelocityCorr"), 4.0);
    QVERIFY(!editor.CanRedo());
}

// "Вернуть" of one setting: the record changes in that field alone (and in what its cascade
// sets), the other changes stay, and one undo brings it back.
void TestEditHistory::revertOneSettingTouchesOnlyIt() {
    const auto [version, variant] = DeviceWith(TCapMask{});
    TDeviceKit kit(version, variant);
    TSettingsEditor& editor = *kit.Editor;
    editor.Put(QStringLiteral("seVelocityCorr"), 12.5);
    editor.Put(QStringLiteral("seExpenseCorr"), -3.0);
    editor.Put(QStringLiteral("cbProtocol"),
               (editor.Shown(QStringLiteral("cbProtocol")).toInt() + 1) % 3);
    editor.Change([&] { HotMenus::Clear(kit.Mk, 1); });
    std::vector<TSettingChange> changes = editor.Baseline().Changes(editor);
    const TSettingChange* velocity = Find(changes, QStringLiteral("seVelocityCorr"));
    QVERIFY(velocity && Find(changes, QStringLiteral("cbProtocol")));
    QCOMPARE(velocity->Now, QStringLiteral("12.5"));
    QVERIFY(velocity->Line().startsWith(QStringLiteral("Поправки › Скорость, %: ")));

    QByteArray before = Bytes(kit.Mk);
    RevertChanges(editor, {*velocity});
    QVERIFY(SameOutside(before, Bytes(kit.Mk), {"VelocityCorr"}));
    changes = editor.Baseline().Changes(editor);
    QVERIFY(!Find(changes, QStringLiteral("seVelocityCorr")));
    QVERIFY(Find(changes, QStringLiteral("seExpenseCorr")));
    editor.Undo();
    QCOMPARE(Bytes(kit.Mk), before);

    // The protocol back brings its cascade: the previous protocol and the sub-types.
    changes = editor.Baseline().Changes(editor);
    before = Bytes(kit.Mk);
    RevertChanges(editor, {*Find(changes, QStringLiteral("cbProtocol"))});
    QVERIFY(SameOutside(before, Bytes(kit.Mk),
                        {"Protocol", "PrevProtocol", "ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd2",
                         "ProtTypeAdd3", "ProtTypeAdd4", "ProtTypeAdd5", "ProtTypeAdd6",
                         "ProtTypeAdd7"}));
    QVERIFY(!Find(editor.Baseline().Changes(editor), QStringLiteral("cbProtocol")));

    // A hot menu, a page part, back byte for byte, with the rest left.
    changes = editor.Baseline().Changes(editor);
    const auto hot = std::find_if(changes.begin(), changes.end(), [](const TSettingChange& c) {
        return c.Page == QStringLiteral("tsHotMenu");
    });
    QVERIFY(hot != changes.end() && hot->Control.isEmpty());
    QCOMPARE(hot->Now, QStringLiteral("—"));
    before = Bytes(kit.Mk);
    RevertChanges(editor, {*hot});
    QVERIFY(SameOutside(before, Bytes(kit.Mk), {"HotMenus"}));
    QCOMPARE(editor.Baseline().Changes(editor).size(), changes.size() - 1);
    QVERIFY(editor.Baseline().Changes(editor).size() > 1);
}

// Markers: a change on a nested page counts on it and on every page above; undo takes it away.
void TestEditHistory::markersCountUpThroughPagesAndGoWithUndo() {
    const auto [version, variant] = DeviceWith(TCapMask{});
    TDeviceKit kit(version, variant);
    TSettingsEditor& editor = *kit.Editor;
    QCOMPARE(editor.Baseline().Marks(editor).Count, 0);
    const int index = ColorSchemes::ElementIndex(kit.Mk, TColorGrid::Menu, 1);
    editor.Change(
        [&] { ColorSchemes::StoreElementIndex(kit.Mk, TColorGrid::Menu, 1, (index + 1) % 16); });
    editor.Put(QStringLiteral("seVelocityCorr"), 4.0);
    TChangeMarks marks = editor.Baseline().Marks(editor);
    QCOMPARE(marks.Count, 2);
    QCOMPARE(marks.Pages.value(QStringLiteral("tsColorMenu")), 1);
    QCOMPARE(marks.Pages.value(QStringLiteral("tsColors")), 1);
    QCOMPARE(marks.Pages.value(QStringLiteral("tsDisp")), 1);
    QCOMPARE(marks.Pages.value(QStringLiteral("TabSheet2")), 1);
    QVERIFY(!marks.Pages.contains(QStringLiteral("tsColorGraph")));
    const TControlRow& velocity = editor.RowOrThrow(QStringLiteral("seVelocityCorr"));
    QVERIFY(marks.Controls[std::size_t(&velocity - editor.Rows().data())]);
    editor.Undo();
    marks = editor.Baseline().Marks(editor);
    QCOMPARE(marks.Count, 1);
    QVERIFY(!marks.Pages.contains(QStringLiteral("TabSheet2")));
    editor.Undo();
    QCOMPARE(editor.Baseline().Marks(editor).Count, 0);
}

// The device model's baseline (another protocol, the first hot menu empty) is shown the way
// the editor shows settings, while the editor stands where it opened.
void TestEditHistory::baselineOfTheDeviceModelIsMarked() {
    const auto [version, variant] = DeviceWith(TCapMask{});
    int baseProtocol = 0;
    TDeviceKit kit(version, variant, [&baseProtocol](TMK& mk) {
        baseProtocol = mk.Record.ProtocolSettings.Protocol == 1 ? 2 : 1;
        mk.Record.ProtocolSettings.Protocol = uint16_t(baseProtocol);
        HotMenus::Clear(mk, 0);
    });
    TSettingsEditor& editor = *kit.Editor;
    const std::vector<TSettingChange> changes = editor.Baseline().Changes(editor);
    const TSettingChange* protocol = Find(changes, QStringLiteral("cbProtocol"));
    QVERIFY(protocol);
    QCOMPARE(protocol->Was, kit.Mk.Catalog.Protocols()[std::size_t(baseProtocol)]->ProtName);
    QCOMPARE(protocol->Now, kit.Mk.Catalog.CurrentProtocol()->ProtName);
    const TControlRow& row = editor.RowOrThrow(QStringLiteral("cbProtocol"));
    QCOMPARE(editor.Baseline().Text(editor, row), protocol->Was);
    QVERIFY(std::any_of(changes.begin(), changes.end(), [](const TSettingChange& c) {
        return c.Page == QStringLiteral("tsHotMenu") && c.Was == QStringLiteral("—");
    }));
    QCOMPARE(editor.Baseline().State().Protocol,
             kit.Mk.Catalog.Protocols()[std::size_t(baseProtocol)].get());
    QVERIFY(kit.Mk.Catalog.CurrentProtocol() !=
            kit.Mk.Catalog.Protocols()[std::size_t(baseProtocol)].get());
    QVERIFY(!editor.CanUndo());
    // Put back, the editor has nothing left to mark there.
    RevertChanges(editor, changes);
    QCOMPARE(editor.Baseline().Marks(editor).Count, 0);
    QCOMPARE(kit.Mk.Catalog.CurrentProtocol(),
             kit.Mk.Catalog.Protocols()[std::size_t(baseProtocol)].get());
}

QTEST_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
