#include "app/DemoMode.h"
#include "app/InstanceChannel.h"
#include "app/MainForm.h"
#include "app/ReadOnce.h"
#include "base/MKError.h"
#include "catalog/DialPictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// "Params32 [--demo] [--read-once] [FILE.rvset]": the first argument that is not an option is a
// settings file to open at start, as the desktop passes it (%f). Made absolute now: the window's
// start-up changes the current folder.
QString FileArgument(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1))
        if (!argument.startsWith(QLatin1Char('-')))
            return QFileInfo(argument).absoluteFilePath();
    return {};
}

// --help and --version answer on stdout before any window exists, so they work without a
// display.
std::optional<QString> InformationAsked(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--version")
            return QStringLiteral("Params32, версия %1\n").arg(QStringLiteral(MK_VERSION));
        if (argument == "--help" || argument == "-h")
            return QStringLiteral(
                "Использование: Params32 [--demo] [ФАЙЛ.rvset]\n"
                "Просмотр и настройка параметров МК.\n\n"
                "  ФАЙЛ.rvset  открыть файл настроек; если программа уже запущена, файл\n"
                "              откроется в ней\n"
                "  --demo      работать с симулированным МК вместо настоящего\n"
                "  --help      показать эту справку\n"
                "  --version   показать версию\n");
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<QString> text = InformationAsked(argc, argv)) {
        std::fputs(text->toUtf8().constData(), stdout);
        return 0;
    }
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
        // The running copy opens the file; without one this start just ends.
        if (file.isEmpty() || HandFileToRunningCopy(form.ChannelPath(), file))
            return 0;
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("Params32 уже запущена, но файл %1 передать ей не удалось.")
                         .arg(file)
                         .toLocal8Bit()
                         .constData());
        return 1;
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
