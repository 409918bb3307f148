#include "editing/EditorTables.h"

#include "base/MKError.h"
#include "catalog/DeviceFlags.h"
#include "catalog/MeasPars.h"
#include "catalog/Prots.h"
#include "editing/ColorSchemes.h"
#include "editing/Conversions.h"
#include "editing/DisplayTexts.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "model/Pars32.h"

namespace {

const QString Colors = QStringLiteral("tsColors");
// The layout choices of the x4 and x9 screens sit above both digital sample pages.
const QString Digits = QStringLiteral("tsColorDigit");
const QString Misc = QStringLiteral("tsDispMisc");

TControlRow OnPage(TControlRow row, const QString& page, const QString& group = {}) {
    row.Page = page;
    row.Group = group;
    return row;
}

TControlRow SchemeRow() {
    TControlRow row = Radio(ColorSchemes::SchemeControl, DisplayTexts::SchemeGroup,
                            {DisplayTexts::Scheme1, DisplayTexts::Scheme2, DisplayTexts::Scheme3,
                             DisplayTexts::SchemeUser});
    // An invalid nibble leaves the selection as it is.
    row.Load = [](const TSettingsEditor& e) {
        const int item = ColorSchemes::SchemeItem(e.Mk);
        return item >= 0 ? QVariant(item) : e.Shown(ColorSchemes::SchemeControl);
    };
    row.Store = [](TSettingsEditor& e, const QVariant& shown) {
        ColorSchemes::SelectScheme(e, shown.toInt());
    };
    row.Columns = 2;
    return OnPage(row, Colors);
}

TControlRow LayoutRow(const QString& name, const QString& caption) {
    TControlRow row = Radio(name, caption, {QStringLiteral("1"), QStringLiteral("2")});
    row.Columns = 0;
    return OnPage(row, Digits);
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
        row.VisibleRule = [](const TSettingsEditor& e) { return e.Flags().HasTaximeter; };
    }
    return OnPage(row, Misc, group.Caption);
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

    rows.push_back(OnPage(Check(QStringLiteral("cbDispShowTitle"), DisplayTexts::ShowTitle), Misc));
    rows.push_back(OnPage(Check(QStringLiteral("cbShowDispName"), DisplayTexts::ShowName), Misc));
    TControlRow airWater = Radio(QStringLiteral("rgAirWaterShow"), DisplayTexts::AirWater,
                                 {DisplayTexts::Air, DisplayTexts::Water});
    airWater.VisibleRule = [](const TSettingsEditor& e) { return e.Flags().HasUniversalInput; };
    rows.push_back(OnPage(airWater, Misc));
    TControlRow speed =
        Radio(QStringLiteral("rgDispSpeed"), DisplayTexts::Speed,
              {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    speed.Columns = 0;
    rows.push_back(OnPage(speed, Misc));
    return rows;
}

void RebuildScreenList(TSettingsEditor& editor) {
    ScreenEnable::RebuildOneValueBoxes(editor);
}

void ApplySchemeChoice(TSettingsEditor& editor) {
    ColorSchemes::SetSchemeIsUser(editor.Mk, ColorSchemes::ActiveScheme(editor.Mk) ==
                                                 ColorSchemes::UserScheme);
}
