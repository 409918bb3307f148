#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'read' command lands.
int RunRead(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'read' пока недоступна"));
    return Cli::ExitFailure;
}
