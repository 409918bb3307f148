// Arbitrary display settings (parameter ids, colour indices beyond the palette, screen
// lists, hot menus) drawn through the previews the editor's screen and colour pages draw,
// in either colour table.
#include "FuzzKit.h"

#include "editing/ColorSchemes.h"
#include "editing/ScreenChoice.h"
#include "model/Preview.h"

#include <utility>
#include <vector>

namespace {

struct TState {
    TMK Mk;
    QByteArray Valid;
    std::vector<std::pair<TScreenKind, int>> Screens;
    TState() {
        PrepareFactoryModel(Mk);
        Valid = RecordBytes(Mk);
        for (TScreenKind kind : ScreenChoice::AllKinds)
            for (int d = 0; d < ScreenChoice::DisplayCount(kind); ++d)
                Screens.emplace_back(kind, d);
    }
};

constexpr int SampleCount = int(TColorSample::DialsRight) + 1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    if (size < 3)
        return 0;
    SetRecordBytes(s.Mk, s.Valid);
    std::memcpy(s.Mk.BlockBytes(TBlock::DisplaySettings), data + 3,
                std::min(size - 3, sizeof(TDisplaySettings)));
    ColorSchemes::SetSchemeIsUser(s.Mk, data[0] & 1);
    // One drawing per input: a screen of the screen pages or a sample of the colour pages.
    const std::size_t pick = std::size_t(data[1] | data[2] << 8) % (s.Screens.size() + SampleCount);
    if (pick < s.Screens.size())
        ScreenChoice::DrawScreen(s.Mk, s.Screens[pick].first, s.Screens[pick].second);
    else
        ColorSchemes::DrawSample(s.Mk, TColorSample(pick - s.Screens.size()));
    FUZZ_CHECK(s.Mk.Preview->PreviewSurface.size() ==
               QSize(TMKPreview::ScreenWidth, TMKPreview::ScreenHeight));
    return 0;
}
