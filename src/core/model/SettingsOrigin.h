#pragma once

#include <QDateTime>
#include <QString>

// Where a device model's settings came from: a settings file, or the MK at the time it was
// read. Each road that replaces the program's settings says so; the window title shows it.
struct TSettingsOrigin {
    enum class TSource { None, File, Device };

    TSource Source = TSource::None;
    QString Path;     // the file's, for File
    QDateTime ReadAt; // when the MK was read, for Device

    static TSettingsOrigin FromFile(const QString& path);
    static TSettingsOrigin FromDevice(const QDateTime& readAt);

    // As a user names it: the file's name ("car.rvset"), or "МК, считано 09.12.2026 14:05";
    // empty for settings from nowhere yet.
    QString Text() const;
    bool operator==(const TSettingsOrigin&) const = default;
};
