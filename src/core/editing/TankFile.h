#pragma once

// The tank settings file (.rvtnk): the 2-point and 7-point lines and the tared table, 245
// bytes little-endian without a header, so a calibration survives a change of firmware
// and settings layout.

#include <QByteArray>
#include <QString>

class TMK;

namespace TankFile {

constexpr int Size = 245;
inline const QString Filter = QStringLiteral("Файлы настроек бака (*.rvtnk)");
inline const QString Suffix = QStringLiteral("rvtnk");

// The record's tank settings in file order.
QByteArray Bytes(const TMK& mk);
// Reads the fields in file order from `data`. A shorter file changes only the fields it
// holds whole; a longer one is refused (TMKError) and changes nothing. Returns the bytes
// taken.
int Apply(TMK& mk, const QByteArray& data);

// Writes the file atomically: an interrupted save keeps the old file. TMKError on failure.
void Save(const TMK& mk, const QString& path);
// Reads the file into the record as Apply does; returns its size. TMKError, with nothing
// changed, when it is no regular file, is longer than Size or cannot
// be read.
int Load(TMK& mk, const QString& path);

// What the user is told after loading a file shorter than Size.
QString ShortFileNote(int bytes);

} // namespace TankFile
