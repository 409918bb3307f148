#include "editing/EditorTables.h"

#include "catalog/DeviceFlags.h"

namespace {

std::vector<TControlRow> AllRows() {
    std::vector<TControlRow> rows;
    for (auto&& table : {CorrectionsRows(), LimitsRows(), DisplayRows(), TankRows(), ServiceRows(),
                         ParkingRows(), ExtrasRows()})
        rows.insert(rows.end(), table.begin(), table.end());
    return rows;
}

} // namespace

// One table per service form: the first service row's step and decimals follow the device's
// flags as the rows are built; nothing else in them does.
const std::vector<TControlRow>& EditorRows() {
    if (DeviceFlags.ServiceInThousandKm) {
        static const std::vector<TControlRow> shortForm = AllRows();
        return shortForm;
    }
    static const std::vector<TControlRow> longForm = AllRows();
    return longForm;
}
