#pragma once

// Catalogue lists that follow the device flags alone and never change once built, kept for
// the few flags last in force: the editor rebuilds its catalogues at every opening, and a
// carry opens the source's and the target's editors in turn.

#include "catalog/DeviceFlags.h"

#include <cstddef>
#include <utility>
#include <vector>

template <class List> class TRecentLists {
public:
    // Sets `list` aside as built for `flags` (an empty one is not kept).
    void Keep(const TDeviceFlags& flags, List list) {
        if (list.empty())
            return;
        Kept.emplace_back(flags, std::move(list));
        if (Kept.size() > Capacity)
            Kept.erase(Kept.begin());
    }

    // The list kept for `flags`, or what `build` makes.
    template <class Build> List Take(const TDeviceFlags& flags, Build build) {
        for (auto it = Kept.begin(); it != Kept.end(); ++it) {
            if (it->first == flags) {
                List list = std::move(it->second);
                Kept.erase(it);
                return list;
            }
        }
        return build();
    }

private:
    static constexpr std::size_t Capacity = 4;
    std::vector<std::pair<TDeviceFlags, List>> Kept;
};
