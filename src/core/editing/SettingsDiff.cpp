#include "editing/SettingsDiff.h"

#include "base/MKError.h"
#include "editing/Conversions.h"
#include "editing/EditorSession.h"
#include "editing/EditorTables.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <cstring>

namespace {

struct TShownControl {
    QString Name, Page, Caption, Text;
};

// Every control with what it shows, in table order.
std::vector<TShownControl> ShownControls(TMK& mk) {
    std::vector<TShownControl> shown;
    RunEditorModel(mk, [&shown](TSettingsEditor& editor) {
        for (const TControlRow& row : editor.Rows())
            shown.push_back({row.Name, editor.MainPage(row).Caption, editor.Caption(row),
                             ShownText(editor, row)});
        return false;
    });
    return shown;
}

// Record fields the controls show (by the binding rule, or as bits and elements of them).
QSet<QString> FieldsShownByControls(const std::vector<TShownControl>& controls) {
    QSet<QString> fields = {"ProtocolFlags", "AlarmPresentation", "ShowDisp1",   "ShowDisp4",
                            "ShowDisp9",     "ShowDisp7",         "ShowDispG",   "ShowDispA",
                            "ShowDispS",     "ShowDisp6",         "ColorScheme", "PrevProtocol"};
    for (const TShownControl& control : controls)
        fields.insert(BoundFieldName(control.Name));
    return fields;
}

} // namespace

bool ReportedAsWhole(TFieldType type) {
    return type == TFieldType::Counter || type == TFieldType::GasCounter ||
           type == TFieldType::Journal || type == TFieldType::Fault;
}

TSettingsDiff CompareSettings(TMK& a, TMK& b) {
    TSettingsDiff diff;
    // A record the editor cannot open (its protocol outside the device's list, say) is
    // still compared, field by field.
    std::vector<TShownControl> shownA, shownB;
    try {
        shownA = ShownControls(a);
        shownB = ShownControls(b);
    } catch (const TMKError&) {
        shownA.clear();
        shownB.clear();
    }
    for (std::size_t i = 0; i < shownA.size() && i < shownB.size(); ++i) {
        const TShownControl& ca = shownA[i];
        const TShownControl& cb = shownB[i];
        if (ca.Text != cb.Text)
            diff.Controls.push_back({ca.Name, ca.Page,
                                     ca.Caption.isEmpty() ? cb.Caption : ca.Caption, ca.Text,
                                     cb.Text});
    }
    a.UnpackAll();
    b.UnpackAll();
    const QSet<QString> shownFields =
        shownA.empty() ? QSet<QString>() : FieldsShownByControls(shownA);
    for (const TBlockInfo& block : BlockTable()) {
        const uint8_t* pa = a.BlockBytes(block.Block);
        const uint8_t* pb = b.BlockBytes(block.Block);
        bool wholeChanged = false;
        for (const TFieldInfo& field : BlockFields(block.Block)) {
            const QString name = QLatin1String(field.Name);
            if (shownFields.contains(name) || field.ElementSize <= 0)
                continue;
            const int elements = field.Array ? field.Count * std::max(field.Columns, 1) : 1;
            const std::size_t size =
                std::size_t(field.Array ? field.ElementSize : field.ElementSize * field.Count);
            int changed = 0;
            for (int i = 0; i < elements; ++i) {
                const std::size_t at =
                    field.Offset + std::size_t(i) * std::size_t(field.ElementSize);
                changed += std::memcmp(pa + at, pb + at,
                                       field.Array ? std::size_t(field.ElementSize) : size) != 0;
            }
            if (!changed)
                continue;
            if (ReportedAsWhole(field.Type))
                wholeChanged = true;
            else
                diff.Fields.push_back({name, changed, false});
        }
        if (wholeChanged)
            diff.Fields.push_back({QLatin1String(block.Name), 0, true});
    }
    return diff;
}

namespace {

// What the editor calls the grids and screens a field holds.
QString FieldLabel(const QString& field) {
    static const QHash<QString, QString> labels = {
        {"HotMenus", "Горячие меню"},
        {"Screens4", "Дисплеи х4"},
        {"Screens9", "Дисплеи х9"},
        {"Screens7", "Дисплеи х7"},
        {"Screen6", "Дисплей х6"},
        {"GraphScreens", "Граф. дисплеи"},
        {"ArrowScreens", "Стрел. дисплеи"},
        {"ColorTable0", "Цвета схемы"},
        {"ColorTable1", "Цвета схемы пользователя"},
        {"Blocks", "Допсистемы"},
        {"TarirLitres", "Тарировка, литры"},
        {"TarirUnits", "Тарировка, у.е."},
    };
    const QString label = labels.value(field);
    return label.isEmpty() ? field : QStringLiteral("%1 (%2)").arg(label, field);
}

} // namespace

QStringList TSettingsDiff::Lines() const {
    QStringList lines;
    for (const TControlChange& c : Controls)
        lines.append(QStringLiteral("%1 › %2: %3 → %4")
                         .arg(c.Page, c.Caption.isEmpty() ? c.Control : c.Caption, c.A, c.B));
    for (const TFieldChange& f : Fields)
        lines.append(f.Whole ? QStringLiteral("%1: изменено").arg(FieldLabel(f.Field))
                             : QStringLiteral("%1: изменено элементов: %2")
                                   .arg(FieldLabel(f.Field))
                                   .arg(f.Changed));
    return lines;
}

QJsonArray TSettingsDiff::Json() const {
    QJsonArray list;
    for (const TControlChange& c : Controls)
        list.append(QJsonObject{{"Control", c.Control},
                                {"Page", c.Page},
                                {"Caption", c.Caption},
                                {"A", c.A},
                                {"B", c.B}});
    for (const TFieldChange& f : Fields)
        list.append(QJsonObject{{"Field", f.Field},
                                {"Changed", f.Whole ? QJsonValue(true) : QJsonValue(f.Changed)}});
    return list;
}

QString ChangesText(const TSettingsDiff& diff, int maxLines) {
    if (diff.Empty())
        return QStringLiteral("Настройки не отличаются от настроек в МК.");
    QStringList lines = diff.Lines();
    const qsizetype total = lines.size();
    if (total > maxLines) {
        lines = lines.mid(0, maxLines);
        lines.append(QStringLiteral("… и ещё %1").arg(total - maxLines));
    }
    return ChangesHeader() + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

QString ChangesHeader() {
    return QStringLiteral("Изменения в МК (было → станет):");
}

QStringList TSettingsDiff::Names() const {
    QStringList names;
    for (const TControlChange& c : Controls)
        names << c.Control;
    for (const TFieldChange& f : Fields)
        names << f.Field;
    return names;
}

namespace {

// Settings one store changes together: the control whose store cascades, then what the
// cascade sets (a name ending in '*' stands for every name so begun).
const std::vector<QStringList>& TogetherTable() {
    static const std::vector<QStringList> table = {
        {"cbProtocol", "cbProtType*", "cbShowDisp_1_*"},
        {"rgActiveColorScheme", "ColorTable0", "ColorTable1"},
        {"seTarirLeng", "TarirLitres", "TarirUnits"},
        {"seOilCalibrQuant", "seOilCalibrLitArr*", "seOilCalibrResArr*"},
    };
    return table;
}

bool Matches(const QString& pattern, const QString& name) {
    return pattern.endsWith(QLatin1Char('*')) ? name.startsWith(pattern.chopped(1))
                                              : name == pattern;
}

} // namespace

QList<QList<int>> TSettingsDiff::Groups() const {
    const QStringList names = Names();
    std::vector<int> groupOf(std::size_t(names.size()), -1);
    QList<QList<int>> groups;
    for (const QStringList& together : TogetherTable()) {
        const qsizetype leader = names.indexOf(together.first());
        if (leader < 0 || groupOf[std::size_t(leader)] >= 0)
            continue;
        QList<int> group;
        for (qsizetype i = 0; i < names.size(); ++i)
            if (groupOf[std::size_t(i)] < 0 &&
                std::any_of(together.begin(), together.end(),
                            [&](const QString& p) { return Matches(p, names[i]); })) {
                groupOf[std::size_t(i)] = int(groups.size());
                group << int(i);
            }
        groups << group;
    }
    for (qsizetype i = 0; i < names.size(); ++i)
        if (groupOf[std::size_t(i)] < 0)
            groups << QList<int>{int(i)};
    std::sort(groups.begin(), groups.end(),
              [](const QList<int>& a, const QList<int>& b) { return a.first() < b.first(); });
    return groups;
}

namespace {

TSettingsDiff Picked(const TSettingsDiff& diff, const QList<int>& lines, bool keep) {
    TSettingsDiff picked;
    const int controls = int(diff.Controls.size());
    for (int line = 0; line < controls + int(diff.Fields.size()); ++line) {
        if (lines.contains(line) != keep)
            continue;
        if (line < controls)
            picked.Controls.push_back(diff.Controls[std::size_t(line)]);
        else
            picked.Fields.push_back(diff.Fields[std::size_t(line - controls)]);
    }
    return picked;
}

} // namespace

TSettingsDiff TSettingsDiff::Pick(const QList<int>& lines) const {
    return Picked(*this, lines, true);
}

TSettingsDiff TSettingsDiff::Drop(const QList<int>& lines) const {
    return Picked(*this, lines, false);
}

QList<int> TSettingsDiff::LinesAbout(const QStringList& names) const {
    const QStringList lineNames = Names();
    QList<int> lines;
    for (const QList<int>& group : Groups())
        if (std::any_of(group.begin(), group.end(),
                        [&](int line) { return names.contains(lineNames[line]); }))
            lines << group;
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool IsChangeName(const QString& name) {
    if (FindRecordField(name))
        return true;
    for (const TBlockInfo& block : BlockTable())
        if (name == QLatin1String(block.Name))
            return true;
    // Both service forms name the same controls.
    const std::vector<TControlRow>& rows = EditorRows(false);
    return std::any_of(rows.begin(), rows.end(),
                       [&name](const TControlRow& row) { return row.Name == name; });
}
