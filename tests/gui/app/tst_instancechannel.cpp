// The local socket through which a second start hands its file to the running copy.
#include "app/InstanceChannel.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a copy that crashed leaves behind: a socket file nobody listens at.
void LeaveStaleSocket(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    QVERIFY(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    close(fd);
    QVERIFY(QFileInfo::exists(path));
}

// Sends raw bytes as a client would, without the client's care.
void SendRaw(const QString& path, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(path);
    QVERIFY(socket.waitForConnected(3000));
    socket.write(bytes);
    QVERIFY(socket.waitForBytesWritten(3000));
    socket.disconnectFromServer();
}

} // namespace

class TestInstanceChannel : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;
    QString SocketPath() const { return Dir.filePath(QStringLiteral("Params32.socket")); }

private slots:
    void cleanup() { QFile::remove(SocketPath()); }

    void fileReachesTheRunningCopy() {
        TInstanceServer server(SocketPath());
        QVERIFY(server.IsListening());
        QSignalSpy received(&server, &TInstanceServer::FileReceived);
        std::atomic<bool> handed = false;
        // The sender blocks, as the second start does; the server answers meanwhile.
        std::unique_ptr<QThread> sender(QThread::create([&] {
            handed = HandFileToRunningCopy(SocketPath(), Dir.filePath(QStringLiteral("в а.rvset")));
        }));
        sender->start();
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toString(), Dir.filePath(QStringLiteral("в а.rvset")));
        QTRY_VERIFY(sender->isFinished());
        QVERIFY(handed);
        QCOMPARE(server.Refused(), 0);
    }

    void onlyItsUserMayReachTheSocket() {
        TInstanceServer server(SocketPath());
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(SocketPath()).permissions() & others, QFileDevice::Permissions());
        QCOMPARE(QFileInfo(SocketPath()).ownerId(), getuid());
    }

    void staleSocketDoesNotBlockANewCopy() {
        LeaveStaleSocket(SocketPath());
        TInstanceServer server(SocketPath());
        QVERIFY(server.IsListening());
        QSignalSpy received(&server, &TInstanceServer::FileReceived);
        SendRaw(SocketPath(), "/tmp/x.rvset\n");
        QTRY_COMPARE(received.size(), 1);
    }

    void anotherUsersMessageIsNeverActedOn() {
        TInstanceServer server(SocketPath());
        server.TrustedUser = getuid() + 1; // to the server, this process is someone else
        QSignalSpy received(&server, &TInstanceServer::FileReceived);
        SendRaw(SocketPath(), "/tmp/x.rvset\n");
        QTRY_COMPARE(server.Refused(), 1);
        QCOMPARE(received.size(), 0);
    }

    // Run as root, the test can be someone else for real: the socket lets nobody in.
    void anotherUserCannotConnect() {
        if (getuid() != 0)
            QSKIP("needs root to start a process as another user");
        TInstanceServer server(SocketPath());
        QVERIFY(QFile::setPermissions(Dir.path(),
                                      QFile::permissions(Dir.path()) | QFileDevice::ExeOther));
        QProcess other;
        other.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        });
        other.setWorkingDirectory(QStringLiteral("/"));
        other.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-c"),
                     QStringLiteral("import socket,sys\ns=socket.socket(socket.AF_UNIX)\n"
                                    "s.connect(sys.argv[1])\ns.sendall(b'/tmp/x.rvset\\n')"),
                     SocketPath()});
        QSignalSpy received(&server, &TInstanceServer::FileReceived);
        QVERIFY2(other.waitForFinished(10000), qPrintable(other.errorString()));
        QVERIFY(other.exitCode() != 0); // refused at connect
        QVERIFY(received.isEmpty());
    }

    // The socket file is this user's, but another user's process listens at it (a socket
    // left where that user could take it over): the second start tells it nothing.
    void copyOfAnotherUserIsToldNothing() {
        if (geteuid() != 0)
            QSKIP("needs root to listen as another user; the sender's check is the same");
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(SocketPath()).constData(),
                 sizeof address.sun_path);
        QVERIFY(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QCOMPARE(QFileInfo(SocketPath()).ownerId(), getuid());
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // The kernel records who listens: from here on, that is user nobody.
            if (setgid(65534) != 0 || setuid(65534) != 0 || listen(listener, 1) != 0)
                _exit(3);
            [[maybe_unused]] const ssize_t told = write(ready[1], "r", 1);
            pollfd wait{listener, POLLIN, 0};
            if (poll(&wait, 1, 5000) <= 0)
                _exit(0);
            const int peer = accept(listener, nullptr, nullptr);
            char byte = 0;
            _exit(peer >= 0 && read(peer, &byte, 1) > 0 ? 1 : 0); // 1: it heard the path
        }
        close(listener);
        char byte = 0;
        QCOMPARE(read(ready[0], &byte, 1), ssize_t(1));
        QVERIFY(!HandFileToRunningCopy(SocketPath(), QStringLiteral("/tmp/secret.rvset"), 1000));
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        close(ready[0]);
        close(ready[1]);
    }

    void malformedMessagesAreDropped_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("relative path") << QByteArray("x.rvset\n");
        QTest::newRow("empty line") << QByteArray("\n");
        QTest::newRow("not UTF-8") << QByteArray("/tmp/\xff\xfe.rvset\n");
        QTest::newRow("overlong, no end") << QByteArray(TInstanceServer::MaxMessageBytes + 10, '/');
    }
    void malformedMessagesAreDropped() {
        QFETCH(QByteArray, bytes);
        TInstanceServer server(SocketPath());
        QSignalSpy received(&server, &TInstanceServer::FileReceived);
        SendRaw(SocketPath(), bytes);
        QTRY_COMPARE(server.Refused(), 1);
        QCOMPARE(received.size(), 0);
    }

    void nobodyListeningMeansNotHanded() {
        QVERIFY(!HandFileToRunningCopy(SocketPath(), QStringLiteral("/tmp/x.rvset"), 200));
        LeaveStaleSocket(SocketPath());
        QVERIFY(!HandFileToRunningCopy(SocketPath(), QStringLiteral("/tmp/x.rvset"), 200));
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
