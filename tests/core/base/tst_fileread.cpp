// Every file the program reads is a regular file within its kind's limit: a device, a FIFO,
// a folder, a file too large or one that cannot be read gives an error naming the file and
// changes nothing.
#include "base/FileRead.h"
#include "base/IniFile.h"
#include "base/MKError.h"
#include "editing/TankFile.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include "UnreadableFiles.h"

#include <QFileInfo>
#include <QtTest>

namespace {

template <typename F> QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const TMKError& e) {
        return e.Text();
    }
    return {};
}

} // namespace

class TestFileRead : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

private slots:
    // The settings file, the tank file and the program settings file (read by QSettings,
    // so checked first: a refused one reads as empty and is never written).
    void everyReaderRefusesByNameAndChangesNothing_data() { UnreadableFiles::AddRows(); }
    void everyReaderRefusesByNameAndChangesNothing() {
        MAKE_UNREADABLE(path, Dir, kind);
        TMK mk;
        mk.SettingsVersion = 0x0105;
        mk.Record.TankSensorSettings.Oil6L = 1234;
        const QByteArray before =
            mk.Image +
            QByteArray::fromRawData(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
        const QFileInfo file(path);
        TMIniFile ini(path);
        ini.WriteInteger(QStringLiteral("Common"), QStringLiteral("Auto"), 0);
        const QStringList texts = {ErrorOf([&] { SettingsFile::Load(mk, path); }),
                                   ErrorOf([&] { TankFile::Load(mk, path); }), ini.Refusal()};
        const QStringList kinds = {FileRead::SettingsFileKind(), FileRead::TankFileKind(),
                                   FileRead::ProgramSettingsKind()};
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY2(texts[i].startsWith(
                         QStringLiteral("Не удаётся прочитать %1 \"%2\": ").arg(kinds[i], path)),
                     qPrintable(texts[i]));
            QVERIFY2(texts[i].contains(reason), qPrintable(texts[i]));
        }
        QCOMPARE(mk.Image + QByteArray::fromRawData(reinterpret_cast<const char*>(&mk.Record),
                                                    sizeof mk.Record),
                 before);
        QCOMPARE(mk.SettingsVersion, quint16(0x0105));
        QCOMPARE(ini.ReadInteger(QStringLiteral("Common"), QStringLiteral("Auto"), 7), 7);
        QCOMPARE(QFileInfo(path).isFile(), file.isFile());
        QCOMPARE(QFileInfo(path).size(), file.size());
    }

    // Every length up to the limit is taken whole; one byte more is refused.
    void limitIsExact_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("limit");
        QTest::newRow("empty") << qint64(0) << qint64(245);
        QTest::newRow("tank file") << qint64(245) << qint64(245);
        QTest::newRow("tank file + 1") << qint64(246) << qint64(245);
        QTest::newRow("1 MiB") << FileRead::SettingsLimit << FileRead::SettingsLimit;
        QTest::newRow("1 MiB + 1") << FileRead::SettingsLimit + 1 << FileRead::SettingsLimit;
    }
    void limitIsExact() {
        QFETCH(qint64, size);
        QFETCH(qint64, limit);
        const QString path = Dir.filePath(QStringLiteral("limit-%1").arg(size));
        QByteArray bytes(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char(i * 13);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
        file.close();
        const QString kind = FileRead::MemoryImageKind();
        QCOMPARE(FileRead::Unreadable(path, limit, kind).isEmpty(), size <= limit);
        if (size <= limit)
            QCOMPARE(FileRead::ReadWholeFile(path, limit, kind), bytes);
        else
            QVERIFY_THROWS_EXCEPTION(TMKError, FileRead::ReadWholeFile(path, limit, kind));
    }
};

QTEST_GUILESS_MAIN(TestFileRead)
#include "tst_fileread.moc"
