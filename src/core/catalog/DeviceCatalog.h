#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TProtBase;
class TMKMenuItem;
class TMeasParBase;

// The lists that follow the device flags alone. Shared between every catalogue of the same
// flags and never changed once built.
struct TCatalogLists;

// The catalogues a device model's settings are read with: the device's flags and name, the
// protocols it offers with the one the record selects, its menu items and its measured
// parameters. Each model holds its own, so two models of different devices each answer for
// their own device; copying one is cheap (the lists are shared, read-only).
class TDeviceCatalog {
public:
    template <class T> using TList = std::vector<std::shared_ptr<const T>>;

    // A device of unknown capabilities: every flag clear, no name, no current protocol.
    TDeviceCatalog();
    // The device the variant table lists for the pair (all flags clear when unlisted).
    TDeviceCatalog(uint16_t settingsVersion, uint8_t variant);
    // A device with these flags and name.
    explicit TDeviceCatalog(const TDeviceFlags& flags, QString projectName = QString());

    const TDeviceFlags& Flags() const { return DeviceFlags; }
    // Our model designation of the device; empty when it has none.
    const QString& ProjectName() const { return Name; }

    // The protocols the device offers, in the order the record's protocol index counts them.
    const TList<TProtBase>& Protocols() const;
    // The entry at the selected index; null when none is selected.
    const TProtBase* CurrentProtocol() const { return Current; }
    // Makes the entry at index the current protocol. Outside the list there is none, and
    // TMKError "List index out of bounds (N)" is thrown.
    void SelectProtocol(int index);
    // Puts back an entry of this catalogue's list that was current before (undo, redo); null
    // for none. An entry from another list is ignored.
    void RestoreProtocol(const TProtBase* entry);
    // Appends an entry of the caller's to this catalogue's list alone (the tests' protocols
    // of chosen parameters); returns its index.
    int AppendProtocol(std::shared_ptr<const TProtBase> entry);

    // The MK's menu items; an item's Id is its 1-based position.
    const TList<TMKMenuItem>& MenuItems() const;
    // Exact, case-sensitive match; null when absent.
    const TMKMenuItem* FindMenuItem(const QString& name) const;
    // Null when absent (also for 0, the empty slot).
    const TMKMenuItem* FindMenuItemById(uint16_t id) const;

    // Measured-parameter descriptors in their fixed order, and the first by identifier.
    const TList<TMeasParBase>& MeasParams() const;
    const TMeasParBase* FindMeasParam(int id) const;
    // Puts a descriptor of the caller's in place of the one with its identifier, in this
    // catalogue alone (a test's sample value).
    void ReplaceMeasParam(std::shared_ptr<const TMeasParBase> param);

private:
    TDeviceFlags DeviceFlags;
    QString Name;
    std::shared_ptr<const TCatalogLists> Lists;
    const TProtBase* Current = nullptr;
};
