// The memory the simulator serves by default, and the image/memory conversion.
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"
#include "sim/MemoryImage.h"

#include <QtTest>
#include <algorithm>
#include <cstring>

namespace {

QByteArray BlockBytes(const TMK& mk, TBlock block) {
    return QByteArray(reinterpret_cast<const char*>(mk.BlockBytes(block)),
                      qsizetype(BlockInfo(block).Size));
}

} // namespace

class TestFactoryMemory : public QObject {
    Q_OBJECT

private slots:
    void imageAndMemoryConvert_data();
    void imageAndMemoryConvert();
    void wrongImageSizeIsRefused();
    void directoryIsPlausible_data();
    void directoryIsPlausible();
    void settingsReadBackAsDefaults_data();
    void settingsReadBackAsDefaults();
    void journalsHoldSamples();
    void captureIsAWaveformAtItsPlaces();
};

void TestFactoryMemory::imageAndMemoryConvert_data() {
    QTest::addColumn<int>("memorySize");
    QTest::newRow("8 KB") << 8192;
    QTest::newRow("32 KB") << 32768;
}

void TestFactoryMemory::imageAndMemoryConvert() {
    QFETCH(int, memorySize);
    const int units = memorySize / 32;
    const int half = units / 2;
    QByteArray image(MemoryImage::ImageSize(memorySize), '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i / 32 % 251);
    const QByteArray memory = MemoryImage::ToMemory(image, memorySize);
    QCOMPARE(memory.size(), qsizetype(memorySize));
    QCOMPARE(memory.mid(0, 32), QByteArray(32, char(0xFF)));
    QCOMPARE(memory.mid(half * 32, 32), QByteArray(32, char(0xFF)));
    // Unit k of the first half is image unit k-1; unit half+k is image unit half-1+k-1.
    QCOMPARE(memory.mid(32, 32), image.mid(0, 32));
    QCOMPARE(memory.mid((half - 1) * 32, 32), image.mid((half - 2) * 32, 32));
    QCOMPARE(memory.mid((half + 1) * 32, 32), image.mid((half - 1) * 32, 32));
    QCOMPARE(memory.mid((units - 1) * 32, 32), image.right(32));
    QCOMPARE(MemoryImage::FromMemory(memory), image);
}

void TestFactoryMemory::wrongImageSizeIsRefused() {
    QVERIFY_THROWS_EXCEPTION(TMKError, MemoryImage::ToMemory(QByteArray(8127, '\0'), 8192));
    QVERIFY_THROWS_EXCEPTION(TMKError, MemoryImage::ToMemory(QByteArray(32704, '\0'), 8192));
}

void TestFactoryMemory::directoryIsPlausible_data() {
    imageAndMemoryConvert_data();
}

void TestFactoryMemory::directoryIsPlausible() {
    QFETCH(int, memorySize);
    const QByteArray image = FactoryImage(quint32(memorySize));
    QCOMPARE(image.size(), MemoryImage::ImageSize(memorySize));
    TImageDirectory directory{};
    std::memcpy(&directory, image.constData(), sizeof directory);
    QCOMPARE(quint32(directory.DirectoryCount), 13u);
    QCOMPARE(quint32(directory.FirmwareVersion), FactoryFirmwareVersion);
    int end = 32 + DirectorySize;
    for (int i = 0; i < DirectoryEntries; ++i) {
        const TDirectoryEntry& entry = directory.Entries[i];
        QVERIFY2(entry.Address >= end, qPrintable(QString::number(i + 1)));
        QVERIFY(entry.Length >= 4);
        end = entry.Address + entry.Length;
    }
    // All sections lie in the first half, clear of the first capture area.
    QVERIFY(end - 32 <= OscArea0Position);
    for (const TBlockInfo& info : BlockTable())
        QCOMPARE(int(directory.Entries[info.DirectoryEntry - 1].Length), int(info.Size) + 4);
}

void TestFactoryMemory::settingsReadBackAsDefaults_data() {
    imageAndMemoryConvert_data();
}

void TestFactoryMemory::settingsReadBackAsDefaults() {
    QFETCH(int, memorySize);
    TMK fresh;
    TMK mk;
    std::memset(&mk.Record, 0xA5, sizeof mk.Record);
    mk.Image = FactoryImage(quint32(memorySize));
    mk.UnpackAll();
    const TBlock settingsOnly[] = {
        TBlock::ParkingSettings, TBlock::TankSensorSettings, TBlock::TankCalibration,
        TBlock::ServiceSettings, TBlock::LimitsSettings,     TBlock::Block8,
        TBlock::AlarmSounds,     TBlock::DisplaySettings,    TBlock::ProtocolSettings};
    for (TBlock block : settingsOnly)
        QVERIFY2(BlockBytes(mk, block) == BlockBytes(fresh, block), BlockInfo(block).Name);
    // Packed fields are compared as values: QCOMPARE binds references.
    QCOMPARE(int(mk.Record.TripSettings.PriceExpense), int(fresh.Record.TripSettings.PriceExpense));
    QCOMPARE(mk.FirmwareVersion(), FactoryFirmwareVersion);
}

void TestFactoryMemory::journalsHoldSamples() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    const TTripSettings& trips = mk.Record.TripSettings;
    const auto filled = [](const TJournalRecord(&records)[JournalRecords]) {
        return std::count_if(std::begin(records), std::end(records),
                             [](const TJournalRecord& r) { return r.Day != 0; });
    };
    QVERIFY(filled(trips.TripJournal) >= 3);
    QVERIFY(filled(trips.TankJournal) >= 2);
    QCOMPARE(int(trips.TripJournal[1].TimeOfDay), 497);
    QCOMPARE(quint32(trips.TripJournal[1].Path), 10123u);
    for (const TJournalRecord& r : trips.TripJournal)
        if (r.Day != 0)
            QVERIFY(r.Month >= 1 && r.Month <= 12 && r.Day <= 31 && r.TimeOfDay < 24 * 60);
    QVERIFY(mk.Record.TripTotals.AllSum.Path > 0);
    const TErrorJournal& errors = mk.Record.ErrorJournal;
    QVERIFY(errors.Faults[0].Code != 0 && errors.Faults[0].FreezeCode != 0);
    QVERIFY(errors.Faults[1].Code != 0 && errors.Faults[1].FreezeCode == 0);
    QVERIFY(errors.Faults[0].SecondaryAirStatus <= 255);
    QVERIFY(std::any_of(std::begin(errors.SupportedPids), std::end(errors.SupportedPids),
                        [](uint8_t b) { return b != 0; }));
}

void TestFactoryMemory::captureIsAWaveformAtItsPlaces() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.LoadOscilloscope();
    const TOscilloscopeRecord& capture = mk.Oscilloscope;
    QVERIFY(capture.OscHeader0.TimeDiv <= 9);
    QVERIFY(capture.OscHeader0.VoltDiv <= 2);
    QVERIFY(capture.OscHeader1.InDivider <= 2);
    const auto [low, high] =
        std::minmax_element(std::begin(capture.OscSamples), std::end(capture.OscSamples));
    QVERIFY(*high - *low > 100);
    // Both areas carry samples: the second half is no copy of an erased area.
    QVERIFY(std::count(capture.OscSamples + 512, capture.OscSamples + 1024, 0xFF) < 16);

    // In the whole memory the areas sit at 3574 and, in the second half, 7670.
    const QByteArray memory = FactoryMemory(8192);
    QCOMPARE(memory.mid(3574, 8),
             QByteArray(reinterpret_cast<const char*>(&capture.OscHeader0), 8));
    QCOMPARE(memory.mid(7670, 8),
             QByteArray(reinterpret_cast<const char*>(&capture.OscHeader1), 8));
    QCOMPARE(quint8(memory[7670 + 8]), capture.OscSamples[512]);
}

QTEST_GUILESS_MAIN(TestFactoryMemory)
#include "tst_factorymemory.moc"
