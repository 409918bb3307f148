#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <vector>

// The editor's menus for adding MK menu items to the four hot menus (general, averages and
// trips, taximeter, parking sensors). Items are named; the editor looks each name up in the
// menu item catalogue and leaves out names it does not hold.

constexpr int HotMenuListCount = 4;

struct THotMenuEntry {
    QString Caption;  // a sub-menu's caption; empty for an item
    QString ItemName; // the menu item's Name; empty for a sub-menu
    std::vector<THotMenuEntry> Children;
};

// The add menu of hot menu `list` (0..3) for the device flags given.
std::vector<THotMenuEntry> HotMenuInsertMenu(int list, const TDeviceFlags& flags);
