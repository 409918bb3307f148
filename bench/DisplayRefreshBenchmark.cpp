// Time of one refresh of the settings editor while a "Дисплей" sub-page is in front (what
// runs after every change: the controls, the grids and the previews, then the paint of the
// page), median over many rounds, on the factory memory. Times are the thread's processor
// time, which other processes on the machine do not stretch. With --save DIR each sub-page
// is also written to DIR as a picture.
#include "catalog/MenuItems.h"
#include "editing/PageTree.h"
#include "editor/SettingsDialog.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Rounds = 200;

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The leaves of the display page: the sub-pages that are shown as they are.
QStringList DisplayLeaves() {
    QStringList parents, leaves;
    for (const TPageInfo& page : PageTree())
        parents << page.Parent;
    for (const TPageInfo& page : PageTree())
        if (MainPageOf(page.Name).Name == QLatin1String("tsDisp") && !parents.contains(page.Name))
            leaves << page.Name;
    return leaves;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString saveDir;
    const QStringList args = app.arguments();
    if (const int at = int(args.indexOf(QStringLiteral("--save"))); at > 0 && at + 1 < args.size())
        saveDir = args[at + 1];

    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    mk.RebuildProtocolList();
    TMK_SetParamsDlg dialog(mk);
    dialog.Prepare();
    dialog.show();
    QApplication::processEvents();

    std::printf("%-16s %10s %10s %10s  %s\n", "sub-page", "refresh", "+ paint", "max", "path");
    std::printf("%-16s %10s %10s %10s\n", "", "median ms", "median ms", "ms");
    for (const QString& page : DisplayLeaves()) {
        dialog.SelectPage(page);
        QApplication::processEvents();
        QWidget* sheet = dialog.Sheet(page);
        std::vector<double> refresh, total;
        for (int i = 0; i < Rounds; ++i) {
            const double start = ThreadCpuMs();
            dialog.RefreshAll();
            const double refreshed = ThreadCpuMs();
            sheet->repaint();
            refresh.push_back(refreshed - start);
            total.push_back(ThreadCpuMs() - start);
        }
        std::printf("%-16s %10.2f %10.2f %10.2f  %s\n", qPrintable(page), Median(refresh),
                    Median(total), *std::max_element(total.begin(), total.end()),
                    PagePath(page).toUtf8().constData());
        if (!saveDir.isEmpty())
            dialog.grab().save(QDir(saveDir).filePath(page + QStringLiteral(".png")));
    }
    return 0;
}
