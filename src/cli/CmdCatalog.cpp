#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'catalog' command lands.
int RunCatalog(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'catalog' пока недоступна"));
    return Cli::ExitFailure;
}
