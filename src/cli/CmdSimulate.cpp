#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'simulate' command lands.
int RunSimulate(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'simulate' пока недоступна"));
    return Cli::ExitFailure;
}
