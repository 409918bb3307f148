#pragma once

#include "catalog/DeviceFlags.h"

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
    uint16_t Id = 0; // 1-based position in the list
};

// The items a device with these flags has (NoVoice and NoAirTemperature decide), in order; a
// device model's TDeviceCatalog holds its list.
std::vector<std::unique_ptr<TMKMenuItem>> CreateMenuItems(const TDeviceFlags& flags);
