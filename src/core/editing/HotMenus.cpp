#include "editing/HotMenus.h"

#include "base/MKError.h"
#include "catalog/HotMenuLayout.h"
#include "catalog/MenuItems.h"
#include "editing/DisplayTexts.h"
#include "model/DeviceModel.h"

#include <algorithm>
#include <array>

namespace HotMenus {

namespace {

using TList = std::array<uint16_t, RowCount>;

void CheckList(int list) {
    if (list < 0 || list >= ListCount)
        throw TRangeError();
}

void CheckRow(int row) {
    if (row < 0 || row >= RowCount)
        throw TRangeError();
}

TList Read(const TMK& mk, int list) {
    CheckList(list);
    TList entries;
    for (int r = 0; r < RowCount; ++r)
        entries[std::size_t(r)] = mk.Record.DisplaySettings.HotMenus[list][r];
    return entries;
}

// Stores the list compacted.
void Write(TMK& mk, int list, TList entries) {
    std::stable_partition(entries.begin(), entries.end(), [](uint16_t id) { return id != 0; });
    for (int r = 0; r < RowCount; ++r)
        mk.Record.DisplaySettings.HotMenus[list][r] = entries[std::size_t(r)];
}

void Resolve(const TDeviceCatalog& catalog, const std::vector<THotMenuEntry>& entries,
             std::vector<TChoice>& out) {
    for (const THotMenuEntry& entry : entries) {
        if (entry.ItemName.isEmpty()) {
            TChoice sub{entry.Caption, 0, {}};
            Resolve(catalog, entry.Children, sub.Children);
            out.push_back(std::move(sub));
        } else if (const TMKMenuItem* item = catalog.FindMenuItem(entry.ItemName);
                   item && item->Id) {
            out.push_back({item->Caption, item->Id, {}});
        }
    }
}

} // namespace

QString GridName(int list) {
    static const char* const Names[ListCount] = {"sghmParams", "sghmAver", "sghmTax", "sghmPark"};
    CheckList(list);
    return QString::fromLatin1(Names[list]);
}

QString ListCaption(int list) {
    CheckList(list);
    const QString captions[ListCount] = {DisplayTexts::HotParams, DisplayTexts::HotAverages,
                                         DisplayTexts::HotTaximeter, DisplayTexts::HotParking};
    return captions[list];
}

QStringList RowMenu() {
    return {DisplayTexts::InsertItem, DisplayTexts::DeleteItem, DisplayTexts::ClearList};
}

uint16_t Entry(const TMK& mk, int list, int row) {
    CheckRow(row);
    return Read(mk, list)[std::size_t(row)];
}

QString Caption(const TDeviceCatalog& catalog, uint16_t id) {
    const TMKMenuItem* item = id ? catalog.FindMenuItemById(id) : nullptr;
    return item ? item->Caption : QString();
}

void Compact(TMK& mk, int list) {
    Write(mk, list, Read(mk, list));
}

void CompactAll(TMK& mk) {
    for (int list = 0; list < ListCount; ++list)
        Compact(mk, list);
}

void Insert(TMK& mk, int list, int row, uint16_t id) {
    TList entries = Read(mk, list);
    CheckRow(row);
    std::move_backward(entries.begin() + row, entries.end() - 1, entries.end());
    entries[std::size_t(row)] = id;
    Write(mk, list, entries);
}

void Delete(TMK& mk, int list, int row) {
    TList entries = Read(mk, list);
    CheckRow(row);
    entries[std::size_t(row)] = 0;
    Write(mk, list, entries);
}

void Clear(TMK& mk, int list) {
    CheckList(list);
    Write(mk, list, TList{});
}

void Move(TMK& mk, int list, int from, int to) {
    TList entries = Read(mk, list);
    CheckRow(from);
    CheckRow(to);
    if (from < to)
        std::rotate(entries.begin() + from, entries.begin() + from + 1, entries.begin() + to + 1);
    else
        std::rotate(entries.begin() + to, entries.begin() + from, entries.begin() + from + 1);
    Write(mk, list, entries);
}

std::vector<TChoice> InsertChoices(const TDeviceCatalog& catalog, int list) {
    CheckList(list);
    std::vector<TChoice> choices;
    Resolve(catalog, HotMenuInsertMenu(list, catalog.Flags()), choices);
    return choices;
}

} // namespace HotMenus
