#pragma once

// What differs between two sets of settings, the way the editor shows them: controls by
// their shown values, what no control shows by record field (entries changed) and the
// journals and totals as a whole.

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <vector>

class TMK;

struct TControlChange {
    QString Control;
    QString Page; // caption of its main page
    QString Caption;
    QString A, B; // shown values, item texts for lists
};

struct TFieldChange {
    QString Field;
    int Changed = 0;    // entries that differ; 0 for a journal or totals block
    bool Whole = false; // a journal or the totals: reported as changed, not counted
};

struct TSettingsDiff {
    std::vector<TControlChange> Controls;
    std::vector<TFieldChange> Fields;

    bool Empty() const { return Controls.empty() && Fields.empty(); }
    // One line per difference: "Границы › Скорость, км/час: 90 → 100", "HotMenus: 2".
    QStringList Lines() const;
    QJsonArray Json() const;
};

// The differences as a user reads them before a write: what changes in the MK (at most
// maxLines, then how many more), or that nothing does.
QString ChangesText(const TSettingsDiff& diff, int maxLines);

// Compares the settings of two device models (their images; both are unpacked and stay as
// they were).
TSettingsDiff CompareSettings(TMK& a, TMK& b);
