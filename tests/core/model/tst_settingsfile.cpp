// The settings file: layout, scrambling, round trips and refusals.
#include "ImageKit.h"
#include "ModelState.h"
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/FileKey.h"
#include "model/SettingsFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray PatternImage(int size) {
    QByteArray image(size, '\0');
    for (int i = 0; i < size; ++i)
        image[i] = char((i * 31 + i / 256) & 0xFF);
    return image;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void versionInClearAndKeyWrapsEvery4096Bytes();
    void saveLoadRoundTrip_data();
    void saveLoadRoundTrip();
    void loadReplacesALargerImage();
    void shortFileAfterALongOneKeepsNothingOfIt_data();
    void shortFileAfterALongOneKeepsNothingOfIt();
    void tooShortFileIsRefusedAndChangesNothing_data();
    void tooShortFileIsRefusedAndChangesNothing();
    void anyOtherLengthIsAccepted();
    void unreadableFileNamesTheFile();
    void failedSaveKeepsTheOldFile();
};

void TestSettingsFile::versionInClearAndKeyWrapsEvery4096Bytes() {
    const QByteArray image(8192, '\0');
    const QByteArray file = SettingsFile::Encode(0x0105, image);
    QCOMPARE(file.size(), 8194);
    QCOMPARE(uint8_t(file[0]), uint8_t(0x05));
    QCOMPARE(uint8_t(file[1]), uint8_t(0x01));
    // A zero image shows the key itself; byte 4096 uses key byte 0 again.
    for (int i = 0; i < 8192; ++i)
        QCOMPARE(uint8_t(file[2 + i]), FileKey[std::size_t(i % 4096)]);
    // The key scrambles: it is not all zero and not one repeated byte.
    QVERIFY(std::count(FileKey.begin(), FileKey.end(), FileKey[0]) < 64);
}

void TestSettingsFile::saveLoadRoundTrip_data() {
    QTest::addColumn<int>("imageSize");
    QTest::newRow("8 KB memory") << 8128;
    QTest::newRow("32 KB memory") << 32704;
}

void TestSettingsFile::saveLoadRoundTrip() {
    QFETCH(int, imageSize);
    QTemporaryDir dir;
    const QString first = dir.filePath("a.rvset");
    const QString second = dir.filePath("b.rvset");
    WriteAll(first, SettingsFile::Encode(0x0301, PatternImage(imageSize)));

    TMK mk;
    SettingsFile::Load(mk, first);
    QCOMPARE(mk.Image.size(), qsizetype(imageSize));
    QCOMPARE(mk.Image, PatternImage(imageSize));
    QCOMPARE(mk.SettingsVersion, uint16_t(0x0301));
    SettingsFile::Save(mk, second);
    QCOMPARE(ReadAll(second).size(), qsizetype(imageSize + 2));
    QCOMPARE(ReadAll(second), ReadAll(first));
}

void TestSettingsFile::loadReplacesALargerImage() {
    QTemporaryDir dir;
    const QString path = dir.filePath("small.rvset");
    WriteAll(path, SettingsFile::Encode(1, PatternImage(8128)));
    TMK mk;
    mk.Image = QByteArray(32704, char(0x77));
    SettingsFile::Load(mk, path);
    QCOMPARE(mk.Image.size(), qsizetype(8128));
}

void TestSettingsFile::shortFileAfterALongOneKeepsNothingOfIt_data() {
    QTest::addColumn<QByteArray>("shortImage");
    const QByteArray full = DirectoryImage();
    QTest::newRow("no image at all") << QByteArray();
    QTest::newRow("the directory only") << full.left(DirectorySize);
    QTest::newRow("cut inside the third block") << full.left(96 - 32 + 164 + 4 + 28 + 4 + 20);
    // Every entry one byte long: no block has a byte to give.
    QByteArray empty = full;
    for (int entry = 1; entry <= 13; ++entry)
        empty[4 * entry + 2] = 1, empty[4 * entry + 3] = 0;
    QTest::newRow("entries too short") << empty;
}

void TestSettingsFile::shortFileAfterALongOneKeepsNothingOfIt() {
    QFETCH(QByteArray, shortImage);
    QTemporaryDir dir;
    // The long file differs from the defaults in every byte of every block.
    TMK longSettings;
    QByteArray longImage = DirectoryImage(32704, 7);
    for (qsizetype i = DirectorySize; i < longImage.size(); ++i)
        longImage[i] = char(0xA0 ^ i);
    longSettings.SettingsVersion = 0x0301;
    longSettings.Image = longImage;
    const QString longPath = dir.filePath("long.rvset");
    const QString shortPath = dir.filePath("short.rvset");
    SettingsFile::Save(longSettings, longPath);
    WriteAll(shortPath, SettingsFile::Encode(0x0105, shortImage));

    TMK fresh;
    SettingsFile::Load(fresh, shortPath);
    TMK program;
    SettingsFile::Load(program, longPath);
    QVERIFY(BytesOf(program.Record) != BytesOf(fresh.Record));
    SettingsFile::Load(program, shortPath);
    MK_COMPARE_STATE(StateOf(program), StateOf(fresh));
    QCOMPARE(program.Origin, TSettingsOrigin::FromFile(shortPath));
}

void TestSettingsFile::tooShortFileIsRefusedAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray(1, '\x05');
}

void TestSettingsFile::tooShortFileIsRefusedAndChangesNothing() {
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    const QString path = dir.filePath("short.rvset");
    WriteAll(path, contents);
    TMK mk;
    mk.Image = PatternImage(8128);
    mk.SettingsVersion = 0x0202;
    mk.Origin = TSettingsOrigin::FromFile(QStringLiteral("before.rvset"));
    const TModelState before = StateOf(mk);
    try {
        SettingsFile::Load(mk, path);
        QFAIL("a file without a version word was taken");
    } catch (const TMKError& e) {
        QCOMPARE(e.Kind(), TErrorKind::File);
    }
    MK_COMPARE_STATE(StateOf(mk), before);
}

void TestSettingsFile::anyOtherLengthIsAccepted() {
    for (int size : {2, 3, 65, 70000}) {
        QByteArray file(size, char(0x99));
        uint16_t version = 0;
        QByteArray image;
        SettingsFile::Decode(file, version, image);
        QCOMPARE(version, uint16_t(0x9999));
        QCOMPARE(image.size(), qsizetype(size - 2));
    }
}

void TestSettingsFile::unreadableFileNamesTheFile() {
    TMK mk;
    const QString path = QStringLiteral("/nonexistent-folder/x.rvset");
    try {
        SettingsFile::Load(mk, path);
        QFAIL("loading a missing file succeeded");
    } catch (const TMKError& e) {
        QVERIFY(e.Text().contains(path));
    }
}

void TestSettingsFile::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    // A folder where the file should be: the save cannot complete.
    const QString path = dir.filePath("target.rvset");
    QVERIFY(QDir().mkdir(path));
    TMK mk;
    mk.Image = PatternImage(8128);
    QVERIFY_THROWS_EXCEPTION(TMKError, SettingsFile::Save(mk, path));
    QVERIFY(QFileInfo(path).isDir());

    // A save over an existing file replaces it whole, never leaving a mix.
    const QString file = dir.filePath("old.rvset");
    WriteAll(file, QByteArray(40000, 'x'));
    SettingsFile::Save(mk, file);
    QCOMPARE(ReadAll(file), SettingsFile::Encode(mk.SettingsVersion, mk.Image));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
