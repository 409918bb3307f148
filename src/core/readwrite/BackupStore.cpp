#include "readwrite/BackupStore.h"

#include "base/MKError.h"
#include "model/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString Prefix = QStringLiteral("MK-backup-");
const QString Suffix = QStringLiteral(".rvset");
constexpr QFileDevice::Permissions OwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions OwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString FileNameFor(qint64 serial, const QDateTime& when) {
    return Prefix + QStringLiteral("%1-").arg(serial, 6, 10, QLatin1Char('0')) +
           when.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral("Z") + Suffix;
}

// The serial in a backup's name; -1 for a name without one.
qint64 SerialOf(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^MK-backup-(\\d{1,15})-\\d{8}-\\d{6}Z\\.rvset$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

TBackupStore::TBackupStore() : TBackupStore(DefaultFolder()) {}

TBackupStore::TBackupStore(QString folder) : Dir(std::move(folder)) {}

QString TBackupStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Params32/backups");
}

QString TBackupStore::DemoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Params32/demo-backups");
}

QString TBackupStore::Keep(quint16 settingsVersion, const QByteArray& image,
                           const QDateTime& when) {
    QDir dir(Dir);
    if (!dir.mkpath(QStringLiteral(".")))
        throw TMKError(TErrorKind::File,
                       QStringLiteral("не удаётся создать папку \"%1\"").arg(Dir));
    // Also a folder made by an older version under the umask; the files are 0600 anyway.
    QFile::setPermissions(Dir, OwnerOnlyFolder);
    qint64 serial = 0;
    for (const QString& path : Files())
        serial = std::max(serial, SerialOf(QFileInfo(path).fileName()));
    const QByteArray bytes = SettingsFile::Encode(settingsVersion, image);
    // A new name every time: a file that appeared meanwhile (another copy writing) is
    // never replaced, the next serial is taken instead.
    QFile file;
    do {
        file.setFileName(dir.filePath(FileNameFor(++serial, when)));
    } while (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnlyFile) && file.exists());
    if (!file.isOpen() || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = QStringLiteral("\"%1\": %2").arg(file.fileName(), file.errorString());
        if (file.isOpen())
            file.remove();
        throw TMKError(TErrorKind::File, error);
    }
    file.close();
    const QStringList kept = Files();
    for (qsizetype i = 0; i + KeptFiles < kept.size(); ++i)
        QFile::remove(kept[i]);
    return file.fileName();
}

QStringList TBackupStore::Files() const {
    const QDir dir(Dir);
    QStringList names =
        dir.entryList({Prefix + QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return SerialOf(a) < SerialOf(b); });
    QStringList files;
    for (const QString& name : names)
        files << dir.filePath(name);
    return files;
}
