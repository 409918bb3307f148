#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <span>

// The device variant table: what each (settings version, variant) pair is and offers.

// The variants a row applies to: every variant, or a set of variants 0..31.
struct TVariantSet {
    bool Any = false;
    uint32_t Mask = 0;
    constexpr bool Contains(uint8_t variant) const {
        return Any || (variant < 32 && (Mask >> variant & 1u));
    }
};

constexpr TVariantSet AnyVariant{true, 0};
constexpr TVariantSet Variants(std::initializer_list<int> variants) {
    TVariantSet set;
    for (int v : variants)
        set.Mask |= 1u << v;
    return set;
}
constexpr TVariantSet VariantRange(int first, int last) {
    TVariantSet set;
    for (int v = first; v <= last; ++v)
        set.Mask |= 1u << v;
    return set;
}

enum TDesignation : bool { NoDesignation = false, Designated = true };

struct TVariantRow {
    uint16_t SettingsVersion;
    TVariantSet Variants;
    TDesignation Designation;
    TCapMask Caps;
    TGroupMask Groups;
};

std::span<const TVariantRow> DeviceVariantRows();

struct TDeviceVariant {
    QString ProjectName; // empty for unknown devices and rows without a designation
    TDeviceFlags Flags;  // all clear for unknown devices
};

// The first row that lists the pair; an unlisted pair is an unknown device.
TDeviceVariant LookUpDeviceVariant(uint16_t settingsVersion, uint8_t variant);
