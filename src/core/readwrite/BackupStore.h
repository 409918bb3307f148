#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Settings files of the MK's memory as it was just before a write, so an interrupted or
// unwanted write can be undone by loading one and writing it back. Named by date and
// time; only the newest few are kept.
class TBackupStore {
public:
    static constexpr int KeptFiles = 20;

    // The program's data folder (shared by the program and mktool).
    TBackupStore();
    explicit TBackupStore(QString folder);

    static QString DefaultFolder();
    const QString& Folder() const { return Dir; }

    // Saves the image as an ordinary settings file and drops the oldest beyond KeptFiles.
    // Returns the new file's path; throws TMKError when it cannot be written.
    QString Keep(quint16 settingsVersion, const QByteArray& image,
                 const QDateTime& when = QDateTime::currentDateTime());
    // The kept files, oldest first.
    QStringList Files() const;

private:
    QString Dir;
};
