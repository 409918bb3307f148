#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <cstdint>
#include <vector>

// The additional vehicle systems (control units) the MK can poll, as the editor offers them.
// A system's id is its bit in the record's Blocks field.

struct TAddSystem {
    uint8_t Id;
    QString Name;
};

constexpr int MaxAddSystems = 201;

// The systems the device offers, in catalogue order.
std::vector<TAddSystem> BuildAddSystemList(const TDeviceFlags& flags);
