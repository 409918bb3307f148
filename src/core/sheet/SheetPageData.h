#pragma once

// What a sheet page shows beyond its controls: the MK screens ticked for showing as their
// previews with the parameter of each part, the colour schemes' grids and samples, the hot
// menus, the tank table and the chosen additional systems.

struct TSheetPage;
class TSettingsEditor;

namespace SheetPageData {

// Adds the page's pictures and tables (nothing for a page without such data). Draws on the
// model's preview surface.
void Add(TSettingsEditor& editor, TSheetPage& page);

} // namespace SheetPageData
