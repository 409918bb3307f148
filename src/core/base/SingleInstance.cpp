#include "base/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

TJustOne::TJustOne()
    : TJustOne(DefaultFolder(), QFileInfo(QCoreApplication::applicationFilePath()).fileName()) {}

TJustOne::TJustOne(const QString& folder, const QString& name)
    : Lock(std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")))),
      Channel(QDir(folder).filePath(name + QStringLiteral(".socket"))) {
    // Only a lock whose process has gone counts as stale, never one that is merely old.
    Lock->setStaleLockTime(0);
    Held = MakePrivateFolder(folder) && Lock->tryLock(0);
}

QString TJustOne::DefaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime))
        return runtime;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Params32");
}

bool TJustOne::IsPrivateFolder(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}

bool TJustOne::MakePrivateFolder(const QString& path) {
    const QByteArray local = QFile::encodeName(path);
    const QString parent = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent))
        return false;
    if (::mkdir(local.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat status {};
    if (::lstat(local.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid())
        return false;
    // The user's own folder made under a loose umask, or by hand: only the rights change.
    if ((status.st_mode & 07777) != 0700 && ::chmod(local.constData(), 0700) != 0)
        return false;
    return IsPrivateFolder(path);
}
