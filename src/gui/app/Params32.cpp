#include "app/DemoMode.h"
#include "app/Main32Pars.h"
#include "app/ReadOnce.h"
#include "base/MKError.h"
#include "catalog/Pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

// "Params32 [--demo] [--read-once] [FILE.rvset]": the first argument that is not an option is a settings
// file to open at start, as the desktop passes it (%f). Made absolute now: the window's
// start-up changes the current folder.
QString FileArgument(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1))
        if (!argument.startsWith(QLatin1Char('-')))
            return QFileInfo(argument).absoluteFilePath();
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Params32"));
    const QString file = FileArgument(QApplication::arguments());
    std::unique_ptr<TDemoMode> demo;
    TMainFormSetup setup;
    if (TDemoMode::Requested(QApplication::arguments())) {
        try {
            demo = std::make_unique<TDemoMode>();
        } catch (const TMKError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        setup = demo->Setup();
    }
    TMainForm form(setup);
    if (!form.IsOnlyCopy()) {
        // The running copy is not told about the file: opening it is left to the user.
        if (!file.isEmpty())
            std::fprintf(stderr, "%s\n",
                         QStringLiteral("Params32 уже запущена, файл %1 в ней не открыт.")
                             .arg(file)
                             .toLocal8Bit()
                             .constData());
        return 0;
    }
    TPicturesForm::Instance();
    form.show();
    if (ReadOnce::Requested(QApplication::arguments())) {
        ReadOnce::Start(form);
        return QApplication::exec();
    }
    // Once the window is up, so an error box about the file has it to stand on.
    if (!file.isEmpty())
        QTimer::singleShot(0, &form, [&form, file] { form.OpenSettingsFile(file); });
    return QApplication::exec();
}
