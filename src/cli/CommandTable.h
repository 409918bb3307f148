#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Cli {

// One option of a command. Value is the placeholder of its value ("V", "IN.rvset"); empty
// for a switch. Extension says that the value is a file: "" any file, "rvset" files of
// that kind; a null string when the value is no file.
struct TOption {
    QString Name;
    QString Value;
    QString Meaning;
    QString Extension;

    bool IsSwitch() const { return Value.isEmpty(); }
    bool TakesFile() const { return !Extension.isNull(); }
};

// One mktool command: what parses its command line, its help, the man page and the
// shell completion all read this.
struct TCommandInfo {
    QString Name;
    int (*Run)(const QStringList& args) = nullptr;
    QString Synopsis; // after "mktool NAME "
    QString Summary;
    QList<TOption> Options;
    // The kinds of file its positional arguments are, for the completion ("rvset", "bin").
    QStringList FileExtensions;
    QList<QPair<int, QString>> ExitCodes;
    // It draws text and pictures, so it runs with the offscreen platform and its fonts.
    bool Draws = false;
};

const QList<TCommandInfo>& CommandTable();
// Null for a name no command has.
const TCommandInfo* FindCommand(const QString& name);
// The command's option of that name; null when it has none.
const TOption* FindOption(const TCommandInfo& command, const QString& name);
// "mktool NAME SYNOPSIS"; throws nothing, an unknown name gives the overview's usage.
QString UsageOf(const QString& name);

} // namespace Cli
