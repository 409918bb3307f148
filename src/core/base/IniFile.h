#pragma once

// The program's own settings: an INI file named after the executable.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

// A window's placement as stored in the program settings.
struct TWindowPlacement {
    enum TState { Normal = 0, Minimized = 1, Maximized = 2 };
    // The largest desktop a stored placement may lie on (the smallest is 640 x 480).
    static constexpr int DesktopMax = 8192;
    int State = Normal;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Sizeable = false; // only sizeable windows get their size back
};

class TMIniFile {
public:
    // The file beside the executable; where that folder is not writable (an installed
    // program), the same name in the user's configuration folder.
    TMIniFile();
    explicit TMIniFile(const QString& path);

    static QString DefaultPath();
    // What the user is told when the file is not used (a folder, a device, over a megabyte,
    // unreadable): every value then reads as missing and nothing is written. Empty when the
    // file is in use.
    const QString& Refusal() const { return Problem; }

    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    void WriteInteger(const QString& section, const QString& key, int value);
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    void WriteBool(const QString& section, const QString& key, bool value);
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    QStringList Keys(const QString& section) const;

    void LoadPlacement(const QString& section, TWindowPlacement& placement) const;
    void SavePlacement(const QString& section, const TWindowPlacement& placement);

private:
    std::unique_ptr<QSettings> Settings; // null when the file is refused
    QString Problem;
};
