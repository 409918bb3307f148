#pragma once

// Catalogue lists that follow the device flags alone and never change once built, kept for
// the flags met before: the editor rebuilds its catalogues at every opening, a carry opens
// two devices' editors in turn, and the variant table holds under sixty distinct flag sets
// (all their protocol and parameter lists take about 6 MB). Past the capacity the longest
// unused list goes.

#include "catalog/DeviceFlags.h"

#include <cstddef>
#include <utility>
#include <vector>

template <class List> class TListsByFlags {
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
    static constexpr std::size_t Capacity = 64;
    std::vector<std::pair<TDeviceFlags, List>> Kept;
};
