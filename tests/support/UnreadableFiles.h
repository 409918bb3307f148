#pragma once

// Files no reader may take whole, for the data-driven tests of every file the program and
// mktool read: a link to a device, a FIFO, a folder, a 2 MiB file, a file of mode 000 and a
// file whose reading fails. AddRows adds one row per case (columns "kind" and "reason");
// Make creates the case in a folder and returns its path.

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace UnreadableFiles {

struct TCase {
    const char* Tag;
    QString Kind;
    QString Reason; // a part of the error text
};

inline QList<TCase> Cases() {
    return {
        {"link to /dev/zero", QStringLiteral("device"), QStringLiteral("не обычный файл")},
        {"fifo", QStringLiteral("fifo"), QStringLiteral("не обычный файл")},
        {"folder", QStringLiteral("folder"), QStringLiteral("это папка")},
        {"2 MiB", QStringLiteral("large"), QStringLiteral("не может быть больше")},
        {"mode 000", QStringLiteral("mode000"), qt_error_string(EACCES)},
        // Reading the process's own memory at address 0 fails for root as well.
        {"read fails", QStringLiteral("readfails"), qt_error_string(EIO)},
    };
}

inline void AddRows() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    for (const TCase& c : Cases())
        QTest::newRow(c.Tag) << c.Kind << c.Reason;
}

// True when the case cannot be made as this user: root reads a file of mode 000.
inline bool Unavailable(const QString& kind) {
    return kind == QLatin1String("mode000") && geteuid() == 0;
}

// The case's path in dir, named `name`; empty when it could not be made.
inline QString Make(const QTemporaryDir& dir, const QString& kind, const QString& name) {
    const QString path = dir.filePath(name);
    const QByteArray local = QFile::encodeName(path);
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path) ? path : QString();
    if (kind == QLatin1String("fifo"))
        return mkfifo(local.constData(), 0600) == 0 ? path : QString();
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path) ? path : QString();
    if (kind == QLatin1String("readfails"))
        return QFile::link(QStringLiteral("/proc/self/mem"), path) ? path : QString();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const QByteArray bytes(kind == QLatin1String("large") ? 2 << 20 : 16, 'x');
    if (file.write(bytes) != bytes.size())
        return {};
    file.close();
    if (kind == QLatin1String("mode000") && chmod(local.constData(), 0) != 0)
        return {};
    return path;
}

} // namespace UnreadableFiles

// Makes the row's case as `name` in dir, or skips the row when this user cannot have it.
#define MAKE_UNREADABLE(path, dir, name)                                                           \
    QFETCH(QString, kind);                                                                         \
    QFETCH(QString, reason);                                                                       \
    if (UnreadableFiles::Unavailable(kind))                                                        \
        QSKIP("running as root, which reads a file of mode 000");                                  \
    const QString path = UnreadableFiles::Make(dir, kind, name);                                   \
    QVERIFY(!path.isEmpty())
