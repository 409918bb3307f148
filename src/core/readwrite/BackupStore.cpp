#include "readwrite/BackupStore.h"

#include "base/MKError.h"
#include "model/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString Prefix = QStringLiteral("MK-backup-");
const QString Suffix = QStringLiteral(".rvset");

// Sorting by name sorts by time.
QString FileNameFor(const QDateTime& when, int serial) {
    QString name = Prefix + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss-zzz"));
    if (serial > 0)
        name += QStringLiteral("_%1").arg(serial, 2, 10, QLatin1Char('0'));
    return name + Suffix;
}

} // namespace

TBackupStore::TBackupStore() : TBackupStore(DefaultFolder()) {}

TBackupStore::TBackupStore(QString folder) : Dir(std::move(folder)) {}

QString TBackupStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Params32/backups");
}

QString TBackupStore::Keep(quint16 settingsVersion, const QByteArray& image,
                           const QDateTime& when) {
    QDir dir(Dir);
    if (!dir.mkpath(QStringLiteral(".")))
        throw TMKError(TErrorKind::File,
                       QStringLiteral("не удаётся создать папку \"%1\"").arg(Dir));
    QString path;
    for (int serial = 0; path.isEmpty() || QFile::exists(path); ++serial)
        path = dir.filePath(FileNameFor(when, serial));
    const QByteArray bytes = SettingsFile::Encode(settingsVersion, image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TMKError(TErrorKind::File,
                       QStringLiteral("\"%1\": %2").arg(path, file.errorString()));
    const QStringList kept = Files();
    for (qsizetype i = 0; i + KeptFiles < kept.size(); ++i)
        QFile::remove(kept[i]);
    return path;
}

QStringList TBackupStore::Files() const {
    const QDir dir(Dir);
    QStringList files;
    for (const QString& name :
         dir.entryList({Prefix + QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}
