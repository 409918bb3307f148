// Only one copy of the program runs; a crashed copy does not block the next start; the
// lock lives in a folder of the user's alone.
#include "base/SingleInstance.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestJustOne : public QObject {
    Q_OBJECT
private slots:
    void secondCopyIsRefusedWhileTheFirstRuns() {
        QTemporaryDir dir;
        TJustOne first(dir.path(), QStringLiteral("Params32"));
        QVERIFY(first.IsOnlyCopy());
        TJustOne second(dir.path(), QStringLiteral("Params32"));
        QVERIFY(!second.IsOnlyCopy());
    }

    void nextCopyRunsAfterTheFirstEnded() {
        QTemporaryDir dir;
        {
            TJustOne first(dir.path(), QStringLiteral("Params32"));
            QVERIFY(first.IsOnlyCopy());
        }
        TJustOne next(dir.path(), QStringLiteral("Params32"));
        QVERIFY(next.IsOnlyCopy());
    }

    void otherExecutableNamesDoNotMeet() {
        QTemporaryDir dir;
        TJustOne first(dir.path(), QStringLiteral("Params32"));
        TJustOne other(dir.path(), QStringLiteral("Params32-copy"));
        QVERIFY(other.IsOnlyCopy());
    }

    void crashedCopyIsTakenOver() {
        QTemporaryDir dir;
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Takes the guard and dies without releasing it, as a crash would.
            TJustOne crashing(dir.path(), QStringLiteral("Params32"));
            _exit(crashing.IsOnlyCopy() ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Params32.lock"))));
        TJustOne next(dir.path(), QStringLiteral("Params32"));
        QVERIFY(next.IsOnlyCopy());
    }

    // Without a runtime folder the guard goes to a folder of the user's own, never to a
    // shared one such as /tmp; a runtime folder others may write to is not used either.
    void withoutRuntimeFolderTheUsersPrivateFolderIsUsed_data() {
        QTest::addColumn<QString>("runtime"); // "" unset, else a folder under the test's own
        QTest::addColumn<int>("mode");
        QTest::newRow("unset") << QString() << 0;
        QTest::newRow("world-writable") << QStringLiteral("run") << 01777;
        QTest::newRow("private") << QStringLiteral("run") << 0700;
    }
    void withoutRuntimeFolderTheUsersPrivateFolderIsUsed() {
        QFETCH(QString, runtime);
        QFETCH(int, mode);
        QTemporaryDir dir;
        // An empty value counts as unset, for Qt and for the guard alike.
        const QByteArray cache = qgetenv("XDG_CACHE_HOME"), run = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([=] {
            qputenv("XDG_CACHE_HOME", cache);
            qputenv("XDG_RUNTIME_DIR", run);
        });
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
        qputenv("XDG_RUNTIME_DIR", QByteArray());
        const QString runtimeFolder = dir.filePath(runtime);
        if (!runtime.isEmpty()) {
            QVERIFY(QDir().mkpath(runtimeFolder));
            QCOMPARE(chmod(QFile::encodeName(runtimeFolder).constData(), mode_t(mode)), 0);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
        }
        const QString expected =
            mode == 0700 ? runtimeFolder : dir.filePath(QStringLiteral("cache/Params32"));
        QCOMPARE(TJustOne::DefaultFolder(), expected);
        TJustOne guard(TJustOne::DefaultFolder(), QStringLiteral("Params32"));
        QVERIFY(guard.IsOnlyCopy());
        QVERIFY(TJustOne::IsPrivateFolder(expected));
        QVERIFY(guard.ChannelPath().startsWith(expected + '/'));
    }

    // The folder must be the user's alone: a loose one of theirs is tightened, a symbolic
    // link or another user's folder is refused.
    void privateFolderIsChecked_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("usable");
        QTest::newRow("missing") << "missing" << true;
        QTest::newRow("mode 0755") << "loose" << true;
        QTest::newRow("symbolic link to a private folder") << "link" << false;
        QTest::newRow("another user's") << "foreign" << false;
    }
    void privateFolderIsChecked() {
        QFETCH(QString, kind);
        QFETCH(bool, usable);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Params32"));
        const QByteArray local = QFile::encodeName(folder);
        if (kind == "loose") {
            QCOMPARE(mkdir(local.constData(), 0755), 0);
            QCOMPARE(chmod(local.constData(), 0755), 0);
        } else if (kind == "link") {
            QCOMPARE(mkdir(QFile::encodeName(dir.filePath("real")).constData(), 0700), 0);
            QVERIFY(QFile::link(dir.filePath("real"), folder));
        } else if (kind == "foreign") {
            if (geteuid() != 0)
                QSKIP("needs root to give a folder to another user");
            QCOMPARE(mkdir(local.constData(), 0700), 0);
            QCOMPARE(chown(local.constData(), 65534, 65534), 0);
        }
        TJustOne guard(folder, QStringLiteral("Params32"));
        QCOMPARE(guard.IsOnlyCopy(), usable);
        QCOMPARE(TJustOne::IsPrivateFolder(folder), usable);
        if (!usable)
            QVERIFY(!QFile::exists(folder + QStringLiteral("/Params32.lock")));
    }

    void unusableFolderRefuses() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        TJustOne guard(dir.filePath(QStringLiteral("file/sub")), QStringLiteral("Params32"));
        QVERIFY(!guard.IsOnlyCopy());
    }
};

QTEST_GUILESS_MAIN(TestJustOne)
#include "tst_singleinstance.moc"
