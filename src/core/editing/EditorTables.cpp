#include "editing/EditorTables.h"

namespace {

std::vector<TControlRow> AllRows(bool serviceInThousandKm) {
    std::vector<TControlRow> rows;
    for (auto&& table : {CorrectionsRows(), LimitsRows(), DisplayRows(), TankRows(),
                         ServiceRows(serviceInThousandKm), ParkingRows(), ExtrasRows()})
        rows.insert(rows.end(), table.begin(), table.end());
    return rows;
}

} // namespace

// One table per service form: the first service row's step and decimals follow the device's
// flags as the rows are built; nothing else in them does.
const std::vector<TControlRow>& EditorRows(bool serviceInThousandKm) {
    if (serviceInThousandKm) {
        static const std::vector<TControlRow> shortForm = AllRows(true);
        return shortForm;
    }
    static const std::vector<TControlRow> longForm = AllRows(false);
    return longForm;
}
