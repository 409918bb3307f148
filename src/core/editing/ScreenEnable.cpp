#include "editing/ScreenEnable.h"

#include "base/MKError.h"
#include "catalog/MeasuredParams.h"
#include "catalog/Protocols.h"
#include "editing/DisplayTexts.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

#include <map>

namespace ScreenEnable {

namespace {

QStringList Numbered(int count) {
    QStringList boxes;
    for (int k = 1; k <= count; ++k)
        boxes << QStringLiteral("#%1").arg(k);
    return boxes;
}

std::vector<TGroup> MakeGroups() {
    return {
        {'4', QStringLiteral("x4"), "ShowDisp4", 6, Numbered(6)},
        {'9', QStringLiteral("x9"), "ShowDisp9", 3, Numbered(3)},
        {'7', QStringLiteral("x7"), "ShowDisp7", 4, Numbered(4)},
        {'G', DisplayTexts::GroupGraphs, "ShowDispG", 8, Numbered(8)},
        {'A', DisplayTexts::GroupArrows, "ShowDispA", 8, Numbered(8)},
        {'S', DisplayTexts::GroupAverages, "ShowDispS", int(DisplayTexts::AverageBoxes.size()),
         DisplayTexts::AverageBoxes},
        {'6', QStringLiteral("x6"), "ShowDisp6", 1, Numbered(1)},
        {'1', QStringLiteral("x1"), "ShowDisp1", OneValueBoxes, {}},
    };
}

} // namespace

const std::vector<TGroup>& Groups() {
    static const std::vector<TGroup> groups = MakeGroups();
    return groups;
}

const TGroup& Group(char key) {
    for (const TGroup& g : Groups())
        if (g.Key == key)
            return g;
    throw TMKError(QStringLiteral("Нет группы дисплеев %1").arg(QLatin1Char(key)));
}

QString BoxName(const TGroup& group, int box) {
    // Every box is named at every opening of the editor: the names are made once.
    static const std::map<char, QStringList> names = [] {
        std::map<char, QStringList> byGroup;
        for (const TGroup& g : Groups())
            for (int k = 0; k < g.Count; ++k)
                byGroup[g.Key] << QStringLiteral("cbShowDisp_%1_%2").arg(QLatin1Char(g.Key)).arg(k);
        return byGroup;
    }();
    const auto it = names.find(group.Key);
    if (it != names.end() && box >= 0 && box < it->second.size())
        return it->second[box];
    return QStringLiteral("cbShowDisp_%1_%2").arg(QLatin1Char(group.Key)).arg(box);
}

QString BoxName(char key, int box) {
    return BoxName(Group(key), box);
}

QString OneValueCaption(const TSettingsEditor& editor, int box) {
    const TProtBase& protocol = editor.Protocol();
    if (box < 0 || box >= protocol.ParamCount || box >= int(protocol.ParamIds.size()))
        return {};
    const TMeasParBase* param =
        editor.Mk.Catalog.FindMeasParam(protocol.ParamIds[std::size_t(box)]);
    return param ? param->Name : QString();
}

std::span<const TControlRow> OneValueRows(const TSettingsEditor& editor) {
    const TControlRow& first = editor.RowOrThrow(BoxName('1', 0));
    const std::size_t at = std::size_t(&first - editor.Rows().data());
    const QString last = BoxName('1', OneValueBoxes - 1);
    if (at + OneValueBoxes > editor.Rows().size() ||
        editor.Rows()[at + OneValueBoxes - 1].Name != last)
        throw TMKError(QStringLiteral("Нет элемента %1").arg(last));
    return {&first, std::size_t(OneValueBoxes)};
}

void RebuildOneValueBoxes(TSettingsEditor& editor) {
    const int count = editor.Protocol().ParamCount;
    const std::span<const TControlRow> rows = OneValueRows(editor);
    for (int box = 0; box < OneValueBoxes; ++box) {
        const TControlRow& row = rows[std::size_t(box)];
        if (box < count) {
            editor.Reload(row);
        } else if (editor.Shown(row).toBool()) {
            row.Store(editor, false);
            editor.SetShown(row.Name, false);
        }
    }
}

} // namespace ScreenEnable
