#pragma once

// What differs between two sets of settings, the way the editor shows them: controls by
// their shown values, what no control shows by record field (entries changed) and the
// journals and totals as a whole.

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class TMK;
enum class TFieldType;

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

    // What each line is about, in Lines() order: its control, record field, or the block
    // of a journal or the totals.
    QStringList Names() const;
    // The lines that are chosen together, in Lines() order, each line in one group: a
    // protocol with its sub-types and the x1 screen boxes it clears, a colour scheme with
    // its colour tables, a tank point count with its points (when the first of these is
    // among the lines).
    QList<QList<int>> Groups() const;
    // The given lines (indices into Lines()) as a difference of their own, or the others.
    TSettingsDiff Pick(const QList<int>& lines) const;
    TSettingsDiff Drop(const QList<int>& lines) const;
    // The lines about the given names (see Names()) with the groups they belong to.
    QList<int> LinesAbout(const QStringList& names) const;
};

// The heading of the list of changes before a write.
QString ChangesHeader();

// The differences as a user reads them before a write: what changes in the MK (at most
// maxLines, then how many more), or that nothing does.
QString ChangesText(const TSettingsDiff& diff, int maxLines);

// Compares the settings of two device models (their images; both are unpacked and stay as
// they were).
TSettingsDiff CompareSettings(TMK& a, TMK& b);

// Fields reported by their block as a whole: the journals and the totals.
bool ReportedAsWhole(TFieldType type);
// Whether a line of a difference can be about `name`: an editor control, a record field or
// a block.
bool IsChangeName(const QString& name);
