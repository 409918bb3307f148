#include "catalog/DeviceCatalog.h"

#include "base/MKError.h"
#include "catalog/MeasuredParams.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "catalog/Variants.h"

#include <algorithm>
#include <mutex>

struct TCatalogLists {
    explicit TCatalogLists(const TDeviceFlags& flags) {
        for (auto& entry : CreateProtocolEntries(flags))
            Protocols.push_back(std::move(entry));
        for (auto& item : CreateMenuItems(flags))
            MenuItems.push_back(std::move(item));
        for (auto& param : BuildMeasParList(flags)) {
            if (!MeasParamsById[param->Id])
                MeasParamsById[param->Id] = param.get();
            MeasParams.push_back(std::move(param));
        }
    }

    TDeviceCatalog::TList<TProtBase> Protocols;
    TDeviceCatalog::TList<TMKMenuItem> MenuItems;
    TDeviceCatalog::TList<TMeasParBase> MeasParams;
    std::array<const TMeasParBase*, 256> MeasParamsById{};
};

namespace {

// The lists of every flag set the variant table holds (and the unknown device's), each built
// on first use, once, whichever thread asks first; a built list never changes. Flags no
// device has (a test's) get lists of their own.
class TSharedLists {
public:
    TSharedLists() {
        std::vector<TDeviceFlags> distinct{TDeviceFlags{}};
        for (const TVariantRow& row : DeviceVariantRows()) {
            const TDeviceFlags flags = TDeviceFlags::From(row.Caps, row.Groups);
            if (std::find(distinct.begin(), distinct.end(), flags) == distinct.end())
                distinct.push_back(flags);
        }
        Count = distinct.size();
        Slots = std::make_unique<TSlot[]>(Count);
        for (std::size_t i = 0; i < Count; ++i) {
            Slots[i].Caps = distinct[i].Caps();
            Slots[i].Groups = distinct[i].Groups();
        }
    }

    std::shared_ptr<const TCatalogLists> For(const TDeviceFlags& flags) const {
        const TCapMask caps = flags.Caps();
        const TGroupMask groups = flags.Groups();
        for (std::size_t i = 0; i < Count; ++i) {
            TSlot& slot = Slots[i];
            if (slot.Caps.Bits != caps.Bits || slot.Groups.Bits != groups.Bits)
                continue;
            std::call_once(slot.Once,
                           [&] { slot.Lists = std::make_shared<const TCatalogLists>(flags); });
            return slot.Lists;
        }
        return std::make_shared<const TCatalogLists>(flags);
    }

private:
    struct TSlot {
        TCapMask Caps;
        TGroupMask Groups;
        std::once_flag Once;
        std::shared_ptr<const TCatalogLists> Lists; // set once, under Once
    };
    std::unique_ptr<TSlot[]> Slots;
    std::size_t Count = 0;
};

std::shared_ptr<const TCatalogLists> SharedLists(const TDeviceFlags& flags) {
    static const TSharedLists lists;
    return lists.For(flags);
}

} // namespace

TDeviceCatalog::TDeviceCatalog() : TDeviceCatalog(TDeviceFlags{}) {}

TDeviceCatalog::TDeviceCatalog(uint16_t settingsVersion, uint8_t variant) {
    TDeviceVariant device = LookUpDeviceVariant(settingsVersion, variant);
    DeviceFlags = device.Flags;
    Name = std::move(device.ProjectName);
    Lists = SharedLists(DeviceFlags);
}

TDeviceCatalog::TDeviceCatalog(const TDeviceFlags& flags, QString projectName)
    : DeviceFlags(flags), Name(std::move(projectName)), Lists(SharedLists(flags)) {}

const TDeviceCatalog::TList<TProtBase>& TDeviceCatalog::Protocols() const {
    return Lists->Protocols;
}

void TDeviceCatalog::SelectProtocol(int index) {
    if (index < 0 || index >= int(Lists->Protocols.size())) {
        Current = nullptr;
        throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    Current = Lists->Protocols[std::size_t(index)].get();
}

void TDeviceCatalog::RestoreProtocol(const TProtBase* entry) {
    const auto& list = Lists->Protocols;
    if (entry == nullptr ||
        std::any_of(list.begin(), list.end(), [entry](const auto& p) { return p.get() == entry; }))
        Current = entry;
}

int TDeviceCatalog::AppendProtocol(std::shared_ptr<const TProtBase> entry) {
    auto own = std::make_shared<TCatalogLists>(*Lists);
    own->Protocols.push_back(std::move(entry));
    Lists = std::move(own);
    return int(Lists->Protocols.size()) - 1;
}

const TDeviceCatalog::TList<TMKMenuItem>& TDeviceCatalog::MenuItems() const {
    return Lists->MenuItems;
}

const TMKMenuItem* TDeviceCatalog::FindMenuItem(const QString& name) const {
    for (const auto& item : Lists->MenuItems)
        if (item->Name == name)
            return item.get();
    return nullptr;
}

const TMKMenuItem* TDeviceCatalog::FindMenuItemById(uint16_t id) const {
    const auto& items = Lists->MenuItems;
    return id >= 1 && id <= items.size() ? items[id - 1u].get() : nullptr;
}

const TDeviceCatalog::TList<TMeasParBase>& TDeviceCatalog::MeasParams() const {
    return Lists->MeasParams;
}

void TDeviceCatalog::ReplaceMeasParam(std::shared_ptr<const TMeasParBase> param) {
    auto own = std::make_shared<TCatalogLists>(*Lists);
    for (auto& entry : own->MeasParams)
        if (entry->Id == param->Id && own->MeasParamsById[param->Id] == entry.get())
            entry = param;
    own->MeasParamsById[param->Id] = param.get();
    Lists = std::move(own);
}

const TMeasParBase* TDeviceCatalog::FindMeasParam(int id) const {
    const auto& byId = Lists->MeasParamsById;
    return id >= 0 && id < int(byId.size()) ? byId[std::size_t(id)] : nullptr;
}
