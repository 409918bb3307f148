#include "editing/EditorTables.h"

std::vector<TControlRow> ParkingRows() {
    return {};
}
