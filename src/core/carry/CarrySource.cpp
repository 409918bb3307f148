#include "carry/CarrySource.h"

#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "editing/BlockChoice.h"
#include "editing/EditorSession.h"
#include "editing/HotMenus.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "editing/TankTable.h"
#include "model/DeviceModel.h"

#include <algorithm>

namespace {

// A control the user can change: it stores, and no rule keeps it disabled.
bool Settable(const TSettingsEditor& editor, const TControlRow& row) {
    return row.Store && editor.Visible(row) && editor.Enabled(row);
}

std::vector<TShownOneValue> OneValues(const TSettingsEditor& editor) {
    std::vector<TShownOneValue> boxes;
    const TProtBase& protocol = editor.Protocol();
    const int count = std::min(protocol.ParamCount, ScreenEnable::OneValueBoxes);
    const std::span<const TControlRow> rows = ScreenEnable::OneValueRows(editor);
    for (int box = 0; box < count; ++box) {
        const int id = protocol.ParamIds[std::size_t(box)];
        boxes.push_back({box, id, ParamMeaning(editor.Mk, id),
                         editor.Shown(rows[std::size_t(box)]).toBool(),
                         ScreenEnable::OneValueCaption(editor, box)});
    }
    return boxes;
}

// Every part's id, and its name where the part's own menu offers it (0 ids elsewhere are
// not a choice the source shows).
TShownScreens Screens(const TSettingsEditor& editor, ScreenChoice::TPartMenus& menus,
                      TScreenKind kind) {
    TShownScreens screens{kind, {}, {}, {}};
    const int parts = ScreenChoice::PartCount(kind);
    const std::size_t slotCount = std::size_t(ScreenChoice::DisplayCount(kind) * parts);
    screens.Ids.reserve(slotCount);
    screens.Names.reserve(slotCount);
    for (int display = 0; display < ScreenChoice::DisplayCount(kind); ++display) {
        for (int part = 0; part < parts; ++part) {
            const int id = ScreenChoice::StoredId(editor.Mk, kind, display, part);
            const ScreenChoice::TParamItem* item = menus.Find(kind, part, id);
            screens.Ids.push_back(item ? id : -1);
            screens.Meanings.push_back(ParamMeaning(editor.Mk, id));
            screens.Names.push_back(item ? item->Caption : QString());
        }
    }
    return screens;
}

} // namespace

TParamMeaning ParamMeaning(const TMK& mk, int id) {
    const TMeasParBase* param = mk.Catalog.FindMeasParam(id);
    return param ? TParamMeaning(param->Kind()) : std::nullopt;
}

bool IsOneValueBox(const QString& name) {
    return name.startsWith(QLatin1String("cbShowDisp_1_"));
}

bool IsSubTypeList(const QString& name) {
    return name.startsWith(QLatin1String("cbProtType"));
}

TCarrySource TakeCarrySource(TMK& source) {
    TCarrySource taken;
    RunEditorModel(source, [&taken](TSettingsEditor& editor) {
        taken.ProtName = editor.Protocol().ProtName;
        taken.ProtCode = editor.Protocol().ProtCode;
        taken.Controls.reserve(editor.Rows().size());
        for (const TControlRow& row : editor.Rows()) {
            if (row.Name == ProtocolControl || IsOneValueBox(row.Name) || !Settable(editor, row))
                continue;
            taken.Controls.push_back({row.Name, editor.MainPage(row).Caption, editor.Caption(row),
                                      editor.Shown(row), ShownText(editor, row),
                                      std::size_t(&row - editor.Rows().data())});
        }
        taken.OneValues = OneValues(editor);
        ScreenChoice::TPartMenus menus(editor);
        for (TScreenKind kind : ScreenChoice::AllKinds)
            taken.Screens.push_back(Screens(editor, menus, kind));
        for (int list = 0; list < HotMenus::ListCount; ++list)
            for (int row = 0; row < HotMenus::RowCount; ++row)
                if (const uint16_t id = HotMenus::Entry(editor.Mk, list, row)) {
                    const TMKMenuItem* item = editor.Mk.Catalog.FindMenuItemById(id);
                    taken.HotMenus[std::size_t(list)].push_back(
                        {id, item ? item->Name : QString(), item ? item->Caption : QString()});
                }
        const TDisplaySettings& display = editor.Mk.Record.DisplaySettings;
        taken.ColorTable0 = display.ColorTable0;
        taken.ColorTable1 = display.ColorTable1;
        taken.FactoryScheme = display.ColorScheme >> 4;
        taken.Tank = TankTable::Cells(editor.Mk);
        taken.BlocksShown = editor.PageVisible(QStringLiteral("tsBlocks"));
        const std::vector<TAddSystem> catalogue = BlockChoice::Catalogue(editor);
        for (const TAddSystem& entry : catalogue)
            taken.BlockCatalogue.push_back(entry.Id);
        taken.Blocks = BlockChoice::ChosenEntries(editor.Mk, catalogue);
        return false;
    });
    return taken;
}
