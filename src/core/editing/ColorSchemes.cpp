#include "editing/ColorSchemes.h"

#include "base/MKError.h"
#include "editing/DisplayTexts.h"
#include "editing/EditorTables.h"
#include "editing/SettingsEditor.h"
#include "model/Preview.h"

#include <array>
#include <cstddef>

namespace ColorSchemes {

namespace {

constexpr int DigitOffset = 32;
constexpr int MenuOffset = 37;
constexpr int GraphOffset = 40;
// The arrow grid lists the dial area first and the two band colours last.
constexpr std::array<int, 10> ArrowOffsets = {45, 47, 48, 49, 50, 51, 52, 54, 46, 53};

void CheckRow(TColorGrid grid, int row) {
    if (row < 0 || row >= RowCount(grid))
        throw TRangeError();
}

uint8_t* TableBytes(TColorTable& table) {
    return reinterpret_cast<uint8_t*>(&table);
}

const uint8_t* TableBytes(const TColorTable& table) {
    return reinterpret_cast<const uint8_t*>(&table);
}

TDisplaySettings& Display(TMK& mk) {
    return mk.Record.DisplaySettings;
}

} // namespace

int RowCount(TColorGrid grid) {
    switch (grid) {
    case TColorGrid::Palette:
        return PaletteSize;
    case TColorGrid::Digit:
        return int(DisplayTexts::DigitRows.size());
    case TColorGrid::Menu:
        return int(DisplayTexts::MenuRows.size());
    case TColorGrid::Graph:
        return int(DisplayTexts::GraphRows.size());
    case TColorGrid::Arrow:
        return int(ArrowOffsets.size());
    }
    return 0;
}

QString RowCaption(TColorGrid grid, int row) {
    CheckRow(grid, row);
    switch (grid) {
    case TColorGrid::Palette:
        return DisplayTexts::PaletteRow + QString::number(row);
    case TColorGrid::Digit:
        return DisplayTexts::DigitRows[row];
    case TColorGrid::Menu:
        return DisplayTexts::MenuRows[row];
    case TColorGrid::Graph:
        return DisplayTexts::GraphRows[row];
    case TColorGrid::Arrow:
        return DisplayTexts::ArrowRows[row];
    }
    return {};
}

int ElementOffset(TColorGrid grid, int row) {
    CheckRow(grid, row);
    switch (grid) {
    case TColorGrid::Palette:
        break;
    case TColorGrid::Digit:
        return DigitOffset + row;
    case TColorGrid::Menu:
        return MenuOffset + row;
    case TColorGrid::Graph:
        return GraphOffset + row;
    case TColorGrid::Arrow:
        return ArrowOffsets[std::size_t(row)];
    }
    throw TRangeError();
}

int SchemeIsUser(const TMK& mk) {
    return mk.Preview->SchemeIsUser;
}

void SetSchemeIsUser(TMK& mk, bool user) {
    mk.Preview->SchemeIsUser = user ? 1 : 0;
}

TColorTable& EditedTable(TMK& mk) {
    return SchemeIsUser(mk) ? Display(mk).ColorTable1 : Display(mk).ColorTable0;
}

const TColorTable& EditedTable(const TMK& mk) {
    const TDisplaySettings& d = mk.Record.DisplaySettings;
    return SchemeIsUser(mk) ? d.ColorTable1 : d.ColorTable0;
}

TRgb5 PaletteEntry(const TMK& mk, int row) {
    CheckRow(TColorGrid::Palette, row);
    return TMK::UnpackColor(EditedTable(mk).Palette[row]);
}

void StorePaletteEntry(TMK& mk, int row, const TRgb5& rgb) {
    CheckRow(TColorGrid::Palette, row);
    for (int c : {rgb.R, rgb.G, rgb.B})
        if (c < 0 || c > ComponentMax)
            throw TRangeError();
    EditedTable(mk).Palette[row] = TMK::PackColor(rgb.R, rgb.G, rgb.B);
}

void ChoosePaletteRow(TSettingsEditor& editor, int row, bool guarded) {
    const TRgb5 entry = PaletteEntry(editor.Mk, row);
    editor.PaletteRow = row;
    const std::array<int, 3> shown{entry.R, entry.G, entry.B};
    const bool changed = shown != editor.PaletteShown;
    editor.PaletteShown = shown;
    if (changed && !guarded)
        StorePaletteEntry(editor.Mk, row, entry);
}

void EditPalette(TSettingsEditor& editor, const TRgb5& shown) {
    if (editor.RefreshInProgress || editor.PaletteRow < 0)
        return;
    StorePaletteEntry(editor.Mk, editor.PaletteRow, shown);
    editor.PaletteShown = {shown.R, shown.G, shown.B};
}

int ElementIndex(const TMK& mk, TColorGrid grid, int row) {
    const int index = TableBytes(EditedTable(mk))[ElementOffset(grid, row)];
    if (index > ReadIndexMax)
        throw TRangeError();
    return index;
}

void StoreElementIndex(TMK& mk, TColorGrid grid, int row, int index) {
    const int offset = ElementOffset(grid, row);
    if (index < 0 || index > EditedIndexMax)
        throw TRangeError();
    TableBytes(EditedTable(mk))[offset] = uint8_t(index);
}

QColor CellColor(const TMK& mk, TColorGrid grid, int row) {
    const TColorTable& table = EditedTable(mk);
    if (grid == TColorGrid::Palette) {
        CheckRow(grid, row);
        return TMK::ColorToRgb(table.Palette[row]);
    }
    return TMK::ColorToRgb(table.Palette[ElementIndex(mk, grid, row) & (PaletteSize - 1)]);
}

int ActiveScheme(const TMK& mk) {
    return mk.Record.DisplaySettings.ColorScheme & 15;
}

int SchemeItem(const TMK& mk) {
    const int scheme = ActiveScheme(mk);
    return scheme >= 1 && scheme <= UserScheme ? scheme - 1 : -1;
}

void SelectScheme(TSettingsEditor& editor, int item) {
    if (item < 0 || item >= UserScheme)
        throw TRangeError();
    TMK& mk = editor.Mk;
    const int stored = Display(mk).ColorScheme;
    const int low = stored & 15;
    const int high = stored >> 4 ? stored >> 4 : low;
    const int chosen = item + 1;
    if (chosen == UserScheme) {
        Display(mk).ColorScheme = uint8_t(high << 4 | UserScheme);
        SetSchemeIsUser(mk, true);
        return;
    }
    SetSchemeIsUser(mk, false);
    if (chosen == high) {
        Display(mk).ColorScheme = uint8_t(high << 4 | chosen);
        return;
    }
    // Asked whenever the group has the focus at the moment of the change, however the focus
    // got there (a window manager may never hand it back after the question's box).
    const bool focused =
        editor.HasFocus ? editor.HasFocus(SchemeControl) : editor.SchemeRadioFocused;
    if (focused && !editor.Confirm(DisplayTexts::SchemeQuestion)) {
        // Back to the scheme in force, as if the program had selected it again.
        SetSchemeIsUser(mk, low == UserScheme);
        editor.SetShown(SchemeControl, SchemeItem(mk));
        return;
    }
    Display(mk).ColorTable0 = mk.FactorySchemes[std::size_t(chosen - 1)];
    Display(mk).ColorScheme = uint8_t(chosen * 17);
}

QVariant LoadScheme(const TSettingsEditor& editor) {
    const int item = SchemeItem(editor.Mk);
    return item >= 0 ? QVariant(item) : editor.Shown(SchemeControl);
}

void StoreScheme(TSettingsEditor& editor, const QVariant& shown) {
    SelectScheme(editor, shown.toInt());
}

void CopyToUser(TMK& mk) {
    Display(mk).ColorTable1 = Display(mk).ColorTable0;
}

bool ResetSchemes(TSettingsEditor& editor) {
    if (!editor.Confirm(DisplayTexts::ResetQuestion))
        return false;
    TMK& mk = editor.Mk;
    Display(mk).ColorTable0 = mk.FactorySchemes[0];
    Display(mk).ColorTable1 = mk.FactorySchemes[UserScheme - 1];
    SetSchemeIsUser(mk, false);
    Display(mk).ColorScheme = 0x11;
    editor.SetShown(SchemeControl, 0);
    // Every control again from the record, as at opening.
    editor.LoadAll();
    ApplySchemeChoice(editor);
    editor.ApplyProtocol();
    RebuildScreenList(editor);
    editor.NotifyRecordChanged();
    return true;
}

void DrawSample(TMK& mk, TColorSample sample) {
    static constexpr uint8_t Four[4] = {12, 13, 16, 17};
    static constexpr uint8_t Seven[7] = {12, 13, 16, 17, 11, 10, 7};
    static constexpr uint8_t Nine[9] = {12, 13, 16, 17, 1, 4, 11, 10, 7};
    TMKPreview& p = *mk.Preview;
    switch (sample) {
    case TColorSample::One:
        return p.PreviewOneValue(12);
    case TColorSample::Seven:
        return p.PreviewSevenRows(Seven);
    case TColorSample::Four:
        return p.PreviewFourValues(Four);
    case TColorSample::Nine:
        return p.PreviewNineValues(Nine);
    case TColorSample::Menu:
        return p.PreviewMenu();
    case TColorSample::Graph:
        return p.PreviewGraph(14, 13);
    case TColorSample::DialsLeft:
        return p.PreviewDials(13, 12);
    case TColorSample::DialsRight:
        return p.PreviewDials(14, 12);
    }
}

} // namespace ColorSchemes
