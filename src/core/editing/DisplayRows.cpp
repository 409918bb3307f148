#include "editing/EditorTables.h"

#include "base/MKError.h"
#include "catalog/DeviceFlags.h"
#include "catalog/MeasuredParams.h"
#include "catalog/Protocols.h"
#include "editing/ColorSchemes.h"
#include "editing/DisplayTexts.h"
#include "editing/RowBuilders.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

namespace {

const QString Colors = QStringLiteral("tsColors");
// The layout choices of the x4 and x9 screens sit above both digital sample pages.
const QString Digits = QStringLiteral("tsColorDigit");
const QString Misc = QStringLiteral("tsDispMisc");

TControlRow SchemeRow() {
    TControlRow row = Radio(ColorSchemes::SchemeControl, DisplayTexts::SchemeGroup,
                            {DisplayTexts::Scheme1, DisplayTexts::Scheme2, DisplayTexts::Scheme3,
                             DisplayTexts::SchemeUser});
    row.Load = ColorSchemes::LoadScheme;
    row.Store = ColorSchemes::StoreScheme;
    return Placed(ItemColumns(row, 2), Colors);
}

TControlRow LayoutRow(const QString& name, const QString& caption) {
    return Placed(InLine(Radio(name, caption, {QStringLiteral("1"), QStringLiteral("2")})), Digits);
}

TControlRow EnableBox(const ScreenEnable::TGroup& group, int box) {
    const QString name = ScreenEnable::BoxName(group, box);
    TControlRow row = Check(name, group.Boxes.isEmpty() ? QString() : group.Boxes[box]);
    Bind::Bit(row, QString::fromLatin1(group.Field), box);
    if (group.Key == '1') {
        // The x1 screens follow the current protocol's parameters.
        row.CaptionRule = [box](const TSettingsEditor& e) {
            return ScreenEnable::OneValueCaption(e, box);
        };
        row.VisibleRule = [box](const TSettingsEditor& e) { return box < e.Protocol().ParamCount; };
    } else if (group.Key == 'S' && box == ScreenEnable::TaximeterBox) {
        row.VisibleRule = Only(&TDeviceFlags::HasTaximeter);
    }
    return Placed(row, Misc, group.Caption);
}

} // namespace

std::vector<TControlRow> DisplayRows() {
    std::vector<TControlRow> rows;
    rows.push_back(SchemeRow());
    rows.push_back(LayoutRow(QStringLiteral("sgDispVar4"), DisplayTexts::Type4));
    rows.push_back(LayoutRow(QStringLiteral("sgDispVar9"), DisplayTexts::Type9));

    for (const ScreenEnable::TGroup& group : ScreenEnable::Groups())
        for (int box = 0; box < group.Count; ++box)
            rows.push_back(EnableBox(group, box));

    rows.push_back(Placed(Check(QStringLiteral("cbDispShowTitle"), DisplayTexts::ShowTitle), Misc));
    rows.push_back(Placed(Check(QStringLiteral("cbShowDispName"), DisplayTexts::ShowName), Misc));
    rows.push_back(Placed(Shows(Radio(QStringLiteral("rgAirWaterShow"), DisplayTexts::AirWater,
                                      {DisplayTexts::Air, DisplayTexts::Water}),
                                Only(&TDeviceFlags::HasUniversalInput)),
                          Misc));
    rows.push_back(Placed(InLine(Radio(QStringLiteral("rgDispSpeed"), DisplayTexts::Speed,
                                       {QStringLiteral("1"), QStringLiteral("2"),
                                        QStringLiteral("3"), QStringLiteral("4")})),
                          Misc));
    return rows;
}

void RebuildScreenList(TSettingsEditor& editor) {
    ScreenEnable::RebuildOneValueBoxes(editor);
}

void ApplySchemeChoice(TSettingsEditor& editor) {
    ColorSchemes::SetSchemeIsUser(editor.Mk, ColorSchemes::ActiveScheme(editor.Mk) ==
                                                 ColorSchemes::UserScheme);
}
