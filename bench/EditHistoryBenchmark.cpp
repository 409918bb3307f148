// Undo, redo and the change markers of the settings editor's model on a full 32 KB memory
// whose baseline differs from the settings (so the baseline is shown too): opening the
// editor with its baseline, one undo, one redo, and a store with the markers it refreshes.
// Prints the median of twenty of each.
#include "editing/EditBaseline.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rounds = 20;

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
}

double Milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Print(const char* what, const std::vector<double>& times, double target) {
    std::printf("%-28s median of %zu: %7.3f ms (max %7.3f; target <= %.0f ms)\n", what,
                times.size(), Median(times), *std::max_element(times.begin(), times.end()), target);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    TMK mk;
    mk.Image = FactoryImage(32768);
    mk.UnpackAll();
    // The baseline: the same memory with another protocol, velocity and colour table.
    mk.Record.ProtocolSettings.Protocol = 1;
    mk.Record.DisplaySettings.ColorTable0.Palette[3] ^= 0x1F;
    mk.PackAll();
    mk.MarkBaseline();
    mk.Image = FactoryImage(32768);
    mk.UnpackAll();

    std::vector<double> open, undo, redo, store;
    for (int round = 0; round <= Rounds; ++round) {
        const double ms = Milliseconds([&mk] {
            mk.EditSettings([&mk] {
                TSettingsEditor editor(mk);
                editor.Show();
                return false;
            });
        });
        if (round > 0) // the first opening builds the shared tables once for the program
            open.push_back(ms);
    }

    mk.EditSettings([&] {
        TSettingsEditor editor(mk);
        editor.Show();
        const QString velocity = QStringLiteral("seVelocityCorr");
        for (int i = 0; i < Rounds; ++i)
            store.push_back(Milliseconds([&] {
                editor.Put(velocity, double(i % 10));
                volatile int marked = editor.Baseline().Marks(editor).Count;
                (void)marked;
            }));
        for (int i = 0; i < Rounds && editor.CanUndo(); ++i)
            undo.push_back(Milliseconds([&] { editor.Undo(); }));
        for (int i = 0; i < Rounds && editor.CanRedo(); ++i)
            redo.push_back(Milliseconds([&] { editor.Redo(); }));
        return false;
    });
    Print("editor with its baseline", open, 50);
    Print("undo", undo, 10);
    Print("redo", redo, 10);
    Print("store and markers", store, 10);
    return 0;
}
