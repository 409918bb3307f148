#pragma once

// The protocol catalogue's rows; Protocols.cpp turns the enabled rows into entries.

#include "catalog/DeviceFlags.h"

#include <cstdint>
#include <initializer_list>
#include <span>

// Which flags must be set and which clear for a row to apply.
struct TCondition {
    TGroupMask Groups;
    TCapMask Caps;
    TCapMask NoCaps;

    constexpr TCondition And(TGroup g) const { return {Groups | TGroupMask{g}, Caps, NoCaps}; }
    constexpr TCondition And(TCap c) const { return {Groups, Caps | TCapMask{c}, NoCaps}; }
    constexpr TCondition AndNot(TCap c) const { return {Groups, Caps, NoCaps | TCapMask{c}}; }
    bool Holds(const TDeviceFlags& flags) const {
        const TCapMask caps = flags.Caps();
        return flags.Groups().Contains(Groups) && caps.Contains(Caps) &&
               (caps.Bits & NoCaps.Bits) == 0;
    }
};

constexpr TCondition Always{};
constexpr TCondition When(TGroup g) {
    return Always.And(g);
}
constexpr TCondition When(TCap c) {
    return Always.And(c);
}

// The eight per-entry flags, written as the letters C E G O F L B H.
namespace ProtFlag {
constexpr uint8_t CoolantTemp = 1, EcuErrors = 2, GearboxOilTemp = 4, EngineOilTemp = 8,
                  FanControl = 16, LightsType = 32, BatteryVoltageSource = 64, Hybrid = 128;
} // namespace ProtFlag

consteval uint8_t Flags(const char* letters) {
    uint8_t flags = 0;
    for (const char* p = letters; *p; ++p) {
        switch (*p) {
        case 'C':
            flags |= ProtFlag::CoolantTemp;
            break;
        case 'E':
            flags |= ProtFlag::EcuErrors;
            break;
        case 'G':
            flags |= ProtFlag::GearboxOilTemp;
            break;
        case 'O':
            flags |= ProtFlag::EngineOilTemp;
            break;
        case 'F':
            flags |= ProtFlag::FanControl;
            break;
        case 'L':
            flags |= ProtFlag::LightsType;
            break;
        case 'B':
            flags |= ProtFlag::BatteryVoltageSource;
            break;
        case 'H':
            flags |= ProtFlag::Hybrid;
            break;
        default:
            throw "unknown protocol flag letter";
        }
    }
    return flags;
}

struct TOptionDef {
    int Option;
    const char* Caption;
    std::initializer_list<const char*> Values;
};

struct TOptionSet {
    std::initializer_list<const TOptionDef*> Options;
    uint8_t Flags;
};

// An identifier list that is either given (possibly empty) or absent.
struct TIdList {
    bool Given = false;
    std::initializer_list<uint8_t> Ids = {};
};

// What changes in a row when its condition holds.
struct TAlternative {
    TCondition When = Always;
    const char* Name = nullptr;
    TIdList Params = {};
    TIdList Blocks = {};
    uint8_t Flags = 0;
};

struct TProtRow {
    const char* Name;
    uint8_t Code;
    int ErrorFormat;
    TCondition EnabledWhen;
    std::initializer_list<uint8_t> Params; // after the common 1..16
    std::initializer_list<uint8_t> Blocks;
    int FuelSensors;
    uint8_t Flags; // the entry's complete set of the eight flags
    std::initializer_list<const TOptionDef*> Options = {};
    const TOptionSet* SharedOptions = nullptr;
    TAlternative Alt = {};
};

// The rows created only when UseCanFamily is set, then all others, each in list order.
std::span<const TProtRow> CanFamilyProtocolRows();
std::span<const TProtRow> OtherProtocolRows();
