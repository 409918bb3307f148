#pragma once

// NAME=VALUE assignments of mktool set, from the command line or a settings text.

#include <QList>
#include <QString>
#include <QStringList>

namespace Cli {

struct TAssignment {
    QString Name;
    QString Value;
    QString Origin; // "FILE, строка N" for a line of a text; empty for the command line
};

// Throws TUsageError (with `usage`) for an argument without "=" or without a name.
QList<TAssignment> CommandLineAssignments(const QStringList& args, const QString& usage);
// One NAME=VALUE a line; '#' comments and empty lines skipped; CR LF line ends accepted.
// A line that is no assignment is a TUsageError naming the file and the line.
QList<TAssignment> TextAssignments(const QString& path, const QByteArray& text);

// "FILE, строка N: text", or the text alone for the command line.
QString WithOrigin(const TAssignment& assignment, const QString& text);

} // namespace Cli
