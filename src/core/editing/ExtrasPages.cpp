#include "editing/EditorTables.h"

std::vector<TControlRow> ExtrasRows() {
    return {};
}
