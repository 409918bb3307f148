#pragma once

// The settings file (*.rvset): SettingsVersion in clear, then the memory image scrambled
// with FileKey.

#include <QByteArray>
#include <QString>

class TMK;

namespace SettingsFile {

QByteArray Encode(uint16_t settingsVersion, const QByteArray& image);
// Throws TMKError (File) for data shorter than the version word.
void Decode(const QByteArray& file, uint16_t& settingsVersion, QByteArray& image);

// Writes the model's version and image; the old file survives a failed write. Throws.
void Save(const TMK& mk, const QString& path);
// Replaces the model's settings with a fresh model's loaded from the file (its version, its
// image, the record unpacked from it, the file as origin). Throws TMKError (File); a file
// that cannot be read (no regular file, over a megabyte) or is too short changes nothing.
void Load(TMK& mk, const QString& path);

} // namespace SettingsFile
