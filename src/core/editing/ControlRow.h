#pragma once

// One row of the settings editor's binding tables: a control, where it sits, what it
// shows, how its shown value maps to the record and when that mapping runs.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class TSettingsEditor;

enum class TControlKind {
    Spin,  // spin edit (se): shown value is a double
    Radio, // radio group (rg): shown value is the item index, -1 for none
    List,  // drop-down list (cb): shown value is the item index, -1 for none
    Check, // check box (cb): shown value is a bool
    Edit,  // masked, date or text edit (me, de, e): shown value is the text
};

enum class TStoreWhen {
    FocusOut, // the control is left
    Click,    // an item is clicked or the box is toggled (the bulk load counts as a click)
    Change,   // the selection changes (not when the program selects)
};

struct TRange {
    double Min = 0;
    double Max = 0;
};

using TEditorRule = std::function<bool(const TSettingsEditor&)>;

struct TControlRow {
    QString Name;    // the control's object name
    QString Page;    // object name of the page (or sub-page) the control sits on
    QString Group;   // caption of the group box around it; empty: on the page itself
    QString Caption; // its caption or the text of its label
    // Where it stands on its page; the tables list rows in reading order (each page column
    // top to bottom, the columns left to right). Column: the page column its group box (or,
    // without a group, the control itself) sits in. Beside: on the line of the row before
    // it in its group's grid rather than on a line of its own.
    int Column = 0;
    bool Beside = false;
    // Column headings over the line this row begins, one per cell of the group's grid.
    QStringList Headings;
    // Its caption stands elsewhere on its line (in a name edit before it): no label of its
    // own, though the caption stays the row's.
    bool Unlabelled = false;
    // The text of its label when not its caption (a table line's number).
    QString LineLabel;
    std::function<QString(const TSettingsEditor&)> CaptionRule; // replaces Caption when set
    TControlKind Kind = TControlKind::Spin;
    TStoreWhen When = TStoreWhen::FocusOut;

    // Spin edits.
    TRange Range;
    std::function<TRange(const TSettingsEditor&)> RangeRule; // replaces Range when set
    double Step = 1;
    int Decimals = 0;
    // Radio groups and lists.
    QStringList Items;
    std::function<QStringList(const TSettingsEditor&)> ItemsRule; // replaces Items when set
    std::function<bool(const TSettingsEditor&, int item)> ItemEnabledRule;
    int Columns = 1; // radio group columns; 0: one column per item
    // Text edits: maximum length (0 = none) and an input mask ("!90:00;1;_").
    int MaxLength = 0;
    QString InputMask;

    // Record to shown value, and shown value to record (throws TRangeError or TMKError,
    // leaving the record as it was).
    std::function<QVariant(const TSettingsEditor&)> Load;
    std::function<void(TSettingsEditor&, const QVariant&)> Store;
    // What follows a store (visibility, cascades); runs after Store succeeded.
    std::function<void(TSettingsEditor&)> After;

    TEditorRule VisibleRule; // unset: always visible
    TEditorRule EnabledRule; // unset: always enabled
};
