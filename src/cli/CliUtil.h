#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

namespace Cli {

// Exit statuses of mktool.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Thrown for a malformed command line; mktool exits with status 2.
struct TUsageError {
    QString Text;
};

// Decimal or 0x-hex.
long long ParseNumber(const QString& text);

// A tiny option reader for one command of the command table: its "--name value" options
// and "--flag" switches; the rest are positional arguments, in order. Throws TUsageError
// for an option the command does not have.
class TArgs {
public:
    TArgs(const QStringList& args, const QString& command);
    std::optional<QString> Value(const QString& name) const;
    long long Number(const QString& name, long long fallback) const;
    bool Has(const QString& name) const;
    const QStringList& Positional() const { return Rest; }
    // Throws TUsageError unless there are exactly n positional arguments.
    void ExpectPositional(int n, const QString& usage) const;

private:
    QStringList Switches;
    QList<QPair<QString, QString>> Values;
    QStringList Rest;
};

void WriteFileBytes(const QString& path, const QByteArray& bytes); // atomic; throws TMKError
void PrintJson(const QJsonDocument& document);                     // UTF-8 on stdout
void PrintError(const QString& text);                              // last line on stderr
void PrintProgress(const QString& text);                           // stderr
// The user's text of an error: the system's own text, or a plain note for any other.
QString ErrorText(const std::exception& error);

} // namespace Cli
