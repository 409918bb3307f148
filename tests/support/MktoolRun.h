#pragma once

// mktool run as a user runs it, for the tests of its commands (they define MKTOOL_PATH).

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct TResult {
    int Status;
    QByteArray Out;
    QString Err;
    // mktool's error text: the last line on stderr.
    QString LastErrorLine() const { return Err.trimmed().section(QLatin1Char('\n'), -1); }
};

inline TResult Run(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(MKTOOL_PATH), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}
