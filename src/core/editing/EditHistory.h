#pragma once

// Undo and redo in the settings editor: the editor's state after each user action, in
// order. An action is whatever happens between two tellings of the model (a store with its
// cascades, a colour, a list edit, a question answered); it is a step only when it changed
// something.

#include <QByteArray>
#include <QVariant>
#include <array>
#include <cstddef>
#include <vector>

class TProtBase;

// Everything an action can change: the edited part of the record and the editor's state
// outside it. Putting one back runs no store rule, cascade or question.
struct TEditorSnapshot {
    QByteArray Record;             // the edited blocks, as the record holds them
    std::vector<QVariant> Shown;   // every control's shown value, in row order
    const TProtBase* Protocol = nullptr; // the current protocol
    int SchemeIsUser = 0;          // the colour table the colour pages edit
    int PaletteRow = -1;           // the palette row the colour page edits and its components
    std::array<int, 3> PaletteShown{};
    bool TarirEdited = false;
    int PopupList = 0; // the screen part a right click aimed at
    int PopupSlot = 0;

    bool operator==(const TEditorSnapshot&) const = default;
};

class TEditHistory {
public:
    // Forgets every step: undo stops at `state`.
    void Reset(TEditorSnapshot state);
    // An action ended in `state`: a new step unless nothing changed. What redo could bring
    // back is dropped then. Returns whether it was a step.
    bool Add(TEditorSnapshot state);

    bool CanUndo() const { return At > 0; }
    bool CanRedo() const { return At + 1 < States.size(); }
    // The state to put back; the history's own state when there is nothing to undo or redo.
    const TEditorSnapshot& Undo();
    const TEditorSnapshot& Redo();
    const TEditorSnapshot& Current() const { return States[At]; }

private:
    std::vector<TEditorSnapshot> States{1};
    std::size_t At = 0;
};
