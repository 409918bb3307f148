#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

// Flags describing a device: what it can do (capabilities) and which vehicle protocol groups
// it offers. The device variant table gives them; a device model's catalogue holds them.

#define MK_CAPABILITY_FLAGS(X)                                                                     \
    X(NoParkType)                                                                                  \
    X(NoVoice)                                                                                     \
    X(NoAirTemperature)                                                                            \
    X(HasLightsControl)                                                                            \
    X(NoDsSwitch)                                                                                  \
    X(HasTank2)                                                                                    \
    X(HasUniversalInput)                                                                           \
    X(NoParking)                                                                                   \
    X(NoGas)                                                                                       \
    X(NoVag)                                                                                       \
    X(ObdEOnly)                                                                                    \
    X(J1939Extended)                                                                               \
    X(Is24V)                                                                                       \
    X(HasBlocks)                                                                                   \
    X(HasTaximeter)                                                                                \
    X(HasOscilloscope)                                                                             \
    X(ServiceInThousandKm)                                                                         \
    X(HasCanBlocks)

#define MK_PROTOCOL_GROUP_FLAGS(X)                                                                 \
    X(UseCanFamily)                                                                                \
    X(UseM74Can)                                                                                   \
    X(UseM86)                                                                                      \
    X(UseUaz17971)                                                                                 \
    X(UseCanToyota)                                                                                \
    X(UseEstima)                                                                                   \
    X(UsePrius2)                                                                                   \
    X(UsePrius3)                                                                                   \
    X(UseRx400h)                                                                                   \
    X(UseCanFord)                                                                                  \
    X(UseEdc16Iveco)                                                                               \
    X(UseEms3125)                                                                                  \
    X(UseJ1939)                                                                                    \
    X(UseNmea2000)                                                                                 \
    X(UseJ1850)                                                                                    \
    X(UseChrysler)                                                                                 \
    X(UseTobd1)                                                                                    \
    X(UseMikas)                                                                                    \
    X(UseDaewoo)                                                                                   \
    X(UseNissan)                                                                                   \
    X(UseMikas103)                                                                                 \
    X(UseKorvet)                                                                                   \
    X(UseJanuary)                                                                                  \
    X(UseMikas76)                                                                                  \
    X(UseM74)                                                                                      \
    X(UseBoschM797)                                                                                \
    X(UseUaz1797)                                                                                  \
    X(UseSonata)                                                                                   \
    X(UseTiggo)                                                                                    \
    X(UseSubaru)                                                                                   \
    X(UseRenault)                                                                                  \
    X(UseVag)                                                                                      \
    X(UseMitsu3)                                                                                   \
    X(UseObd2)                                                                                     \
    X(UseToyota)                                                                                   \
    X(UseToyota1)                                                                                  \
    X(UseDaihatsu)                                                                                 \
    X(UseMitsu)                                                                                    \
    X(UseOpel)                                                                                     \
    X(UseSsangYong)                                                                                \
    X(UseMitsu4)                                                                                   \
    X(UseConsult)                                                                                  \
    X(UseHonda)                                                                                    \
    X(UseSuzuki)                                                                                   \
    X(UseObdPwm)                                                                                   \
    X(UseDelphi)                                                                                   \
    X(UseUniversal)

#define MK_FLAG_ENUMERATOR(name) name,
enum class TCap : int { MK_CAPABILITY_FLAGS(MK_FLAG_ENUMERATOR) };
enum class TGroup : int { MK_PROTOCOL_GROUP_FLAGS(MK_FLAG_ENUMERATOR) };
#undef MK_FLAG_ENUMERATOR

#define MK_COUNT_ONE(name) +1
constexpr int CapabilityFlagCount = 0 MK_CAPABILITY_FLAGS(MK_COUNT_ONE);
constexpr int ProtocolGroupFlagCount = 0 MK_PROTOCOL_GROUP_FLAGS(MK_COUNT_ONE);
#undef MK_COUNT_ONE

static_assert(CapabilityFlagCount <= 32 && ProtocolGroupFlagCount <= 64);

// A set of capability flags, written as a list in the catalogue tables.
struct TCapMask {
    uint32_t Bits = 0;
    constexpr TCapMask() = default;
    constexpr TCapMask(std::initializer_list<TCap> caps) {
        for (TCap c : caps)
            Bits |= 1u << int(c);
    }
    constexpr bool Has(TCap c) const { return Bits >> int(c) & 1u; }
    constexpr bool Contains(TCapMask other) const { return (Bits & other.Bits) == other.Bits; }
    constexpr TCapMask operator|(TCapMask other) const { return FromBits(Bits | other.Bits); }
    static constexpr TCapMask FromBits(uint32_t bits) {
        TCapMask m;
        m.Bits = bits;
        return m;
    }
};

// A set of protocol-group flags.
struct TGroupMask {
    uint64_t Bits = 0;
    constexpr TGroupMask() = default;
    constexpr TGroupMask(std::initializer_list<TGroup> groups) {
        for (TGroup g : groups)
            Bits |= uint64_t(1) << int(g);
    }
    constexpr bool Has(TGroup g) const { return Bits >> int(g) & 1u; }
    constexpr bool Contains(TGroupMask other) const { return (Bits & other.Bits) == other.Bits; }
    constexpr TGroupMask operator|(TGroupMask other) const { return FromBits(Bits | other.Bits); }
    static constexpr TGroupMask FromBits(uint64_t bits) {
        TGroupMask m;
        m.Bits = bits;
        return m;
    }
};

// The flags in force, one member per flag, named as the flag.
struct TDeviceFlags {
#define MK_FLAG_MEMBER(name) bool name = false;
    MK_CAPABILITY_FLAGS(MK_FLAG_MEMBER)
    MK_PROTOCOL_GROUP_FLAGS(MK_FLAG_MEMBER)
#undef MK_FLAG_MEMBER

    TCapMask Caps() const;
    TGroupMask Groups() const;
    static TDeviceFlags From(TCapMask caps, TGroupMask groups);
    bool operator==(const TDeviceFlags&) const = default;
};

struct TDeviceFlagInfo {
    const char* Name;
    bool TDeviceFlags::*Member;
};

// Every flag by name: the capability flags first, then the protocol-group flags.
std::span<const TDeviceFlagInfo> DeviceFlagList();
