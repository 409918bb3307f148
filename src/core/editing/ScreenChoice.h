#pragma once

// Which parameter each part of each MK screen shows: the screens' arrays in the record,
// the part a right click hits on a screen's preview, the parameter menu of a part and the
// store of the chosen id.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class TMK;
class TSettingsEditor;

enum class TScreenKind { Four, Nine, Seven, Six, Graph, Arrow };

namespace ScreenChoice {

constexpr TScreenKind AllKinds[] = {TScreenKind::Four, TScreenKind::Nine,  TScreenKind::Seven,
                                    TScreenKind::Six,  TScreenKind::Graph, TScreenKind::Arrow};

int DisplayCount(TScreenKind kind);
int PartCount(TScreenKind kind);
// Object name of a display's preview box: pbDigit4_1 ... pbArrow_8 (display 0-based).
QString BoxName(TScreenKind kind, int display);
// The hint of the screen sub-pages of the kind.
QString Hint(TScreenKind kind);

// The part under the mouse at (x, y) of a preview box width x height; -1 where a click
// opens nothing (graphs below the curves).
int PartAt(TScreenKind kind, int x, int y, int width, int height);

// The id a part shows; TRangeError for a display or part outside the screen's array.
int StoredId(const TMK& mk, TScreenKind kind, int display, int part);
// Stores an id into a part; TRangeError (nothing stored) for a display, part or id outside
// its array or above 255.
void StoreId(TMK& mk, TScreenKind kind, int display, int part, int id);

struct TParamItem {
    QString Caption;
    int Id = 0;
    bool Checked = false;
};
// The menu of a part: the current protocol's parameters the part can show, in protocol
// order (graph and dial parts filter them; the lower curve offers "Отсутствует" first),
// the one the part shows checked.
std::vector<TParamItem> ParamMenu(const TSettingsEditor& editor, TScreenKind kind, int display,
                                  int part);
// Every part's menu, unchecked, for a caller that walks every part of every screen: parts
// that offer the same parameters (every digit part, each curve, each dial) share one menu,
// built on first use, and an id's item is found without a search.
class TPartMenus {
public:
    explicit TPartMenus(const TSettingsEditor& editor) : Editor(editor) {}
    // The item the part's menu offers for the id; null when it offers none. TRangeError for
    // a part outside the screen.
    const TParamItem* Find(TScreenKind kind, int part, int id);

private:
    struct TMenu {
        bool Built = false;
        std::vector<TParamItem> Items;
        std::array<int16_t, 256> At; // item of each id, -1 for none
    };
    const TSettingsEditor& Editor;
    std::array<TMenu, 5> Menus;
};

// Remembers the display and part a right click hit (PopupList, PopupSlot); false when the
// point opens no menu.
bool Aim(TSettingsEditor& editor, TScreenKind kind, int display, int x, int y, int width,
         int height);
// A menu item was picked: its id goes into the aimed part and the view redraws.
void Choose(TSettingsEditor& editor, TScreenKind kind, int id);

// Draws a display with its stored ids on the preview surface.
void DrawScreen(TMK& mk, TScreenKind kind, int display);

} // namespace ScreenChoice
