#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'write' command lands.
int RunWrite(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'write' пока недоступна"));
    return Cli::ExitFailure;
}
