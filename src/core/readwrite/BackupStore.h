#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Settings files of the MK's memory as it was just before a write, so an interrupted or
// unwanted write can be undone by loading one and writing it back. Each name carries a
// serial one above the folder's highest and the UTC time, MK-backup-000042-20240309-140507Z:
// the serial orders them, so a clock set back never makes the newest look oldest; only the
// newest few are kept. They hold the whole memory, journals included, so the folder is the
// user's alone (0700) and so are the files (0600).
class TBackupStore {
public:
    static constexpr int KeptFiles = 20;

    // The program's data folder (shared by the program and mktool).
    TBackupStore();
    explicit TBackupStore(QString folder);

    static QString DefaultFolder();
    // Where a simulated MK's backups go, so trying the program never pushes out a real one.
    static QString DemoFolder();
    const QString& Folder() const { return Dir; }

    // Saves the image as an ordinary settings file and drops the oldest beyond KeptFiles.
    // Returns the new file's path; throws TMKError when it cannot be written.
    QString Keep(quint16 settingsVersion, const QByteArray& image,
                 const QDateTime& when = QDateTime::currentDateTimeUtc());
    // The kept files, oldest first (by serial; names without one, from older versions of
    // the program, come first).
    QStringList Files() const;

private:
    QString Dir;
};
