#pragma once

// The settings editor's model: every bound control's row and shown value, the showing
// steps with the bulk load, the store on the control's trigger, the cascades, and what is
// visible, enabled and in range. No widgets: the dialog and mktool both drive it.

#include "editing/ControlRow.h"
#include "editing/EditBaseline.h"
#include "editing/EditHistory.h"
#include "editing/PageTree.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TMK;
class TProtBase;
struct TDeviceFlags;

class TSettingsEditor {
public:
    explicit TSettingsEditor(TMK& mk);
    // On a binding table of the caller's, which must outlive the editor: the rows of
    // EditorRows(...) with their functions wrapped (to count which ran, say).
    TSettingsEditor(TMK& mk, const std::vector<TControlRow>& rows);

    TMK& Mk;

    // Editor state besides the controls.
    bool RefreshInProgress = false;
    bool TarirEdited = false;
    bool SchemeRadioFocused = false;
    bool BlocksPageActive = false;
    int PopupList = 0;
    int PopupSlot = 0;
    // The palette row the colour page edits and the components its three spin edits show
    // (a fresh dialog shows 0, 0, 0); see ColorSchemes::ChoosePaletteRow.
    int PaletteRow = -1;
    std::array<int, 3> PaletteShown{};

    // Asks a Yes/No question (the dialogs seam in the window; mktool answers Yes).
    std::function<bool(const QString& question)> Confirm = [](const QString&) { return true; };
    // Whether the control (or a part of it) has the keyboard focus at this moment; the window
    // answers from its focus widget. Unset (mktool, tests): SchemeRadioFocused stands for it.
    std::function<bool(const QString& name)> HasFocus;
    // Told once per user action that changed the record through the model (a store with its
    // cascades, a colour, a screen parameter, a list edit, the tank table, "Все в
    // исх.состояние") or showed it anew (a page entered that reloads its controls), and after
    // undo and redo, so the view redraws. A store that left the editor as it was (a control
    // left unchanged) tells nothing; nor do the showing steps and the bulk load.
    std::function<void()> RecordChanged;

    // The showing steps: state cleared, every control loaded, the current protocol applied;
    // then the history starts and the baseline is taken (the device model's, shown the same
    // way; without one the settings as they opened).
    void Show();
    // The bulk load alone (also after "Все в исх.состояние"): every control, palette row 0,
    // the hot menus compacted. Everything opening does to the record happens here and in
    // Show, so a window and mktool store the same bytes.
    void LoadAll();
    // Reloads the shown value of one control from the record (without storing).
    void Reload(const QString& name);
    void Reload(const TControlRow& row);

    const std::vector<TControlRow>& Rows() const;
    const TControlRow* Row(const QString& name) const;
    const TControlRow& RowOrThrow(const QString& name) const;
    // The place in Rows() of one of them; throws TMKError for a row of another table.
    std::size_t Position(const TControlRow& row) const;

    QVariant Shown(const QString& name) const;
    // The user puts a value into the control and its store trigger fires (leaving the
    // control, clicking the item). Spin values are clamped to the range first. On an
    // error the shown value returns to the stored one and the error is rethrown.
    void Put(const QString& name, const QVariant& value);
    // The control takes a value without storing it (typing before leaving).
    void SetShown(const QString& name, const QVariant& value);

    bool Visible(const QString& name) const; // the control and its page
    bool Enabled(const QString& name) const;
    QString Caption(const QString& name) const;
    TRange Range(const QString& name) const;
    QStringList Items(const QString& name) const;
    QList<bool> ItemsEnabled(const QString& name) const;

    // The same questions about a row of Rows(), without looking it up by name (a caller
    // walking the rows asks each several); TMKError for a row that is not one of Rows().
    QVariant Shown(const TControlRow& row) const;
    bool Visible(const TControlRow& row) const;
    bool Enabled(const TControlRow& row) const;
    QString Caption(const TControlRow& row) const;
    TRange Range(const TControlRow& row) const;
    QStringList Items(const TControlRow& row) const;
    QList<bool> ItemsEnabled(const TControlRow& row) const;
    // Whether an item of the row's Items() can be picked.
    bool ItemEnabled(const TControlRow& row, int item) const;
    void Put(const TControlRow& row, const QVariant& value);

    // The main page holding the row (its own page when that is a main page).
    const TPageInfo& MainPage(const TControlRow& row) const;

    const std::vector<TPageInfo>& Pages() const;
    bool PageVisible(const QString& pageName) const; // the page and its parents

    // Capability flags and the current protocol (never null while the editor runs).
    const TDeviceFlags& Flags() const;
    const TProtBase& Protocol() const;
    bool HasProtocol() const;

    // The protocol change cascade (PrevProtocol, sub-types, current protocol, rebuilt
    // lists), run when the user picks another protocol.
    void ProtocolChanged();
    // Re-applies what depends on the current protocol (sub-type lists, ranges, visibility).
    void ApplyProtocol();
    // Runs a user's edit of the record that does not tell by itself (a hot menu list, a
    // colour element, a palette entry) as one action: what its stores and cascades tell is
    // told once at its end, also when it threw part way; the history takes it as one step.
    void Change(const std::function<void()>& edit);
    // Ends a user action: the history takes it as a step when it changed something, and the
    // view is told. Inside an action (a store's cascade, Change) it waits for the action's end.
    void NotifyRecordChanged();

    // Undo and redo of the user's actions. Each puts back the record and the state outside
    // it as they were; no store rule, cascade or question runs.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // The editor as it stands, and put back as it stood (the view is not told).
    TEditorSnapshot Snapshot() const;
    void Restore(const TEditorSnapshot& snapshot);
    // What the change markers compare against.
    const TEditBaseline& Baseline() const { return BaselineState; }

private:
    void RunShowingSteps();
    void TakeBaseline();
    void LoadRow(const TControlRow& row, bool asClick);
    QVariant Clamped(const TControlRow& row, const QVariant& value) const;
    QVariant& ShownOf(const TControlRow& row);

    // The rows with what is derived from them once (positions by name, each row's pages),
    // shared by every editor: rows hold no editor's state. The shown values stand at their
    // rows' positions.
    struct TRowTable;
    std::shared_ptr<const TRowTable> Table;
    std::vector<QVariant> ShownValues;
    TEditHistory History;
    TEditBaseline BaselineState;
    int ActionDepth = 0; // actions running inside one another
};
