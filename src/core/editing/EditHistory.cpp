#include "editing/EditHistory.h"

#include <utility>

void TEditHistory::Reset(TEditorSnapshot state) {
    States.clear();
    States.push_back(std::move(state));
    At = 0;
}

bool TEditHistory::Add(TEditorSnapshot state) {
    if (state == States[At])
        return false;
    States.resize(At + 1);
    States.push_back(std::move(state));
    ++At;
    return true;
}

const TEditorSnapshot& TEditHistory::Undo() {
    if (CanUndo())
        --At;
    return States[At];
}

const TEditorSnapshot& TEditHistory::Redo() {
    if (CanRedo())
        ++At;
    return States[At];
}
