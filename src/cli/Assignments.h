#pragma once

// NAME=VALUE assignments of mktool set given on the command line; those of a settings text
// (set --from) are read by SettingAssignment::TextAssignments.

#include "editing/SettingAssignment.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Cli {

// Throws TUsageError (with `usage`) for an argument that is no assignment.
QList<SettingAssignment::TAssignment> CommandLineAssignments(const QStringList& args,
                                                             const QString& usage);

} // namespace Cli
