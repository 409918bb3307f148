// Time to make the settings sheet of a full record with every screen ticked, as HTML and as
// PDF (median of five, the sheet built anew each time as the editor and mktool do), against
// the limits of 0.5 s and 1 s.
#include "catalog/Variants.h"
#include "editing/EditorSession.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetHtml.h"
#include "sheet/SheetPdf.h"
#include "sim/FactoryMemory.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int Rounds = 5;

double MedianSeconds(const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[Rounds / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the PDF's fonts

    // A device with every page: blocks, parking, voice, two tanks.
    TMK mk;
    mk.Image = FactoryImage(8192);
    const uint32_t variant = 1;
    std::memcpy(mk.Image.data() + offsetof(TImageDirectory, FirmwareVersion), &variant,
                sizeof variant);
    mk.SettingsVersion = 0x0901;
    mk.UnpackAll();
    mk.Origin = TSettingsOrigin::FromFile(QStringLiteral("car.rvset"));

    double built = 0, html = 0, pdf = 0;
    qsizetype htmlBytes = 0, pdfBytes = 0;
    int pictures = 0;
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        for (const ScreenEnable::TGroup& group : ScreenEnable::Groups())
            for (int d = 0; d < group.Count; ++d)
                if (editor.Visible(ScreenEnable::BoxName(group, d)))
                    editor.Put(ScreenEnable::BoxName(group, d), true);
        const auto build = [&] { return SettingsSheet::Build(editor); };
        for (const TSheetPage& page : build().Pages)
            pictures += int(page.Pictures.size());
        built = MedianSeconds([&] { build(); });
        html = MedianSeconds([&] { htmlBytes = SheetHtml::Html(build()).toUtf8().size(); });
        pdf = MedianSeconds([&] { pdfBytes = SheetPdf::Pdf(build()).size(); });
        return false;
    });
    std::printf("sheet of MK-0901_1, %d pictures, median of %d\n", pictures, Rounds);
    std::printf("%-6s %10s %10s %8s\n", "format", "seconds", "limit", "KiB");
    std::printf("%-6s %10.3f\n", "built", built);
    std::printf("%-6s %10.3f %10.3f %8lld\n", "HTML", html, 0.5, (long long)htmlBytes / 1024);
    std::printf("%-6s %10.3f %10.3f %8lld\n", "PDF", pdf, 1.0, (long long)pdfBytes / 1024);
    return html <= 0.5 && pdf <= 1.0 ? 0 : 1;
}
