#include "sim/PseudoTerminal.h"

#include "base/MKError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const char* call) {
    throw TMKError(
        QStringLiteral("Не удалось создать псевдотерминал (%1: %2).")
            .arg(QString::fromLatin1(call), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

TPseudoTerminal::TPseudoTerminal() {
    Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Master < 0)
        Fail("posix_openpt");
    char name[128] = {};
    if (grantpt(Master) != 0 || unlockpt(Master) != 0 ||
        ptsname_r(Master, name, sizeof name) != 0) {
        Close();
        Fail("ptsname");
    }
    Path = QString::fromLocal8Bit(name);
    HeldSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
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
