#include "editing/EditorTables.h"

std::vector<TControlRow> EditorRows() {
    std::vector<TControlRow> rows;
    for (auto&& table : {CorrectionsRows(), LimitsRows(), DisplayRows(), TankRows(), ServiceRows(),
                         ParkingRows(), ExtrasRows()})
        rows.insert(rows.end(), table.begin(), table.end());
    return rows;
}
