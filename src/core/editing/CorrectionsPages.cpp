#include "editing/EditorTables.h"

std::vector<TControlRow> CorrectionsRows() {
    return {};
}
