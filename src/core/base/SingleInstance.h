#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Lets only one copy of the program run per user: the first copy holds a lock named after
// the executable's file name until it ends. A copy that crashed leaves a lock whose
// process is gone; the next start takes it over. The lock and the hand-over socket beside
// it live in a folder of the user's alone, never in a shared one such as /tmp, where
// another user could plant a lock that ends every start.
class TJustOne {
public:
    // The lock of the running executable, in DefaultFolder().
    TJustOne();
    // The lock of that name in folder (tests use their own folder). The folder is made
    // 0700 when missing; one that is not the user's own private folder is refused.
    TJustOne(const QString& folder, const QString& name);

    // False when another copy holds the lock or the lock cannot be made.
    bool IsOnlyCopy() const { return Held; }
    // Where the copy holding the lock listens for files handed over by later starts.
    const QString& ChannelPath() const { return Channel; }

    // XDG_RUNTIME_DIR when it is the user's private folder; otherwise Params32 in the
    // user's cache folder (~/.cache/Params32).
    static QString DefaultFolder();
    // Whether path is a folder of this user's alone: a real folder (no symbolic link),
    // owned by the user, mode 0700.
    static bool IsPrivateFolder(const QString& path);
    // Makes path that folder: creates it 0700 when missing and takes group and other
    // rights away from one the user owns. False when it cannot be or is another's.
    static bool MakePrivateFolder(const QString& path);

private:
    std::unique_ptr<QLockFile> Lock;
    bool Held = false;
    QString Channel;
};
