#include "editing/EditorTables.h"

const std::vector<TControlRow>& EditorRows() {
    static const std::vector<TControlRow> rows = [] {
        std::vector<TControlRow> all;
        for (auto&& table : {CorrectionsRows(), LimitsRows(), DisplayRows(), TankRows(),
                             ServiceRows(), ParkingRows(), ExtrasRows()})
            all.insert(all.end(), table.begin(), table.end());
        return all;
    }();
    return rows;
}
