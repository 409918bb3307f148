#include "sheet/SheetPageData.h"

#include "base/MKError.h"
#include "editing/BlockChoice.h"
#include "editing/ColorSchemes.h"
#include "editing/HotMenus.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "editing/TankTable.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"
#include "sheet/SettingsSheet.h"

namespace SheetPageData {

namespace {

// The screen sub-pages and the displays each shows, as the editor lays them out.
struct TScreenSheet {
    const char* Page;
    TScreenKind Kind;
    int First;
    int Count;
};

constexpr TScreenSheet ScreenSheets[] = {
    {"tsDisp4_1", TScreenKind::Four, 0, 3},      {"tsDisp4_2", TScreenKind::Four, 3, 3},
    {"tsDisp9", TScreenKind::Nine, 0, 3},        {"tsDisp7_1", TScreenKind::Seven, 0, 2},
    {"tsDisp7_2", TScreenKind::Seven, 2, 2},     {"tsDispGraph_1", TScreenKind::Graph, 0, 3},
    {"tsDispGraph_2", TScreenKind::Graph, 3, 3}, {"tsDispGraph_3", TScreenKind::Graph, 6, 2},
    {"tsDispArrow_1", TScreenKind::Arrow, 0, 3}, {"tsDispArrow_2", TScreenKind::Arrow, 3, 3},
    {"tsDispArrow_3", TScreenKind::Arrow, 6, 2}, {"tsDisp6", TScreenKind::Six, 0, 1},
};

// The group of "Показывать дисплеи" boxes that ticks a kind of screen.
char GroupKey(TScreenKind kind) {
    switch (kind) {
    case TScreenKind::Four:
        return '4';
    case TScreenKind::Nine:
        return '9';
    case TScreenKind::Seven:
        return '7';
    case TScreenKind::Six:
        return '6';
    case TScreenKind::Graph:
        return 'G';
    case TScreenKind::Arrow:
        return 'A';
    }
    return '4';
}

// A display the MK shows: its box is visible and ticked.
bool Ticked(const TSettingsEditor& editor, TScreenKind kind, int display) {
    const TControlRow* box = editor.Row(ScreenEnable::BoxName(GroupKey(kind), display));
    return box && editor.Visible(*box) && editor.Shown(*box).toBool();
}

QString PartNote(ScreenChoice::TPartMenus& menus, const TMK& mk, TScreenKind kind, int display,
                 int part) {
    const int id = ScreenChoice::StoredId(mk, kind, display, part);
    const ScreenChoice::TParamItem* item = menus.Find(kind, part, id);
    const QString name = item ? item->Caption : QStringLiteral("параметр %1").arg(id);
    return QStringLiteral("%1. %2").arg(part + 1).arg(name);
}

void AddScreens(TSettingsEditor& editor, TSheetPage& page, const TScreenSheet& screens) {
    ScreenChoice::TPartMenus menus(editor);
    const ScreenEnable::TGroup& group = ScreenEnable::Group(GroupKey(screens.Kind));
    for (int d = screens.First; d < screens.First + screens.Count; ++d) {
        if (!Ticked(editor, screens.Kind, d))
            continue;
        TSheetPicture picture{ScreenChoice::BoxName(screens.Kind, d),
                              QStringLiteral("%1 #%2").arg(group.Caption).arg(d + 1),
                              {},
                              {}};
        ScreenChoice::DrawScreen(editor.Mk, screens.Kind, d);
        picture.Image = editor.Mk.Preview->PreviewSurface.copy();
        for (int part = 0; part < ScreenChoice::PartCount(screens.Kind); ++part)
            picture.Notes << PartNote(menus, editor.Mk, screens.Kind, d, part);
        page.Pictures.push_back(std::move(picture));
    }
}

struct TSamplePlace {
    const char* Page;
    TColorSample Sample;
    const char* Box;
    const char* Caption;
};

constexpr TSamplePlace Samples[] = {
    {"tsColorDig17", TColorSample::One, "pbDigit1", "Образец х1"},
    {"tsColorDig17", TColorSample::Seven, "pbDigit7", "Образец х7"},
    {"tsColorDig49", TColorSample::Four, "pbDigit4", "Образец х4"},
    {"tsColorDig49", TColorSample::Nine, "pbDigit9", "Образец х9"},
    {"tsColorMenu", TColorSample::Menu, "pbMenu", "Образец меню"},
    {"tsColorGraph", TColorSample::Graph, "pbGraph", "Образец графиков"},
    {"tsColorArrow", TColorSample::DialsLeft, "pbArrowLeft", "Образец стрелок 1"},
    {"tsColorArrow", TColorSample::DialsRight, "pbArrowRight", "Образец стрелок 2"},
};

struct TGridPlace {
    const char* Page;
    TColorGrid Grid;
    const char* Caption;
};

constexpr TGridPlace Grids[] = {
    {"tsColors", TColorGrid::Palette, "Палитра цветов"},
    {"tsColorDigit", TColorGrid::Digit, "Цвета цифровых дисплеев"},
    {"tsColorMenu", TColorGrid::Menu, "Цвета меню"},
    {"tsColorGraph", TColorGrid::Graph, "Цвета графиков"},
    {"tsColorArrow", TColorGrid::Arrow, "Цвета стрелочного дисплея"},
};

QString Swatch(const QColor& color) {
    return color.name(QColor::HexRgb);
}

TSheetTable ColorTable(const TMK& mk, const TGridPlace& place) {
    const bool palette = place.Grid == TColorGrid::Palette;
    TSheetTable table{
        QString::fromUtf8(place.Caption),
        palette ? QStringList{QStringLiteral("Цвет"), QStringLiteral("R, G, B"), QString()}
                : QStringList{QStringLiteral("Элемент"), QStringLiteral("Цвет палитры"), QString()},
        {}};
    for (int r = 0; r < ColorSchemes::RowCount(place.Grid); ++r) {
        QString value;
        if (palette) {
            const TRgb5 rgb = ColorSchemes::PaletteEntry(mk, r);
            value = QStringLiteral("%1, %2, %3").arg(rgb.R).arg(rgb.G).arg(rgb.B);
        } else {
            try {
                value =
                    QStringLiteral("#%1").arg(ColorSchemes::ElementIndex(mk, place.Grid, r) + 1);
            } catch (const TMKError&) {
                value = QStringLiteral("—"); // an index the grid cannot show
            }
        }
        table.Rows << QStringList{ColorSchemes::RowCaption(place.Grid, r), value,
                                  Swatch(ColorSchemes::CellColor(mk, place.Grid, r))};
    }
    return table;
}

void AddHotMenus(const TMK& mk, TSheetPage& page) {
    for (int list = 0; list < HotMenus::ListCount; ++list) {
        TSheetTable table{
            HotMenus::ListCaption(list), {QStringLiteral("№"), QStringLiteral("Пункт меню")}, {}};
        for (int row = 0; row < HotMenus::RowCount; ++row) {
            const uint16_t id = HotMenus::Entry(mk, list, row);
            if (id == 0)
                continue;
            const QString caption = HotMenus::Caption(mk.Catalog, id);
            table.Rows << QStringList{QString::number(row + 1),
                                      caption.isEmpty() ? QStringLiteral("пункт %1").arg(id)
                                                        : caption};
        }
        page.Tables.push_back(std::move(table));
    }
}

void AddTank(const TMK& mk, TSheetPage& page) {
    TSheetTable table{QStringLiteral("Тарировочная таблица"),
                      {QStringLiteral("Точка"), QStringLiteral("Литры"), QStringLiteral("Единицы")},
                      {}};
    const QList<TankTable::TCells> cells = TankTable::Cells(mk);
    for (int i = 0; i < cells.size(); ++i)
        table.Rows << QStringList{QString::number(i + 1), cells[i].Litres, cells[i].Units};
    page.Tables.push_back(std::move(table));
}

void AddBlocks(const TSettingsEditor& editor, TSheetPage& page) {
    TSheetTable table{QStringLiteral("Выбранные допсистемы"), {QStringLiteral("Система")}, {}};
    for (const TAddSystem& system :
         BlockChoice::ChosenEntries(editor.Mk, BlockChoice::Catalogue(editor)))
        table.Rows << QStringList{system.Name};
    page.Tables.push_back(std::move(table));
}

} // namespace

void Add(TSettingsEditor& editor, TSheetPage& page) {
    for (const TScreenSheet& screens : ScreenSheets)
        if (page.Name == QLatin1String(screens.Page))
            AddScreens(editor, page, screens);
    for (const TGridPlace& grid : Grids)
        if (page.Name == QLatin1String(grid.Page))
            page.Tables.push_back(ColorTable(editor.Mk, grid));
    for (const TSamplePlace& sample : Samples)
        if (page.Name == QLatin1String(sample.Page)) {
            ColorSchemes::DrawSample(editor.Mk, sample.Sample);
            page.Pictures.push_back({QString::fromLatin1(sample.Box),
                                     QString::fromUtf8(sample.Caption),
                                     editor.Mk.Preview->PreviewSurface.copy(),
                                     {}});
        }
    if (page.Name == QLatin1String("tsHotMenu"))
        AddHotMenus(editor.Mk, page);
    else if (page.Name == QLatin1String("tsOil"))
        AddTank(editor.Mk, page);
    else if (page.Name == QLatin1String("tsBlocks"))
        AddBlocks(editor, page);
}

} // namespace SheetPageData
