// Backups of the MK's memory before writing: ordinary settings files, newest 20 kept.
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

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

    void nameTellsDateAndTime() {
        QTemporaryDir dir;
        TBackupStore store(dir.path());
        const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7, 12));
        const QString path = store.Keep(1, QByteArray(64, '\0'), when);
        QCOMPARE(QFileInfo(path).fileName(),
                 QStringLiteral("MK-backup-2024-03-09_14-05-07-012.rvset"));
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
