#pragma once

// The four hot menus of the record: ten menu item ids each, 0 for an empty row, kept
// compact (items first, in their order, empty rows last), and the editing the "Горячие
// меню" page offers.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class TMK;
class TDeviceCatalog;

namespace HotMenus {

constexpr int ListCount = 4;
constexpr int RowCount = 10;

// Grid object names and captions of the lists, in list order.
QString GridName(int list);
QString ListCaption(int list);
// The right-click menu of a row: insert, delete, clear.
QStringList RowMenu();
enum TRowAction { InsertAction, DeleteAction, ClearAction };

// TRangeError for a list or row outside the record.
uint16_t Entry(const TMK& mk, int list, int row);
// The caption of an entry's menu item; empty for 0 or an id the catalogue does not hold.
QString Caption(const TDeviceCatalog& catalog, uint16_t id);

// Non-zero ids keep their order, zeros move to the end.
void Compact(TMK& mk, int list);
void CompactAll(TMK& mk);
// Rows row..8 move one down (row 9 is lost), the id goes into the row; then compacts.
void Insert(TMK& mk, int list, int row, uint16_t id);
// The row is emptied; compacting closes the gap.
void Delete(TMK& mk, int list, int row);
void Clear(TMK& mk, int list);
// The entry moves from one row to another; those between shift by one. Then compacts.
void Move(TMK& mk, int list, int from, int to);

// An entry of an insertion menu: a menu item (Id non-zero) or a sub-menu (Children).
struct TChoice {
    QString Caption;
    uint16_t Id = 0;
    std::vector<TChoice> Children;
    bool IsSubMenu() const { return Id == 0; }
};
// The insertion menu of a list for the catalogue's device, each named item looked up in its
// menu items; names it does not hold are left out.
std::vector<TChoice> InsertChoices(const TDeviceCatalog& catalog, int list);

} // namespace HotMenus
