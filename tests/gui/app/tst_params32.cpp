// The program itself: a second copy ends at once and silently while the first runs.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestParams32 : public QObject {
    Q_OBJECT

    QTemporaryDir Runtime;

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), Runtime.filePath(QStringLiteral("data")));
        return env;
    }

    // The process id a single-instance guard names in its first line, or 0.
    static qint64 LockHolder(const QString& lock) {
        QFile file(lock);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return file.readLine().trimmed().toLongLong();
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::setPermissions(Runtime.path(), QFileDevice::ReadOwner |
                                                          QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner));
    }

    void helpAndVersionNeedNoDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("starts");
        QTest::newRow("--help") << "--help"
                                << "Использование: Params32 [--demo] [ФАЙЛ.rvset]\n";
        QTest::newRow("--version") << "--version"
                                   << "Params32, версия " MK_VERSION "\n";
    }
    void helpAndVersionNeedNoDisplay() {
        QFETCH(QString, option);
        QFETCH(QString, starts);
        QProcessEnvironment env = Environment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PARAMS32_PATH), {option});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).startsWith(starts));
        QCOMPARE(p.readAllStandardError(), QByteArray());
    }

    void secondCopyEndsSilentlyWhileTheFirstRuns() {
        QProcess first;
        first.setProcessEnvironment(Environment());
        first.start(QStringLiteral(PARAMS32_PATH), {QStringLiteral("--demo")});
        QVERIFY(first.waitForStarted());
        const QString lock = Runtime.filePath(QStringLiteral("Params32.lock"));
        QTRY_COMPARE_WITH_TIMEOUT(LockHolder(lock), first.processId(), 20000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setProcessEnvironment(Environment());
        second.start(QStringLiteral(PARAMS32_PATH), {QStringLiteral("--demo")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(10000));
        // The first copy died without releasing its guard; the next start is not blocked.
        QProcess next;
        next.setProcessEnvironment(Environment());
        next.start(QStringLiteral(PARAMS32_PATH), {QStringLiteral("--demo")});
        QVERIFY(next.waitForStarted());
        // The new copy takes over the dead one's guard instead of ending as a second copy.
        QTRY_COMPARE_WITH_TIMEOUT(LockHolder(lock), next.processId(), 20000);
        QCOMPARE(next.state(), QProcess::Running);
        next.kill();
        QVERIFY(next.waitForFinished(10000));
    }

    // The second start hands its file to the running copy and ends without a word.
    void secondCopyGivenAFileHandsItOverSilently() {
        // A killed copy of the test before may have left its lock and socket behind.
        const QString socket = Runtime.filePath(QStringLiteral("Params32.socket"));
        QFile::remove(Runtime.filePath(QStringLiteral("Params32.lock")));
        QFile::remove(socket);
        QProcess first;
        first.setProcessEnvironment(Environment());
        first.start(QStringLiteral(PARAMS32_PATH), {QStringLiteral("--demo")});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);

        QProcess second;
        second.setProcessEnvironment(Environment());
        second.setWorkingDirectory(Runtime.path());
        second.start(QStringLiteral(PARAMS32_PATH), {QStringLiteral("given.rvset")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(TestParams32)
#include "tst_params32.moc"
