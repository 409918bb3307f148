#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "HelpText.h"
#include "base/MKError.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

void PrintOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

bool AsksForHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

// Qt's own notes (a missing XDG_RUNTIME_DIR under cron or ssh, font and platform chatter)
// are no business of a script reading mktool's output; only its failures get through.
QtMessageHandler ToolkitHandler = nullptr;

void KeepToolkitQuiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && ToolkitHandler)
        ToolkitHandler(type, context, text);
}

// "help [COMMAND]", "COMMAND --help", "--help", "--version"; -1 when it is none of these.
int RunHelp(const QStringList& args) {
    if (args.first() == QLatin1String("--version")) {
        PrintOut(Cli::VersionText());
        return Cli::ExitOk;
    }
    const bool helpCommand = args.first() == QLatin1String("help");
    if (!helpCommand && args.first() != QLatin1String("--help") &&
        args.first() != QLatin1String("-h") &&
        !(Cli::FindCommand(args.first()) && AsksForHelp(args.mid(1))))
        return -1;
    const QString name = helpCommand ? args.value(1) : args.first();
    if (const Cli::TCommandInfo* command = Cli::FindCommand(name)) {
        PrintOut(Cli::CommandHelp(*command));
        return Cli::ExitOk;
    }
    if (!helpCommand || name.isEmpty()) {
        PrintOut(Cli::OverviewHelp());
        return Cli::ExitOk;
    }
    Cli::PrintError(QStringLiteral("Неизвестная команда %1\n").arg(name) + Cli::OverviewHelp());
    return Cli::ExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    ToolkitHandler = qInstallMessageHandler(KeepToolkitQuiet);
    // Drawing previews needs fonts and images but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        Cli::PrintError(Cli::OverviewHelp());
        return Cli::ExitUsage;
    }
    if (const int status = RunHelp(args); status >= 0)
        return status;
    const Cli::TCommandInfo* command = Cli::FindCommand(args.takeFirst());
    if (!command) {
        Cli::PrintError(Cli::OverviewHelp());
        return Cli::ExitUsage;
    }
    try {
        return command->Run(args);
    } catch (const Cli::TUsageError& e) {
        Cli::PrintError(e.Text);
        return Cli::ExitUsage;
    } catch (const TMKError& e) {
        Cli::PrintError(e.Text());
        return Cli::ExitFailure;
    }
}
