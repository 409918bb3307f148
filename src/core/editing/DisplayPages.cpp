#include "editing/EditorTables.h"

std::vector<TControlRow> DisplayRows() {
    return {};
}

void RebuildScreenList(TSettingsEditor&) {}

void ApplySchemeChoice(TSettingsEditor&) {}
