#pragma once

// The journals export: a grid as a tab-separated text file.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace JournalExport {

// Every cell followed by a tab, every row ended by CR LF, in the system's 8-bit text
// encoding (the ANSI code page on Windows, UTF-8 elsewhere).
QByteArray Encode(const QList<QStringList>& rows);
// Creates or replaces the file; an existing file survives a failed write. Throws TMKError
// with the system's message.
void Write(const QString& path, const QList<QStringList>& rows);

} // namespace JournalExport
