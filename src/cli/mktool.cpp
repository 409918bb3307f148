#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "HelpText.h"

#include <QGuiApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

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

// A script must not take a cut-off output for the whole: a write to stdout or stderr that
// failed (a full disk, a closed pipe) turns success into failure.
int CheckOutput(int status) {
    errno = 0;
    const bool outFailed = std::fflush(stdout) != 0 || std::ferror(stdout);
    const int reason = errno;
    const bool errFailed = std::fflush(stderr) != 0 || std::ferror(stderr);
    if (!outFailed && !errFailed)
        return status;
    if (!errFailed)
        Cli::PrintError(QStringLiteral("Вывод mktool записан не полностью") +
                        (reason ? QStringLiteral(": ") + qt_error_string(reason) : QString()) +
                        QLatin1Char('.'));
    return status == Cli::ExitOk ? Cli::ExitFailure : status;
}

int RunCommand(const Cli::TCommandInfo& command, const QStringList& args) {
    try {
        return command.Run(args);
    } catch (const Cli::TUsageError& e) {
        Cli::PrintError(e.Text);
        return Cli::ExitUsage;
    } catch (const std::exception& e) {
        Cli::PrintError(Cli::ErrorText(e));
        return Cli::ExitFailure;
    }
}

// Drawing needs fonts and a platform, though no display; every other command starts
// sooner without loading them.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    const Cli::TCommandInfo* command =
        argc > 1 ? Cli::FindCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    if (!command || !command->Draws)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed pipe is a failed write (EPIPE) that CheckOutput reports, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    ToolkitHandler = qInstallMessageHandler(KeepToolkitQuiet);
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty()) {
        Cli::PrintError(Cli::OverviewHelp());
        return Cli::ExitUsage;
    }
    if (const int status = RunHelp(args); status >= 0)
        return CheckOutput(status);
    const Cli::TCommandInfo* command = Cli::FindCommand(args.takeFirst());
    if (!command) {
        Cli::PrintError(Cli::OverviewHelp());
        return Cli::ExitUsage;
    }
    return CheckOutput(RunCommand(*command, args));
}
