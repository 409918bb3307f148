#include "base/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TJustOne::TJustOne()
    : TJustOne(DefaultFolder(), QFileInfo(QCoreApplication::applicationFilePath()).fileName()) {}

TJustOne::TJustOne(const QString& folder, const QString& name)
    : Lock(std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")))),
      Channel(QDir(folder).filePath(name + QStringLiteral(".socket"))) {
    // Only a lock whose process has gone counts as stale, never one that is merely old.
    Lock->setStaleLockTime(0);
    Held = QDir().mkpath(folder) && Lock->tryLock(0);
}

QString TJustOne::DefaultFolder() {
    // Per user, as the program's settings are.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}
