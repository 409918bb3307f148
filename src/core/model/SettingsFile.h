#pragma once

// The settings file (*.rvset): SettingsVersion in clear, then the memory image scrambled
// with FileKey.

#include <QByteArray>
#include <QString>

class TMK;

namespace SettingsFile {

QByteArray Encode(uint16_t settingsVersion, const QByteArray& image);
// Throws TMKError for data shorter than the version word.
void Decode(const QByteArray& file, uint16_t& settingsVersion, QByteArray& image);

// Writes the model's version and image; the old file survives a failed write. Throws.
void Save(const TMK& mk, const QString& path);
// Replaces the model's version and image with the file's and unpacks the record. Throws;
// a file that cannot be read (no regular file, over a megabyte) or is too short changes
// nothing.
void Load(TMK& mk, const QString& path);

} // namespace SettingsFile
