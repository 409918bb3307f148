// Backups of the MK's memory before writing: ordinary settings files, newest 20 kept by
// serial whatever the clock does, readable by the user alone.
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>
#include <sys/stat.h>

class TestBackupStore : public QObject {
    Q_OBJECT
private slots:
    void backupLoadsAsTheSettingsItKept() {
        QTemporaryDir dir;
        TBackupStore store(dir.filePath(QStringLiteral("backups")));
        QByteArray image(8128, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 7 + 3);
        const QString path = store.Keep(0x0203, image);
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).suffix(), QStringLiteral("rvset"));
        TMK mk;
        SettingsFile::Load(mk, path);
        QCOMPARE(mk.SettingsVersion, quint16(0x0203));
        QCOMPARE(mk.Image, image);
    }

    void nameTellsSerialAndUniversalTime() {
        QTemporaryDir dir;
        TBackupStore store(dir.path());
        // 14:05:07 at UTC+3 is 11:05:07 UTC.
        const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7, 12), QTimeZone(3 * 3600));
        QCOMPARE(QFileInfo(store.Keep(1, QByteArray(64, '\0'), when)).fileName(),
                 QStringLiteral("MK-backup-000001-20240309-110507Z.rvset"));
        QCOMPARE(QFileInfo(store.Keep(1, QByteArray(64, '\0'), when)).fileName(),
                 QStringLiteral("MK-backup-000002-20240309-110507Z.rvset"));
    }

    // With the folder full, a clock set back (by hand, by a flat battery) must not make the
    // backup just written the oldest one and delete it.
    void clockSetBackKeepsTheNewBackup_data() {
        QTest::addColumn<int>("stepSecs");
        QTest::newRow("clock set back a year") << -365 * 24 * 3600;
        QTest::newRow("same second") << 0;
        QTest::newRow("clock going forward") << 60;
    }
    void clockSetBackKeepsTheNewBackup() {
        QFETCH(int, stepSecs);
        QTemporaryDir dir;
        TBackupStore store(dir.path());
        const QDateTime start(QDate(2030, 6, 1), QTime(12, 0), QTimeZone::utc());
        QStringList made;
        for (int i = 0; i < TBackupStore::KeptFiles; ++i)
            made << store.Keep(quint16(i), QByteArray(64, char(i)), start.addSecs(i * stepSecs));
        QCOMPARE(store.Files(), made);
        const QString newest =
            store.Keep(0x0777, QByteArray(64, '\x77'), start.addSecs(-10 * 365 * 24 * 3600));
        QVERIFY(QFile::exists(newest));
        QCOMPARE(store.Files().size(), TBackupStore::KeptFiles);
        QCOMPARE(store.Files().last(), newest);
        QCOMPARE(store.Files().first(), made[1]); // the first one made went
        TMK mk;
        SettingsFile::Load(mk, newest);
        QCOMPARE(mk.SettingsVersion, quint16(0x0777));
    }

    // Names of older versions of the program (no serial) are the oldest and go first.
    void backupsWithoutSerialGoFirst() {
        QTemporaryDir dir;
        for (int i = 0; i < TBackupStore::KeptFiles; ++i) {
            QFile old(dir.filePath(QStringLiteral("MK-backup-2099-01-01_00-00-%1-000.rvset")
                                       .arg(i, 2, 10, QLatin1Char('0'))));
            QVERIFY(old.open(QIODevice::WriteOnly));
        }
        TBackupStore store(dir.path());
        const QString newest = store.Keep(1, QByteArray(64, '\0'));
        QCOMPARE(store.Files().size(), TBackupStore::KeptFiles);
        QCOMPARE(store.Files().last(), newest);
        QVERIFY(!QFile::exists(
            dir.filePath(QStringLiteral("MK-backup-2099-01-01_00-00-00-000.rvset"))));
    }

    // The backups hold the whole memory, journals included: the user's alone, whatever
    // the umask says.
    void folderAndFilesAreTheUsersAlone() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data/backups"));
        const mode_t mask = umask(0);
        TBackupStore store(folder);
        const QString path = store.Keep(1, QByteArray(64, '\0'));
        umask(mask);
        struct stat status {};
        QCOMPARE(stat(QFile::encodeName(folder).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
        QCOMPARE(stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
    }

    void sameMomentNeverOverwrites() {
        QTemporaryDir dir;
        TBackupStore store(dir.path());
        const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
        const QString first = store.Keep(1, QByteArray(64, '\1'), when);
        const QString second = store.Keep(2, QByteArray(64, '\2'), when);
        QVERIFY(first != second);
        QCOMPARE(store.Files(), (QStringList{first, second}));
        TMK mk;
        SettingsFile::Load(mk, first);
        QCOMPARE(mk.SettingsVersion, quint16(1));
    }

    void onlyTheNewestTwentyStay() {
        QTemporaryDir dir;
        TBackupStore store(dir.path());
        const QDateTime start(QDate(2023, 12, 31), QTime(23, 59, 0));
        QStringList made;
        for (int i = 0; i < 25; ++i)
            made << store.Keep(quint16(i), QByteArray(64, char(i)), start.addSecs(i * 37));
        QCOMPARE(store.Files(), made.mid(5));
    }

    void otherFilesInTheFolderAreLeftAlone() {
        QTemporaryDir dir;
        QFile mine(dir.filePath(QStringLiteral("my-settings.rvset")));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        TBackupStore store(dir.path());
        for (int i = 0; i < 22; ++i)
            store.Keep(1, QByteArray(64, '\0'), QDateTime::currentDateTime().addSecs(i));
        QVERIFY(mine.exists());
        QCOMPARE(store.Files().size(), TBackupStore::KeptFiles);
    }

    void unwritableFolderThrows() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        TBackupStore store(dir.filePath(QStringLiteral("file/backups")));
        QVERIFY_THROWS_EXCEPTION(TMKError, store.Keep(1, QByteArray(64, '\0')));
    }
};

QTEST_GUILESS_MAIN(TestBackupStore)
#include "tst_backupstore.moc"
