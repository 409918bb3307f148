#include "sheet/SheetPageData.h"

#include "base/MKError.h"
#include "editing/BlockChoice.h"
#include "editing/ColorSchemes.h"
#include "editing/HotMenus.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenEnable.h"
#include "editing/ScreenPages.h"
#include "editing/SettingsEditor.h"
#include "editing/TankTable.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"
#include "sheet/SettingsSheet.h"

#include <QHash>

namespace SheetPageData {

namespace {

// A picture of the preview surface as the sheet keeps it: an MK screen has a few palette
// colours, so with its colours in a table, a quarter of the surface's bytes to copy and
// later to encode; a copy as it is when it has more than 256.
QImage Kept(const QImage& image) {
    if (image.format() != QImage::Format_RGB32)
        return image.copy();
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    QHash<QRgb, uchar> indexOf;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (x > 0 && in[x] == in[x - 1]) { // runs of one colour are the rule
                out[x] = out[x - 1];
                continue;
            }
            auto at = indexOf.constFind(in[x]);
            if (at == indexOf.cend()) {
                if (colours.size() == 256)
                    return image.copy();
                at = indexOf.insert(in[x], uchar(colours.size()));
                colours.append(in[x]);
            }
            out[x] = *at;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

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

void AddScreens(TSettingsEditor& editor, TSheetPage& page,
                const ScreenPages::TScreenPage& screens) {
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
        picture.Image = Kept(editor.Mk.Preview->PreviewSurface);
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
    for (const ScreenPages::TScreenPage& screens : ScreenPages::All())
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
                                     Kept(editor.Mk.Preview->PreviewSurface),
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
