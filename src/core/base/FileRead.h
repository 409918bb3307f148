#pragma once

// Reading a file the user named: a regular file only, never more than its kind may hold.
// A FIFO, a device or a folder would block the program, feed it without end or make no
// sense, so they are refused before anything is read, with one wording for every file.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace FileRead {

// The largest settings file, program settings file, settings text or memory image accepted;
// the largest MK memory is 32 KB.
constexpr qint64 SettingsLimit = qint64(1) << 20;

// What the error texts call each kind of file.
inline QString SettingsFileKind() {
    return QStringLiteral("файл настроек");
}
inline QString TankFileKind() {
    return QStringLiteral("файл настроек бака");
}
inline QString ProgramSettingsKind() {
    return QStringLiteral("файл настроек программы");
}
inline QString SettingsTextKind() {
    return QStringLiteral("файл со значениями настроек");
}
inline QString MemoryImageKind() {
    return QStringLiteral("файл образа памяти");
}

// The file's bytes, at most `limit` of them. Throws TMKError naming the kind and the file
// when it is no regular file, holds more than `limit` bytes or cannot be read.
QByteArray ReadWholeFile(const QString& path, qint64 limit, const QString& kind);
// The same checks without reading, for files another reader opens: an empty text when the
// file could be read, the error text otherwise.
QString Unreadable(const QString& path, qint64 limit, const QString& kind);

} // namespace FileRead
