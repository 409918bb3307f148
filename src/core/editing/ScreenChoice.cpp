#include "editing/ScreenChoice.h"

#include "base/MKError.h"
#include "catalog/MeasuredParams.h"
#include "catalog/Protocols.h"
#include "editing/DisplayTexts.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"

#include <algorithm>
#include <span>
#include <utility>

namespace ScreenChoice {

namespace {

// Graph previews react above this line only; the lower curve starts at the other one.
constexpr int GraphClickBottom = 180;
constexpr int GraphLowerTop = 90;
// The right dial takes this much of the gauge preview's right side.
constexpr int RightDialWidth = 200;

struct TKindInfo {
    int Displays;
    int Parts;
    const char* BoxPrefix;
};

TKindInfo Info(TScreenKind kind) {
    switch (kind) {
    case TScreenKind::Four:
        return {6, 4, "pbDigit4_"};
    case TScreenKind::Nine:
        return {3, 9, "pbDigit9_"};
    case TScreenKind::Seven:
        return {4, 7, "pbDigit7_"};
    case TScreenKind::Six:
        return {1, 6, "pbDigit6_"};
    case TScreenKind::Graph:
        return {8, 2, "pbGraph_"};
    case TScreenKind::Arrow:
        return {8, 2, "pbArrow_"};
    }
    throw TRangeError();
}

// The screen's array, display after display.
const uint8_t* Ids(const TMK& mk, TScreenKind kind) {
    const TDisplaySettings& d = mk.Record.DisplaySettings;
    switch (kind) {
    case TScreenKind::Four:
        return &d.Screens4[0][0];
    case TScreenKind::Nine:
        return &d.Screens9[0][0];
    case TScreenKind::Seven:
        return &d.Screens7[0][0];
    case TScreenKind::Six:
        return &d.Screen6[0];
    case TScreenKind::Graph:
        return &d.GraphScreens[0][0];
    case TScreenKind::Arrow:
        return &d.ArrowScreens[0][0];
    }
    throw TRangeError();
}

uint8_t* Ids(TMK& mk, TScreenKind kind) {
    return const_cast<uint8_t*>(Ids(std::as_const(mk), kind));
}

int Slot(TScreenKind kind, int display, int part) {
    const TKindInfo info = Info(kind);
    if (display < 0 || display >= info.Displays || part < 0 || part >= info.Parts)
        throw TRangeError();
    return display * info.Parts + part;
}

// Column or row of a grid of `cells` equal cells; the pixels left over at the far edge
// belong to the last cell.
int Cell(int at, int length, int cells) {
    const int size = std::max(length / cells, 1);
    return std::clamp(at / size, 0, cells - 1);
}

bool Offered(TScreenKind kind, int part, const TMeasParBase& param) {
    switch (kind) {
    case TScreenKind::Graph:
        return param.HasChart != 0;
    case TScreenKind::Arrow:
        return param.DialKind == part + 1;
    default:
        return true;
    }
}

// The menu with the item of `current` checked (none for an id it does not offer).
std::vector<TParamItem> MenuItems(const TSettingsEditor& editor, TScreenKind kind, int part,
                                  int current) {
    const TProtBase& protocol = editor.Protocol();
    const int count = std::clamp(protocol.ParamCount, 0, int(protocol.ParamIds.size()));
    std::vector<TParamItem> items;
    items.reserve(std::size_t(count) + 1);
    if (kind == TScreenKind::Graph && part == 1)
        items.push_back({DisplayTexts::Absent, 0, current == 0});
    for (int i = 0; i < count; ++i) {
        const TMeasParBase* param =
            editor.Mk.Catalog.FindMeasParam(protocol.ParamIds[std::size_t(i)]);
        if (param && Offered(kind, part, *param))
            items.push_back({param->Name, param->Id, param->Id == current});
    }
    return items;
}

// Parts with the same number offer the same parameters.
std::size_t OfferSet(TScreenKind kind, int part) {
    switch (kind) {
    case TScreenKind::Graph:
        return std::size_t(1 + part);
    case TScreenKind::Arrow:
        return std::size_t(3 + part);
    default:
        return 0;
    }
}

} // namespace

int DisplayCount(TScreenKind kind) {
    return Info(kind).Displays;
}

int PartCount(TScreenKind kind) {
    return Info(kind).Parts;
}

QString BoxName(TScreenKind kind, int display) {
    return QString::fromLatin1(Info(kind).BoxPrefix) + QString::number(display + 1);
}

QString Hint(TScreenKind kind) {
    switch (kind) {
    case TScreenKind::Graph:
        return DisplayTexts::HintGraphs;
    case TScreenKind::Arrow:
        return DisplayTexts::HintDials;
    default:
        return DisplayTexts::HintDigits;
    }
}

int PartAt(TScreenKind kind, int x, int y, int width, int height) {
    switch (kind) {
    case TScreenKind::Four:
        return Cell(x, width, 2) + 2 * Cell(y, height, 2);
    case TScreenKind::Nine:
        return 3 * Cell(y, height, 3) + Cell(x, width, 3);
    case TScreenKind::Seven:
        return Cell(y, height, 7);
    case TScreenKind::Six: {
        // The big value covers cells 0, 1, 3 and 4 of the nine-cell grid.
        static constexpr int PartOfCell[9] = {0, 0, 1, 0, 0, 2, 3, 4, 5};
        return PartOfCell[3 * Cell(y, height, 3) + Cell(x, width, 3)];
    }
    case TScreenKind::Graph:
        if (y > GraphClickBottom)
            return -1;
        return y >= GraphLowerTop ? 1 : 0;
    case TScreenKind::Arrow:
        return x < width - RightDialWidth ? 0 : 1;
    }
    return -1;
}

int StoredId(const TMK& mk, TScreenKind kind, int display, int part) {
    return Ids(mk, kind)[Slot(kind, display, part)];
}

void StoreId(TMK& mk, TScreenKind kind, int display, int part, int id) {
    const int slot = Slot(kind, display, part);
    if (id < 0 || id > 255)
        throw TRangeError();
    Ids(mk, kind)[slot] = uint8_t(id);
}

std::vector<TParamItem> ParamMenu(const TSettingsEditor& editor, TScreenKind kind, int display,
                                  int part) {
    return MenuItems(editor, kind, part, StoredId(editor.Mk, kind, display, part));
}

const TParamItem* TPartMenus::Find(TScreenKind kind, int part, int id) {
    Slot(kind, 0, part);
    TMenu& menu = Menus[OfferSet(kind, part)];
    if (!menu.Built) {
        menu.Items = MenuItems(Editor, kind, part, -1);
        menu.At.fill(-1);
        // The first item of an id, as a search of the menu finds it.
        for (std::size_t i = menu.Items.size(); i-- > 0;)
            if (const int itemId = menu.Items[i].Id; itemId >= 0 && itemId < 256)
                menu.At[std::size_t(itemId)] = int16_t(i);
        menu.Built = true;
    }
    if (id < 0 || id >= 256 || menu.At[std::size_t(id)] < 0)
        return nullptr;
    return &menu.Items[std::size_t(menu.At[std::size_t(id)])];
}

bool Aim(TSettingsEditor& editor, TScreenKind kind, int display, int x, int y, int width,
         int height) {
    const int part = PartAt(kind, x, y, width, height);
    if (part < 0)
        return false;
    Slot(kind, display, part);
    editor.PopupList = display;
    editor.PopupSlot = part;
    return true;
}

void Choose(TSettingsEditor& editor, TScreenKind kind, int id) {
    StoreId(editor.Mk, kind, editor.PopupList, editor.PopupSlot, id);
    editor.NotifyRecordChanged();
}

void DrawScreen(TMK& mk, TScreenKind kind, int display) {
    const uint8_t* ids = Ids(std::as_const(mk), kind) + Slot(kind, display, 0);
    TMKPreview& p = *mk.Preview;
    switch (kind) {
    case TScreenKind::Four:
        return p.PreviewFourValues(std::span<const uint8_t, 4>(ids, 4));
    case TScreenKind::Nine:
        return p.PreviewNineValues(std::span<const uint8_t, 9>(ids, 9));
    case TScreenKind::Seven:
        return p.PreviewSevenRows(std::span<const uint8_t, 7>(ids, 7));
    case TScreenKind::Six:
        return p.PreviewSixValues(std::span<const uint8_t, 6>(ids, 6));
    case TScreenKind::Graph:
        return p.PreviewGraph(ids[0], ids[1]);
    case TScreenKind::Arrow:
        return p.PreviewDials(ids[0], ids[1]);
    }
}

} // namespace ScreenChoice
