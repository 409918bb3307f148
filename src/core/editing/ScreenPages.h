#pragma once

// The editor's screen sub-pages ("Дисплеи х4" 1 and 2, "х9", ...) and the run of displays of
// one kind each shows: the editor lays its previews out by it, the change list names the page
// a display is edited on, the settings sheet puts each screen under its page.

#include "editing/ScreenChoice.h"

#include <QString>
#include <span>

namespace ScreenPages {

struct TScreenPage {
    const char* Page; // the sub-page's object name
    TScreenKind Kind;
    int First; // the first display it shows (0-based)
    int Count;
};

// In tab order.
std::span<const TScreenPage> All();
// The sub-page a display of a kind is edited on; empty for a display no page shows.
QString PageOf(TScreenKind kind, int display);

} // namespace ScreenPages
