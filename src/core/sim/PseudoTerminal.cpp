#include "sim/PseudoTerminal.h"

#include "base/MKError.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* call) {
    throw TMKError(
        QStringLiteral("Не удалось создать псевдотерминал (%1: %2).")
            .arg(QString::fromLatin1(call), QString::fromLocal8Bit(std::strerror(errno))));
}

// How many locked terminal numbers are passed over before one is taken all the same.
constexpr int MaxSkipped = 16;

// A serial port is opened under a lock file named after the device ("/dev/pts/3" →
// /var/lock/LCK..pts_3). A process that still holds an earlier terminal of this number (a
// child that has not ended yet) still holds that lock, and the port would refuse to open.
// A lock whose process has ended is stale and taken over, as the serial port would.
bool LockedElsewhere(const QString& devicePath) {
    const QString folder = QFileInfo(QStringLiteral("/var/lock")).isWritable()
                               ? QStringLiteral("/var/lock")
                               : QDir::tempPath();
    QString name = devicePath.mid(devicePath.indexOf(QLatin1String("/dev/")) + 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QLockFile lock(folder + QStringLiteral("/LCK..") + name);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

void CloseAll(const std::vector<int>& fds) {
    for (int fd : fds)
        ::close(fd);
}

} // namespace

TPseudoTerminal::TPseudoTerminal() {
    // Terminals whose number is still locked stay open until a free one came, so the
    // system hands out another number each time.
    std::vector<int> skipped;
    for (int attempt = 0;; ++attempt) {
        Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (Master < 0) {
            CloseAll(skipped);
            Fail("posix_openpt");
        }
        char name[128] = {};
        if (grantpt(Master) != 0 || unlockpt(Master) != 0 ||
            ptsname_r(Master, name, sizeof name) != 0) {
            CloseAll(skipped);
            Close();
            Fail("ptsname");
        }
        Path = QString::fromLocal8Bit(name);
        if (attempt == MaxSkipped || !LockedElsewhere(Path))
            break;
        skipped.push_back(Master);
        Master = -1;
    }
    CloseAll(skipped);
    HeldSlave = ::open(Path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (HeldSlave < 0) {
        Close();
        Fail("open");
    }
    // Raw bytes both ways: no echo, no line editing, no character translation.
    termios raw{};
    if (tcgetattr(HeldSlave, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(HeldSlave, TCSANOW, &raw);
    }
    fcntl(Master, F_SETFL, fcntl(Master, F_GETFL) | O_NONBLOCK);
}

TPseudoTerminal::~TPseudoTerminal() {
    Close();
}

void TPseudoTerminal::Close() {
    if (HeldSlave >= 0)
        ::close(HeldSlave);
    if (Master >= 0)
        ::close(Master);
    HeldSlave = -1;
    Master = -1;
}
