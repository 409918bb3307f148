#include "editing/EditorTables.h"

std::vector<TControlRow> TankRows() {
    return {};
}
