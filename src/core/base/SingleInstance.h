#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Lets only one copy of the program run per user: the first copy holds a lock named after
// the executable's file name until it ends. A copy that crashed leaves a lock whose
// process is gone; the next start takes it over.
class TJustOne {
public:
    // The lock of the running executable.
    TJustOne();
    // The lock of that name in folder (tests use their own folder).
    TJustOne(const QString& folder, const QString& name);

    // False when another copy holds the lock or the lock cannot be made.
    bool IsOnlyCopy() const { return Held; }
    // Where the copy holding the lock listens for files handed over by later starts.
    const QString& ChannelPath() const { return Channel; }

    static QString DefaultFolder();

private:
    std::unique_ptr<QLockFile> Lock;
    bool Held = false;
    QString Channel;
};
