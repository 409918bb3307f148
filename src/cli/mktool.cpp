#include "base/MKError.h"
#include "CliUtil.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <map>

namespace {

using TCommand = int (*)(const QStringList&);

const std::map<QString, TCommand>& CommandTable() {
    static const std::map<QString, TCommand> table = {
        {"pack", RunPack},       {"unpack", RunUnpack},     {"show", RunShow},
        {"catalog", RunCatalog}, {"journals", RunJournals}, {"preview", RunPreview},
        {"read", RunRead},       {"write", RunWrite},       {"simulate", RunSimulate},
        {"get", RunGet},         {"describe", RunDescribe}, {"set", RunSet},
        {"diff", RunDiff},       {"carry", RunCarry},
    };
    return table;
}

const char* Usage = "Использование: mktool <команда> [параметры]\n"
                    "Команды: pack, unpack, show, catalog, journals, preview, read, write, "
                    "simulate, get, describe, set, diff, carry\n";

} // namespace

int main(int argc, char* argv[]) {
    // Drawing previews needs fonts and images but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || !CommandTable().count(args.first())) {
        Cli::PrintError(QString::fromUtf8(Usage));
        return Cli::ExitUsage;
    }
    const TCommand command = CommandTable().at(args.takeFirst());
    try {
        return command(args);
    } catch (const Cli::TUsageError& e) {
        Cli::PrintError(e.Text);
        return Cli::ExitUsage;
    } catch (const TMKError& e) {
        Cli::PrintError(e.Text());
        return Cli::ExitFailure;
    }
}
