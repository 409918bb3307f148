// Opening the settings editor on a full 32 KB memory: from "Редактировать настройки" to the
// dialog on screen (blocks unpacked, catalogues built, every control made, the showing steps
// run, the first paint done). Prints the median of ten openings.
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TMK mk;
    mk.Image = FactoryImage(32768);
    mk.UnpackAll();
    std::vector<double> times;
    for (int round = 0; round < 11; ++round) {
        QElapsedTimer timer;
        timer.start();
        mk.EditSettings([&mk] {
            TMK_SetParamsDlg dialog(mk);
            dialog.Prepare();
            dialog.show();
            QApplication::processEvents();
            return false;
        });
        if (round > 0) // the first opening loads fonts and pictures once for the program
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("editor opening, median of %zu: %.1f ms (min %.1f, max %.1f; target <= 150 ms)\n",
                times.size(), (times[4] + times[5]) / 2, times.front(), times.back());
    return 0;
}
