// Only one copy of the program runs; a crashed copy does not block the next start.
#include "base/SingleInstance.h"

#include <QTemporaryDir>
#include <QtTest>
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
