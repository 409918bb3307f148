#pragma once

#include <QObject>
#include <QString>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;

// How a second start hands its file to the running copy: a local socket beside the
// single-instance lock. Only the same user reaches it: the socket allows its owner alone,
// the server asks the kernel who is on the other end and drops anyone else, and the
// sender talks only to a socket its own user made and a copy its own user runs.
class TInstanceServer : public QObject {
    Q_OBJECT

public:
    // Listens at path; a socket left there by a copy that crashed is replaced (the caller
    // holds the lock, so no live copy owns it).
    explicit TInstanceServer(const QString& path, QObject* parent = nullptr);
    ~TInstanceServer() override;

    bool IsListening() const;
    // Messages dropped: from another user or not a path.
    int Refused() const { return RefusedCount; }
    // The user whose messages count; the program's own (tests pretend otherwise).
    uid_t TrustedUser;

    static constexpr int MaxMessageBytes = 8192;

signals:
    void FileReceived(const QString& path);

private:
    void Accept();
    void Read(QLocalSocket* socket);
    void Refuse(QLocalSocket* socket);

    QLocalServer* Server;
    int RefusedCount = 0;
};

// Hands the absolute path of a file to the copy listening at socketPath, waiting at most
// waitMs for a copy that is still starting. False when no copy of this user listens there
// (the socket file or the listening process is another user's) or the message did not go
// through.
bool HandFileToRunningCopy(const QString& socketPath, const QString& file, int waitMs = 3000);
