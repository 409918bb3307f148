#include "cli/CliUtil.h"
#include "cli/Commands.h"

// Placeholder until the 'preview' command lands.
int RunPreview(const QStringList&) {
    Cli::PrintError(QStringLiteral("Команда 'preview' пока недоступна"));
    return Cli::ExitFailure;
}
