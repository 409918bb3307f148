#pragma once

#include "catalog/DeviceFlags.h"

// When a menu item exists on a device, or is offered for a hot menu.
enum class TMenuCondition { Always, Voice, AirTemperature, NoAirTemperature };

constexpr bool Holds(TMenuCondition when, const TDeviceFlags& flags) {
    switch (when) {
    case TMenuCondition::Always:
        return true;
    case TMenuCondition::Voice:
        return !flags.NoVoice;
    case TMenuCondition::AirTemperature:
        return !flags.NoAirTemperature;
    case TMenuCondition::NoAirTemperature:
        return flags.NoAirTemperature;
    }
    return false;
}
