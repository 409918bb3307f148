#include "editing/ScreenPages.h"

namespace ScreenPages {

namespace {

constexpr TScreenPage Pages[] = {
    {"tsDisp4_1", TScreenKind::Four, 0, 3},      {"tsDisp4_2", TScreenKind::Four, 3, 3},
    {"tsDisp9", TScreenKind::Nine, 0, 3},        {"tsDisp7_1", TScreenKind::Seven, 0, 2},
    {"tsDisp7_2", TScreenKind::Seven, 2, 2},     {"tsDispGraph_1", TScreenKind::Graph, 0, 3},
    {"tsDispGraph_2", TScreenKind::Graph, 3, 3}, {"tsDispGraph_3", TScreenKind::Graph, 6, 2},
    {"tsDispArrow_1", TScreenKind::Arrow, 0, 3}, {"tsDispArrow_2", TScreenKind::Arrow, 3, 3},
    {"tsDispArrow_3", TScreenKind::Arrow, 6, 2}, {"tsDisp6", TScreenKind::Six, 0, 1},
};

} // namespace

std::span<const TScreenPage> All() {
    return Pages;
}

QString PageOf(TScreenKind kind, int display) {
    for (const TScreenPage& page : Pages)
        if (page.Kind == kind && display >= page.First && display < page.First + page.Count)
            return QString::fromLatin1(page.Page);
    return {};
}

} // namespace ScreenPages
