#include "base/FileRead.h"

#include "base/MKError.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileRead {
namespace {

QString Failure(const QString& kind, const QString& path, const QString& reason) {
    return QStringLiteral("Не удаётся прочитать %1 \"%2\": %3.").arg(kind, path, reason);
}

QString SystemReason(int error) {
    return qt_error_string(error);
}

QString TooLarge(qint64 limit) {
    constexpr qint64 MiB = qint64(1) << 20;
    const QString size = limit % MiB == 0 ? QStringLiteral("%1 МБ").arg(limit / MiB)
                                          : QStringLiteral("%1 байт").arg(limit);
    return QStringLiteral("такой файл не может быть больше %1").arg(size);
}

// Why a file of this status is not read; empty when it is a regular file within the limit.
QString StatusProblem(const struct stat& status, qint64 limit) {
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("это папка, а не файл");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("это не обычный файл (устройство, канал или сокет)");
    if (status.st_size > limit)
        return TooLarge(limit);
    return {};
}

// Closes the descriptor on every way out.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : Fd(fd) {}
    ~TDescriptor() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return Fd; }

private:
    int Fd;
};

// Opens a file already seen to be regular. O_NONBLOCK: should it have been swapped for a
// FIFO meanwhile, the open does not wait for a writer; the status is checked again on
// what was opened.
int OpenChecked(const QString& path, qint64 limit, QString& problem) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        problem = SystemReason(errno);
        return -1;
    }
    problem = StatusProblem(status, limit);
    if (!problem.isEmpty())
        return -1;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        problem = SystemReason(errno);
        return -1;
    }
    if (::fstat(fd, &status) != 0 || !(problem = StatusProblem(status, limit)).isEmpty()) {
        if (problem.isEmpty())
            problem = SystemReason(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

QByteArray ReadWholeFile(const QString& path, qint64 limit, const QString& kind) {
    QString problem;
    const TDescriptor file(OpenChecked(path, limit, problem));
    if (file.Get() < 0)
        throw TMKError(TErrorKind::File, Failure(kind, path, problem));
    // One byte beyond the limit tells a file that grew since, or one whose size the
    // system does not report (as in /proc).
    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.Get(), bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw TMKError(TErrorKind::File, Failure(kind, path, SystemReason(errno)));
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        throw TMKError(TErrorKind::File, Failure(kind, path, TooLarge(limit)));
    bytes.truncate(got);
    return bytes;
}

QString Unreadable(const QString& path, qint64 limit, const QString& kind) {
    QString problem;
    const TDescriptor file(OpenChecked(path, limit, problem));
    if (file.Get() < 0)
        return Failure(kind, path, problem);
    // A file that opens but fails to read (a disk error, a file of the system) fails here
    // rather than in the other reader.
    char probe = 0;
    ssize_t n = 0;
    do
        n = ::read(file.Get(), &probe, 1);
    while (n < 0 && errno == EINTR);
    return n < 0 ? Failure(kind, path, SystemReason(errno)) : QString();
}

} // namespace FileRead
