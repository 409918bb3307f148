#include "app/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The user on the other end of a connected local socket; -1 when the kernel does not say.
qint64 PeerUser(const QLocalSocket& socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size) !=
        0)
        return -1;
    return credentials.uid;
}

} // namespace

TInstanceServer::TInstanceServer(const QString& path, QObject* parent)
    : QObject(parent), TrustedUser(getuid()), Server(new QLocalServer(this)) {
    Server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!Server->listen(path) && Server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(path);
        Server->listen(path);
    }
    connect(Server, &QLocalServer::newConnection, this, &TInstanceServer::Accept);
}

TInstanceServer::~TInstanceServer() = default;

bool TInstanceServer::IsListening() const {
    return Server->isListening();
}

void TInstanceServer::Accept() {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (PeerUser(*socket) != qint64(TrustedUser)) {
            Refuse(socket);
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        Read(socket);
    }
}

void TInstanceServer::Read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxMessageBytes)
            Refuse(socket);
        return;
    }
    const QByteArray line = socket->readLine(MaxMessageBytes + 1).chopped(1);
    socket->disconnect(this);
    socket->disconnectFromServer();
    const QString path = QString::fromUtf8(line);
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.toUtf8() != line) {
        ++RefusedCount;
        return;
    }
    emit FileReceived(path);
}

void TInstanceServer::Refuse(QLocalSocket* socket) {
    ++RefusedCount;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

bool HandFileToRunningCopy(const QString& socketPath, const QString& file, int waitMs) {
    const QDeadlineTimer deadline(waitMs);
    // The running copy may still be starting: its socket comes a moment after its lock.
    while (!deadline.hasExpired()) {
        const QFileInfo socketFile(socketPath);
        if (socketFile.exists() && socketFile.ownerId() != getuid())
            return false; // not ours: the file's name is nobody else's business
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            // The file may be ours, the listener not: the kernel says who is there.
            if (PeerUser(socket) != qint64(getuid())) {
                socket.abort();
                return false;
            }
            socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
            const bool sent = socket.waitForBytesWritten(int(deadline.remainingTime()));
            // The copy closes when it has the line.
            socket.waitForDisconnected(int(deadline.remainingTime()));
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}
