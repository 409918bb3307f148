#pragma once

// What changed since the baseline: the settings as last read from the MK, loaded from a
// file, saved to one or written into the MK. Controls compare by what they show, the pages'
// own data (colours, screens, hot menus, the tared table, additional systems) part by part;
// a page counts the changes on it and on its sub-pages.

#include "editing/EditHistory.h"
#include "editing/PageData.h"

#include <QHash>
#include <QString>
#include <vector>

class TSettingsEditor;
struct TControlRow;

struct TSettingChange {
    QString Page;    // object name of the page it is edited on
    QString Control; // the control; empty for a part of a page's own data
    QString Caption;
    QString Was, Now; // as shown in the baseline, and now
    int Item = -1;    // the control's row, or the page part (Control empty)

    // "Дисплей › Цветовые схемы › Цвет #3: #FF0000 → #00FF00"
    QString Line() const;
};

struct TChangeMarks {
    std::vector<bool> Controls; // by row, in row order: differs from the baseline
    QHash<QString, int> Pages;  // page object name: changes on it and on its sub-pages
    int Count = 0;
};

class TEditBaseline {
public:
    // Takes the editor's state as the baseline (the editor shows the baseline's settings).
    void Take(const TSettingsEditor& editor);
    const TEditorSnapshot& State() const { return Base; }

    // Whether a control shows another value than in the baseline (one that shows no record
    // value never does; a hidden one may, as a cascade sets it), and what it showed there.
    bool Differs(const TSettingsEditor& editor, const TControlRow& row) const;
    QString Text(const TSettingsEditor& editor, const TControlRow& row) const;
    const std::vector<TPagePart>& Parts() const { return PartList; }

    TChangeMarks Marks(const TSettingsEditor& editor) const;
    // Every change: controls in row order, then the page parts.
    std::vector<TSettingChange> Changes(const TSettingsEditor& editor) const;

private:
    TEditorSnapshot Base;
    std::vector<QString> Texts; // each row's shown text in the baseline
    std::vector<bool> Tracked;  // rows that show a record value
    std::vector<TPagePart> PartList;
};

// Puts the changes back as in the baseline, as one step: a control through its store (what
// its cascade sets follows), a page part byte for byte.
void RevertChanges(TSettingsEditor& editor, const std::vector<TSettingChange>& changes);
