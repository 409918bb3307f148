#pragma once

// Which screens the MK cycles through: one check box per screen, box k of a group being
// bit k of the group's field. The x1 boxes follow the current protocol's parameters.

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

class TSettingsEditor;
struct TControlRow;

namespace ScreenEnable {

struct TGroup {
    char Key;          // the group letter of the box names: cbShowDisp_<Key>_<k>
    QString Caption;   // its group box
    const char* Field; // the bit set
    int Count;         // boxes
    QStringList Boxes; // box captions; the x1 boxes take the parameter names
};

// x4, x9, x7, graphs, gauges, averages, x6, x1.
const std::vector<TGroup>& Groups();
const TGroup& Group(char key);

// The x1 screens that have a box; bits above stay as they are.
constexpr int OneValueBoxes = 40;
// "Таксометр" of the averages group.
constexpr int TaximeterBox = 6;

QString BoxName(const TGroup& group, int box);
QString BoxName(char key, int box);

// The rows of the x1 boxes in box order (they stand in one run of the editor's table).
std::span<const TControlRow> OneValueRows(const TSettingsEditor& editor);
// The caption of x1 box i: the name of the current protocol's parameter i; empty past the
// protocol's parameters.
QString OneValueCaption(const TSettingsEditor& editor, int box);
// The x1 boxes after a protocol change or at load: boxes within the protocol's parameters
// are shown checked from their bits; the others are unchecked, which clears their bits.
void RebuildOneValueBoxes(TSettingsEditor& editor);

} // namespace ScreenEnable
