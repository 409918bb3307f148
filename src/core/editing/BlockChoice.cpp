#include "editing/BlockChoice.h"

#include "catalog/Protocols.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"

#include <algorithm>
#include <span>

namespace BlockChoice {

namespace {

constexpr int BlockBytes = 32;

TFieldRef Byte(int index) {
    static const TFieldRef blocks = RecordField(u"Blocks");
    return blocks.At(index);
}

bool InRange(int id) {
    return id >= 8 && id < BlockBytes * 8;
}

uint8_t ShowByte(const TMK& mk) {
    return uint8_t(ReadField(mk, Byte(0)));
}

void SetShowByte(TSettingsEditor& editor, int value) {
    StoreField(editor.Mk, Byte(0), value);
}

} // namespace

std::vector<TAddSystem> Catalogue(const TSettingsEditor& editor) {
    return BuildAddSystemList(editor.Flags());
}

bool Chosen(const TMK& mk, int id) {
    return InRange(id) && (ReadField(mk, Byte(id / 8)) >> (id % 8) & 1);
}

void SetChosen(TMK& mk, int id, bool chosen) {
    if (!InRange(id))
        return;
    const int64_t byte = ReadField(mk, Byte(id / 8));
    const int64_t mask = int64_t(1) << (id % 8);
    StoreField(mk, Byte(id / 8), chosen ? byte | mask : byte & ~mask);
}

std::vector<TAddSystem> ChosenEntries(const TMK& mk, const std::vector<TAddSystem>& catalogue) {
    std::vector<TAddSystem> chosen;
    for (const TAddSystem& entry : catalogue)
        if (Chosen(mk, entry.Id))
            chosen.push_back(entry);
    return chosen;
}

void Enter(TSettingsEditor& editor) {
    editor.Reload(ShowName);
    editor.Reload(ViewName);
    editor.BlocksPageActive = true;
    editor.NotifyRecordChanged();
}

void Leave(TSettingsEditor& editor) {
    editor.BlocksPageActive = false;
}

bool LeftDoubleClick(TSettingsEditor& editor, const std::vector<TAddSystem>& catalogue, int row) {
    if (row < 1 || row > int(catalogue.size()))
        return false;
    const int id = catalogue[std::size_t(row - 1)].Id;
    SetChosen(editor.Mk, id, !Chosen(editor.Mk, id));
    editor.NotifyRecordChanged();
    return true;
}

bool RightDoubleClick(TSettingsEditor& editor, const std::vector<TAddSystem>& catalogue, int row) {
    const std::vector<TAddSystem> chosen = ChosenEntries(editor.Mk, catalogue);
    if (row < 1 || row > int(chosen.size()))
        return false;
    SetChosen(editor.Mk, chosen[std::size_t(row - 1)].Id, false);
    editor.NotifyRecordChanged();
    return true;
}

void ApplyShow(TSettingsEditor& editor, int item) {
    if (!editor.BlocksPageActive || item < 0)
        return;
    if (item == ShowAll || item == ShowProtocol) {
        const TProtBase& protocol = editor.Protocol();
        for (const TAddSystem& entry : Catalogue(editor)) {
            bool chosen = true;
            if (item == ShowProtocol) {
                const auto ids =
                    std::span(protocol.BlockIds)
                        .first(std::size_t(std::clamp(protocol.BlockCount, 0, TProtBase::MaxIds)));
                chosen = std::find(ids.begin(), ids.end(), entry.Id) != ids.end();
            }
            SetChosen(editor.Mk, entry.Id, chosen);
        }
    }
    SetShowByte(editor, (ShowByte(editor.Mk) & 0x80) | item);
}

void ApplyView(TSettingsEditor& editor, int item) {
    if (!editor.BlocksPageActive || item < 0)
        return;
    SetShowByte(editor, item * 128 | (ShowByte(editor.Mk) & 3));
}

} // namespace BlockChoice
