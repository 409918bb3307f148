#include "catalog/DeviceFlags.h"

#include <array>

namespace {

#define MK_FLAG_INFO(name) TDeviceFlagInfo{#name, &TDeviceFlags::name},
constexpr std::array CapabilityInfo = {MK_CAPABILITY_FLAGS(MK_FLAG_INFO)};
constexpr std::array GroupInfo = {MK_PROTOCOL_GROUP_FLAGS(MK_FLAG_INFO)};
constexpr std::array AllInfo = {MK_CAPABILITY_FLAGS(MK_FLAG_INFO)
                                    MK_PROTOCOL_GROUP_FLAGS(MK_FLAG_INFO)};
#undef MK_FLAG_INFO

static_assert(CapabilityInfo.size() == std::size_t(CapabilityFlagCount));
static_assert(GroupInfo.size() == std::size_t(ProtocolGroupFlagCount));

} // namespace

TCapMask TDeviceFlags::Caps() const {
    TCapMask mask;
    for (std::size_t i = 0; i < CapabilityInfo.size(); ++i)
        if (this->*CapabilityInfo[i].Member)
            mask.Bits |= 1u << i;
    return mask;
}

TGroupMask TDeviceFlags::Groups() const {
    TGroupMask mask;
    for (std::size_t i = 0; i < GroupInfo.size(); ++i)
        if (this->*GroupInfo[i].Member)
            mask.Bits |= uint64_t(1) << i;
    return mask;
}

TDeviceFlags TDeviceFlags::From(TCapMask caps, TGroupMask groups) {
    TDeviceFlags flags;
    for (std::size_t i = 0; i < CapabilityInfo.size(); ++i)
        flags.*CapabilityInfo[i].Member = caps.Has(TCap(i));
    for (std::size_t i = 0; i < GroupInfo.size(); ++i)
        flags.*GroupInfo[i].Member = groups.Has(TGroup(i));
    return flags;
}

std::span<const TDeviceFlagInfo> DeviceFlagList() {
    return AllInfo;
}
