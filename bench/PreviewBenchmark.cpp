// Time of each MK screen composition on the preview surface, the editor's sample screens.
#include "model/DeviceModel.h"
#include "model/Preview.h"

#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int Rounds = 2000;

double MicrosecondsPerCall(const std::function<void()>& draw) {
    draw(); // the pictures are drawn on first use
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Rounds; ++i)
        draw();
    return double(timer.nsecsElapsed()) / 1000.0 / Rounds;
}

} // namespace

int main() {
    TMK mk;
    TMKPreview& p = *mk.Preview;
    const uint8_t four[4] = {12, 13, 16, 17};
    const uint8_t six[6] = {12, 17, 13, 10, 8, 9};
    const uint8_t seven[7] = {12, 13, 16, 17, 11, 10, 7};
    const uint8_t nine[9] = {12, 13, 16, 17, 1, 4, 11, 10, 7};
    const struct {
        const char* Name;
        std::function<void()> Draw;
    } screens[] = {
        {"PreviewOneValue", [&] { p.PreviewOneValue(12); }},
        {"PreviewFourValues", [&] { p.PreviewFourValues(four); }},
        {"PreviewSixValues", [&] { p.PreviewSixValues(six); }},
        {"PreviewSevenRows", [&] { p.PreviewSevenRows(seven); }},
        {"PreviewNineValues", [&] { p.PreviewNineValues(nine); }},
        {"PreviewDials", [&] { p.PreviewDials(14, 12); }},
        {"PreviewGraph", [&] { p.PreviewGraph(14, 13); }},
        {"PreviewMenu", [&] { p.PreviewMenu(); }},
    };
    std::printf("%-20s %12s\n", "composition", "us per call");
    for (const auto& screen : screens)
        std::printf("%-20s %12.1f\n", screen.Name, MicrosecondsPerCall(screen.Draw));
    return 0;
}
