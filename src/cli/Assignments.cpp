#include "Assignments.h"

#include "CliUtil.h"

namespace Cli {

QList<SettingAssignment::TAssignment> CommandLineAssignments(const QStringList& args,
                                                             const QString& usage) {
    QList<SettingAssignment::TAssignment> list;
    for (const QString& arg : args) {
        const std::optional<SettingAssignment::TAssignment> assignment =
            SettingAssignment::Split(arg);
        if (!assignment)
            throw TUsageError{usage};
        list.append(*assignment);
    }
    return list;
}

} // namespace Cli
