#pragma once

#include <QString>

namespace Cli {

struct TCommandInfo;

// Texts made from the command table: what mktool prints for help and its version, and the
// man page and bash completion that the build generates.
QString OverviewHelp();
QString CommandHelp(const TCommandInfo& command);
QString VersionText();
QString ManPage();
QString BashCompletion();

} // namespace Cli
