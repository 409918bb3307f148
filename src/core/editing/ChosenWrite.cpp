#include "editing/ChosenWrite.h"

#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsDiff.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

#include <QHash>
#include <QVariant>
#include <cstring>

namespace {

// What the named controls show for the MK's settings.
QHash<QString, QVariant> ShownValues(TMK& mk, const std::vector<TControlChange>& controls) {
    QHash<QString, QVariant> shown;
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        for (const TControlChange& change : controls)
            shown.insert(change.Control, editor.Shown(change.Control));
        return false;
    });
    return shown;
}

QString CannotKeep(const TControlChange& change) {
    return QStringLiteral("Нельзя оставить в МК «%1 › %2»: его значение не сочетается с "
                          "выбранными изменениями.")
        .arg(change.Page, change.Caption.isEmpty() ? change.Control : change.Caption);
}

// Stores the MK's values into the controls, in table order (a protocol before its
// sub-types, a point count before its points), and keeps in `chosen` only the record bytes
// those stores changed: what opening the editor alone would change stays out.
void PutBackControls(TMK& device, TMK& chosen, const std::vector<TControlChange>& controls) {
    const QHash<QString, QVariant> values = ShownValues(device, controls);
    TSettingsRecord opened{}, stored{};
    RunEditorModel(chosen, [&](TSettingsEditor& editor) {
        opened = chosen.Record;
        // A cascade may have put back what follows it already (a protocol's sub-types).
        for (const TControlRow& row : editor.Rows())
            if (values.contains(row.Name) && editor.Shown(row) != values.value(row.Name))
                SettingAssignment::Put(editor, row, values.value(row.Name));
        for (const TControlChange& change : controls)
            if (editor.Shown(change.Control) != values.value(change.Control))
                throw TMKError(CannotKeep(change));
        stored = chosen.Record;
        return false;
    });
    const auto* before = reinterpret_cast<const uint8_t*>(&opened);
    const auto* after = reinterpret_cast<const uint8_t*>(&stored);
    auto* record = reinterpret_cast<uint8_t*>(&chosen.Record);
    for (std::size_t i = 0; i < sizeof(TSettingsRecord); ++i)
        if (before[i] != after[i])
            record[i] = after[i];
}

void CopyField(const TMK& device, TMK& chosen, TBlock block, const TFieldInfo& field) {
    std::memcpy(chosen.BlockBytes(block) + field.Offset, device.BlockBytes(block) + field.Offset,
                FieldBytes(field));
}

// A field the editor shows as page data, or a journal or the totals of a block.
void CopyFromDevice(const TMK& device, TMK& chosen, const TFieldChange& change) {
    if (!change.Whole) {
        if (const auto found = FindRecordField(change.Field))
            CopyField(device, chosen, found->Block, *found->Field);
        return;
    }
    for (const TBlockInfo& block : BlockTable()) {
        if (change.Field != QLatin1String(block.Name))
            continue;
        for (const TFieldInfo& field : BlockFields(block.Block))
            if (ReportedAsWhole(field.Type))
                CopyField(device, chosen, block.Block, field);
    }
}

} // namespace

QByteArray ChosenImage(TMK& device, TMK& toWrite, const TSettingsDiff& notChosen) {
    if (notChosen.Empty())
        return toWrite.Image;
    TMK chosen;
    chosen.SettingsVersion = toWrite.SettingsVersion;
    chosen.Image = toWrite.Image;
    chosen.ReadDirectory();
    chosen.Record = toWrite.Record;
    if (!notChosen.Controls.empty())
        PutBackControls(device, chosen, notChosen.Controls);
    for (const TFieldChange& change : notChosen.Fields)
        CopyFromDevice(device, chosen, change);
    chosen.PackAll();
    return chosen.Image;
}
