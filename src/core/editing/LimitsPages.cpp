#include "editing/EditorTables.h"

std::vector<TControlRow> LimitsRows() {
    return {};
}
