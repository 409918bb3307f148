#include "editing/PageData.h"

#include "catalog/AdditionalSystems.h"
#include "editing/BlockChoice.h"
#include "editing/ColorSchemes.h"
#include "editing/DisplayTexts.h"
#include "editing/HotMenus.h"
#include "editing/ScreenChoice.h"
#include "editing/ScreenPages.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

#include <QStringList>
#include <cstring>

namespace {

constexpr std::size_t DisplayAt = offsetof(TSettingsRecord, DisplaySettings);
constexpr std::size_t TankAt = offsetof(TSettingsRecord, TankCalibration);
constexpr std::size_t BlocksAt =
    offsetof(TSettingsRecord, ServiceSettings) + offsetof(TServiceSettings, Blocks);

// Little-endian, as the record holds it.
uint32_t Unsigned(const uint8_t* record, std::size_t offset, std::size_t size) {
    uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | record[offset + i];
    return value;
}

void AddColours(std::vector<TPagePart>& parts, std::size_t table, const QString& scheme) {
    const std::size_t at = DisplayAt + table;
    for (int row = 0; row < ColorSchemes::PaletteSize; ++row) {
        const std::size_t offset = at + offsetof(TColorTable, Palette) + std::size_t(row) * 2;
        parts.push_back(
            {QStringLiteral("tsColors"),
             scheme + QStringLiteral(": ") + ColorSchemes::RowCaption(TColorGrid::Palette, row),
             offset, 2, 0xFF, [offset](const TSettingsEditor&, const uint8_t* r) {
                 return TMK::ColorToRgb(uint16_t(Unsigned(r, offset, 2))).name().toUpper();
             }});
    }
    const struct {
        TColorGrid Grid;
        const char* Page;
    } grids[] = {{TColorGrid::Digit, "tsColorDigit"},
                 {TColorGrid::Menu, "tsColorMenu"},
                 {TColorGrid::Graph, "tsColorGraph"},
                 {TColorGrid::Arrow, "tsColorArrow"}};
    for (const auto& grid : grids)
        for (int row = 0; row < ColorSchemes::RowCount(grid.Grid); ++row) {
            const std::size_t offset =
                at + std::size_t(ColorSchemes::ElementOffset(grid.Grid, row));
            parts.push_back(
                {QString::fromLatin1(grid.Page),
                 scheme + QStringLiteral(": ") + ColorSchemes::RowCaption(grid.Grid, row), offset,
                 1, 0xFF, [offset](const TSettingsEditor&, const uint8_t* r) {
                     return DisplayTexts::PaletteRow + QString::number(r[offset]);
                 }});
        }
}

std::size_t ScreenArray(TScreenKind kind) {
    switch (kind) {
    case TScreenKind::Four:
        return offsetof(TDisplaySettings, Screens4);
    case TScreenKind::Nine:
        return offsetof(TDisplaySettings, Screens9);
    case TScreenKind::Seven:
        return offsetof(TDisplaySettings, Screens7);
    case TScreenKind::Six:
        return offsetof(TDisplaySettings, Screen6);
    case TScreenKind::Graph:
        return offsetof(TDisplaySettings, GraphScreens);
    case TScreenKind::Arrow:
        return offsetof(TDisplaySettings, ArrowScreens);
    }
    return 0;
}

void AddScreens(std::vector<TPagePart>& parts) {
    for (TScreenKind kind : ScreenChoice::AllKinds) {
        const int partCount = ScreenChoice::PartCount(kind);
        for (int display = 0; display < ScreenChoice::DisplayCount(kind); ++display)
            for (int part = 0; part < partCount; ++part) {
                const std::size_t offset =
                    DisplayAt + ScreenArray(kind) + std::size_t(display * partCount + part);
                parts.push_back(
                    {ScreenPages::PageOf(kind, display),
                     QStringLiteral("Дисплей %1, часть %2").arg(display + 1).arg(part + 1), offset,
                     1, 0xFF, [kind, part, offset](const TSettingsEditor& e, const uint8_t* r) {
                         ScreenChoice::TPartMenus menus(e);
                         const ScreenChoice::TParamItem* item = menus.Find(kind, part, r[offset]);
                         return item ? item->Caption : QStringLiteral("№%1").arg(r[offset]);
                     }});
            }
    }
}

void AddHotMenus(std::vector<TPagePart>& parts) {
    for (int list = 0; list < HotMenus::ListCount; ++list) {
        const std::size_t offset = DisplayAt + offsetof(TDisplaySettings, HotMenus) +
                                   std::size_t(list * HotMenus::RowCount) * 2;
        parts.push_back({QStringLiteral("tsHotMenu"), HotMenus::ListCaption(list), offset,
                         std::size_t(HotMenus::RowCount) * 2, 0xFF,
                         [offset](const TSettingsEditor& e, const uint8_t* r) {
                             QStringList items;
                             for (int row = 0; row < HotMenus::RowCount; ++row)
                                 if (const auto id = uint16_t(Unsigned(r, offset + row * 2, 2)))
                                     items.append(HotMenus::Caption(e.Mk.Catalog, id));
                             return items.isEmpty() ? QStringLiteral("—") : items.join(u", ");
                         }});
    }
}

void AddTankPoints(std::vector<TPagePart>& parts) {
    for (int point = 0; point < MaxTarirPoints; ++point) {
        const std::size_t litres =
            TankAt + offsetof(TTankCalibration, TarirLitres) + std::size_t(point);
        const std::size_t units =
            TankAt + offsetof(TTankCalibration, TarirUnits) + std::size_t(point) * 2;
        const QString caption = QStringLiteral("Тарировка, точка %1").arg(point + 1);
        parts.push_back({QStringLiteral("tsOil"), caption + QStringLiteral(", л"), litres, 1, 0xFF,
                         [litres](const TSettingsEditor&, const uint8_t* r) {
                             return QString::number(r[litres]);
                         }});
        parts.push_back({QStringLiteral("tsOil"), caption + QStringLiteral(", у.е."), units, 2,
                         0xFF, [units](const TSettingsEditor&, const uint8_t* r) {
                             return QString::number(int16_t(Unsigned(r, units, 2)));
                         }});
    }
}

void AddBlocks(std::vector<TPagePart>& parts, const TSettingsEditor& editor) {
    for (const TAddSystem& system : BlockChoice::Catalogue(editor)) {
        // Byte 0 holds the page's own choices, which are controls.
        if (system.Id < 8)
            continue;
        const std::size_t offset = BlocksAt + system.Id / 8;
        const auto mask = uint8_t(1u << (system.Id % 8));
        parts.push_back({QStringLiteral("tsBlocks"), system.Name, offset, 1, mask,
                         [offset, mask](const TSettingsEditor&, const uint8_t* r) {
                             return r[offset] & mask ? QStringLiteral("опрашивается")
                                                     : QStringLiteral("нет");
                         }});
    }
}

} // namespace

bool TPagePart::Differs(const uint8_t* a, const uint8_t* b) const {
    if (Size == 1)
        return ((a[Offset] ^ b[Offset]) & Mask) != 0;
    return std::memcmp(a + Offset, b + Offset, Size) != 0;
}

void TPagePart::Copy(uint8_t* to, const uint8_t* from) const {
    if (Size == 1)
        to[Offset] = uint8_t((to[Offset] & ~Mask) | (from[Offset] & Mask));
    else
        std::memcpy(to + Offset, from + Offset, Size);
}

std::vector<TPagePart> PageDataParts(const TSettingsEditor& editor) {
    std::vector<TPagePart> parts;
    AddColours(parts, offsetof(TDisplaySettings, ColorTable0), DisplayTexts::SchemeGroup);
    AddColours(parts, offsetof(TDisplaySettings, ColorTable1), DisplayTexts::SchemeUser);
    AddScreens(parts);
    AddHotMenus(parts);
    AddTankPoints(parts);
    AddBlocks(parts, editor);
    return parts;
}
