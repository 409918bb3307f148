#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'journals' command lands.
int RunJournals(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'journals' пока недоступна"));
    return Cli::ExitFailure;
}
