#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// The MK's menu items, numbered as the MK numbers them; the hot menus store these ids.

class TMKMenuItem {
public:
    TMKMenuItem(QString name, QString caption);

    QString Caption; // shown in the editor's hot-menu tables and menus
    QString Name;    // the program's key for the item
    uint16_t Id = 0; // 1-based position in MenuItemList
};

extern std::vector<std::unique_ptr<TMKMenuItem>> MenuItemList;

// Rebuilds MenuItemList for the NoVoice and NoAirTemperature flags in force.
void BuildMenuItemList();
// Exact, case-sensitive match; null when absent.
const TMKMenuItem* FindMenuItem(const QString& name);
// Null when absent (also for 0, the empty slot).
const TMKMenuItem* FindMenuItemById(uint16_t id);
