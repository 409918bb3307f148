#include "editing/EditorTables.h"

std::vector<TControlRow> ServiceRows() {
    return {};
}
