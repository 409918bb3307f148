// The settings record: defaults, colour words, and unpacking/packing through the directory.
#include "base/Cp1251.h"
#include "base/MKError.h"
#include "catalog/MenuItems.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

#include "ImageKit.h"

#include <QtTest>
#include <cstring>

namespace {

void SetEntry(QByteArray& image, int entry, uint16_t address, uint16_t length) {
    TDirectoryEntry e{address, length};
    std::memcpy(image.data() + 4 * entry, &e, sizeof(e));
}

double Field(TMK& mk, const char* name, int index) {
    const auto f = FindRecordField(QString::fromLatin1(name));
    if (!f)
        qFatal("no record field %s", name);
    return ReadNumber(mk.BlockBytes(f->Block), *f->Field, index);
}

} // namespace

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void freshModelHoldsDefaults_data();
    void freshModelHoldsDefaults();
    void freshModelHoldsTextsJournalsAndCapture();
    void defaultHotMenusResolveThroughTheMenuCatalogue();
    void factorySchemesAndColourWords();
    void packThenUnpackReturnsTheSameBytes();
    void packWritesExactlyTheRecordSize();
    void shortDirectoryEntryFillsOnlyItsBytes();
    void directoryAnomaliesNeverTouchOutsideTheImage_data();
    void directoryAnomaliesNeverTouchOutsideTheImage();
    void packGrowsTheImageForABlockPastItsEnd();
    void oscilloscopeAreasComeFromFixedPositions();
    void editorCancelRestoresBlocksAndConfirmPacks();
    void journalsPackOnlyOnConfirmation();
    void fieldListsCoverTheirStructs();
};

void TestRecord::freshModelHoldsDefaults_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("expected");
    const struct {
        const char* Name;
        int Index;
        double Value;
    } rows[] = {
        {"ResetPeriod0", 0, 0},
        {"ResetPeriod1", 0, -1},
        {"ResetPeriodOnly", 0, -1},
        {"AllPathStart", 0, 0},
        {"Oil6L", 0, 1000},
        {"Lit6L", 0, 6},
        {"Oil43L", 0, 10},
        {"Lit43L", 0, 43},
        {"OilCalibrResArr", 6, 600},
        {"OilCalibrResArr", 1, 100},
        {"OilCalibrLitArr", 6, 36},
        {"OilCalibrQuant", 0, 7},
        {"TankContFull", 0, 50},
        {"GazContFull", 0, 50},
        {"K100Manual", 0, 0},
        {"TarirFlagFinish", 0, 1},
        {"TarirLeng", 0, 15},
        {"TarirLitres", 0, 16},
        {"TarirLitres", 14, 58},
        {"TarirLitres", 15, 0},
        {"TarirUnits", 14, 700},
        {"TarirUnits", 15, 0},
        {"AirFiltCntK", 0, 15},
        {"KPPOilCntK", 0, 45},
        {"ForsTOCntK", 0, 30},
        {"GRMStrapCntK", 0, 45},
        {"CoolLiqCntK", 0, 30},
        {"EngOilCntK", 0, 15},
        {"CandleCntK", 0, 30},
        {"UseUniMeas", 0, 1},
        {"TO", 0, 4392},
        {"OSAGO", 0, 4392},
        {"UniMeasADC0", 0, 0},
        {"UniMeasADC1", 0, 1023},
        {"UniMeasDat1", 0, 90},
        {"ServiceFlags", 0, 511},
        {"VelocityLimit", 0, 40},
        {"RevolutionsLimit", 0, 80},
        {"TankLimit", 0, 10},
        {"TimeCorr", 0, 0},
        {"LiqTemperLimit", 0, 115},
        {"UaccLowLimit", 0, 115},
        {"StopVelocityLimit", 0, 20},
        {"UaccHighLimit", 0, 155},
        {"VentTempLimit", 0, 115},
        {"ForsPosFlag", 0, 1},
        {"ForsCoef", 0, 1},
        {"InjTimeLimit", 0, 9},
        {"Vel100", 0, 100},
        {"Vel100Down", 0, 100},
        {"ExpenseCorr", 0, 1.0},
        {"VelocityCorr", 0, 1.0},
        {"GazExpenseCorr", 0, 1.0},
        {"LiqTemperReady", 0, 70},
        {"GasOilMeth", 0, 1},
        {"VAGSFilterLimit", 0, 25},
        {"OilAKPPTemperLimit", 0, 110},
        {"OilEngTemperLimit", 0, 110},
        {"CVTFDeteriorLim", 0, 30},
        {"InvTemperLimit", 0, 120},
        {"RetarderOilTemperLimit", 0, 165},
        {"HVBTemperLimit", 0, 120},
        {"PriceExpense", 0, 250},
        {"PriceTime", 0, 0},
        {"PricePath", 0, 30},
        {"PriceGas", 0, 0},
        {"Screens4", 0, 4},
        {"Screens4", 23, 21},
        {"Screens7", 7, 13},
        {"Screens7", 27, 9},
        {"GraphScreens", 13, 0},
        {"GraphScreens", 15, 21},
        {"ArrowScreens", 4, 11},
        {"ArrowScreens", 15, 21},
        {"Screens9", 9, 11},
        {"Screens9", 26, 25},
        {"Screen6", 0, 12},
        {"Screen6", 5, 9},
        {"ColorScheme", 0, 1},
        {"ShowDisp4", 0, 63},
        {"ShowDisp9", 0, 7},
        {"ShowDisp7", 0, 15},
        {"ShowDispG", 0, 255},
        {"ShowDispA", 0, 255},
        {"ShowDispS", 0, 511},
        {"ShowDisp1", 0, 4294967295.0},
        {"ShowDisp6", 0, 1},
        {"Protocol", 0, 0},
        {"ProtocolFlags", 0, 0},
        {"AlarmPresentation", 0, 0},
    };
    for (const auto& r : rows)
        QTest::addRow("%s[%d]", r.Name, r.Index) << r.Name << r.Index << r.Value;
}

void TestRecord::freshModelHoldsDefaults() {
    QFETCH(QString, field);
    QFETCH(int, index);
    QFETCH(double, expected);
    TMK mk;
    QCOMPARE(Field(mk, field.toLatin1().constData(), index), expected);
}

void TestRecord::freshModelHoldsTextsJournalsAndCapture() {
    TMK mk;
    QCOMPARE(mk.SettingsVersion, uint16_t(1));
    QCOMPARE(mk.FirmwareVersion(), 0u);
    QVERIFY(mk.Image.isEmpty());
    const TServiceSettings& s = mk.Record.ServiceSettings;
    QCOMPARE(Cp1251::FromField(s.UniMeasStr), QStringLiteral("Трим"));
    QCOMPARE(Cp1251::FromField(s.ForsTOName), QStringLiteral("ТО форсунки"));
    QCOMPARE(Cp1251::FromField(s.GRMStrapName), QStringLiteral("Замена рем.ГРМ"));
    QCOMPARE(Cp1251::FromField(s.CandleName), QStringLiteral("Замена свечей"));
    QCOMPARE(uint8_t(s.UniMeasStr[4]), uint8_t(0));

    const TTripSettings& t = mk.Record.TripSettings;
    for (int i = 0; i < JournalRecords; ++i) {
        QCOMPARE(t.TripJournal[i].Day, uint8_t(i == 1 ? 15 : 0));
        QCOMPARE(t.TankJournal[i].Day, uint8_t(i == 0 ? 5 : 0));
    }
    const TJournalRecord& trip = t.TripJournal[1];
    QCOMPARE(+trip.TimeOfDay, 497);
    QCOMPARE(+trip.Month, 11);
    QCOMPARE(+trip.TripTime, 123456u);
    QCOMPARE(+trip.Path, 10123u);
    QCOMPARE(+trip.Fuel, 1234u);
    QCOMPARE(+trip.GasFuel, 12u);
    const TJournalRecord& tank = t.TankJournal[0];
    QCOMPARE(+tank.TimeOfDay, 622);
    QCOMPARE(+tank.Month, 1);
    QCOMPARE(+tank.Path, 100456u);
    QCOMPARE(+tank.Fuel, 5678u);
    QCOMPARE(+tank.GasFuel, 56u);

    const TOscilloscopeRecord& o = mk.Oscilloscope;
    QCOMPARE(+o.OscHeader0.TimeDiv, 1);
    QCOMPARE(+o.OscHeader0.TriggerLevel, 128);
    QCOMPARE(+o.OscHeader0.VoltDiv, 4);
    QCOMPARE(+o.OscHeader0.InDivider, 0);
    QCOMPARE(+o.OscHeader1.TimeDiv, 1);
    QCOMPARE(+o.OscHeader1.TriggerVolts, 128);
    QCOMPARE(+o.OscHeader1.VoltDiv, 4);
}

void TestRecord::defaultHotMenusResolveThroughTheMenuCatalogue() {
    const char* const names[4][10] = {
        {"FullTankMenu", "ToTankMenu", "FlagSoundMenu", "VelocityLimitMenu", "PrognozMenu",
         "ExpenseHHMenu", nullptr, "MeasParamsHistoryFlagMenu", nullptr, nullptr},
        {"TripJournMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu", "ContinueTripMenu",
         "TankJournMenu"},
        {"TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu"},
        {"ParkOffMenu", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu",
         "ParkAlwaysOnMenu"},
    };
    TMK mk;
    for (int list = 0; list < 4; ++list)
        for (int slot = 0; slot < 10; ++slot) {
            const uint16_t stored = mk.Record.DisplaySettings.HotMenus[list][slot];
            if (!names[list][slot]) {
                QCOMPARE(stored, uint16_t(0));
                continue;
            }
            const TMKMenuItem* item = mk.Catalog.FindMenuItem(QLatin1String(names[list][slot]));
            QVERIFY2(item, names[list][slot]);
            QVERIFY(item->Id > 0);
            QCOMPARE(stored, uint16_t(item->Id));
        }
}

void TestRecord::factorySchemesAndColourWords() {
    TMK mk;
    // Shared palette tail and the scheme-specific entries.
    for (const TColorTable& t : mk.FactorySchemes) {
        QCOMPARE(TMK::UnpackColor(t.Palette[9]), (TRgb5{31, 0, 0}));
        QCOMPARE(TMK::UnpackColor(t.Palette[15]), (TRgb5{31, 31, 31}));
    }
    QCOMPARE(TMK::UnpackColor(mk.FactorySchemes[1].Palette[6]), (TRgb5{0, 17, 8}));
    QCOMPARE(TMK::UnpackColor(mk.FactorySchemes[2].Palette[4]), (TRgb5{4, 4, 4}));
    QCOMPARE(TMK::UnpackColor(mk.FactorySchemes[3].Palette[8]), (TRgb5{5, 1, 0}));
    QCOMPARE(mk.FactorySchemes[0].Indices[0], uint8_t(15));
    QCOMPARE(mk.FactorySchemes[0].Indices[22], uint8_t(9));
    QCOMPARE(mk.FactorySchemes[2].Indices[17], uint8_t(15));
    QVERIFY(std::memcmp(&mk.Record.DisplaySettings.ColorTable0, &mk.FactorySchemes[0], 56) == 0);
    QVERIFY(std::memcmp(&mk.Record.DisplaySettings.ColorTable1, &mk.FactorySchemes[3], 56) == 0);

    // Green's lowest bit is copied into bit 5 and ignored on the way back.
    QCOMPARE(TMK::PackColor(31, 31, 31), uint16_t(0xFFFF));
    QCOMPARE(TMK::PackColor(0, 1, 0), uint16_t(0x0060));
    QCOMPARE(TMK::PackColor(0, 2, 0), uint16_t(0x0080));
    QCOMPARE(TMK::UnpackColor(0x0020), (TRgb5{0, 0, 0}));
    for (int c = 0; c < 32; ++c)
        QCOMPARE(TMK::UnpackColor(TMK::PackColor(c, 31 - c, c / 2)), (TRgb5{c, 31 - c, c / 2}));
    QCOMPARE(TMK::ColorToRgb(0xFFFF), QColor(255, 255, 255));
    QCOMPARE(TMK::ColorToRgb(TMK::PackColor(16, 16, 16)), QColor(132, 130, 132));
}

void TestRecord::packThenUnpackReturnsTheSameBytes() {
    TMK mk;
    mk.Image = DirectoryImage();
    for (const TBlockInfo& b : BlockTable()) {
        uint8_t* bytes = mk.BlockBytes(b.Block);
        for (std::size_t i = 0; i < b.Size; ++i)
            bytes[i] = uint8_t(i * 7 + b.DirectoryEntry);
        const QByteArray before(reinterpret_cast<const char*>(bytes), qsizetype(b.Size));
        mk.PackBlock(b.Block);
        std::memset(bytes, 0xEE, b.Size);
        mk.UnpackBlock(b.Block);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(b.Size)), before);
    }
}

void TestRecord::packWritesExactlyTheRecordSize() {
    TMK mk;
    const QByteArray pristine = [] {
        QByteArray image = DirectoryImage();
        for (qsizetype i = 64; i < image.size(); ++i)
            image[i] = char(0xA5);
        return image;
    }();
    mk.Image = pristine;
    std::memset(&mk.Record, 0x11, sizeof(mk.Record));
    mk.PackAll();
    QCOMPARE(mk.Image.size(), pristine.size());
    QByteArray expected = pristine;
    for (const TBlockInfo& b : BlockTable()) {
        TDirectoryEntry e;
        std::memcpy(&e, pristine.constData() + 4 * b.DirectoryEntry, 4);
        std::memset(expected.data() + e.Address - 32, 0x11, b.Size);
    }
    // Trailers, the bytes between blocks, entry 12 and the directory stay as they were.
    QCOMPARE(mk.Image, expected);
}

void TestRecord::shortDirectoryEntryFillsOnlyItsBytes() {
    TMK mk;
    mk.Image = DirectoryImage();
    const TBlockInfo& info = BlockInfo(TBlock::ServiceSettings);
    TDirectoryEntry e;
    std::memcpy(&e, mk.Image.constData() + 4 * info.DirectoryEntry, 4);
    SetEntry(mk.Image, info.DirectoryEntry, e.Address, 100);
    std::memset(mk.Image.data() + e.Address - 32, 0x42, 124);
    std::memset(mk.BlockBytes(TBlock::ServiceSettings), 0x17, info.Size);
    mk.UnpackBlock(TBlock::ServiceSettings);
    const uint8_t* block = mk.BlockBytes(TBlock::ServiceSettings);
    for (int i = 0; i < 124; ++i)
        QCOMPARE(block[i], uint8_t(i < 96 ? 0x42 : 0x17));
}

void TestRecord::directoryAnomaliesNeverTouchOutsideTheImage_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("imageSize");
    QTest::addColumn<int>("unpacked"); // bytes of the block taken from the image
    QTest::newRow("length below 4") << 200 << 3 << 8128 << 0;
    QTest::newRow("length exactly 4") << 200 << 4 << 8128 << 0;
    QTest::newRow("address below 32") << 10 << 60 << 8128 << 0;
    QTest::newRow("address beyond the image") << 9000 << 32 << 8128 << 0;
    QTest::newRow("block runs past the end") << 8128 + 32 - 10 << 32 << 8128 << 10;
    QTest::newRow("longer entry than the block") << 200 << 2000 << 8128 << 28;
    QTest::newRow("empty image") << 200 << 32 << 0 << 0;
    QTest::newRow("image shorter than the directory") << 44 << 32 << 20 << 8;
}

void TestRecord::directoryAnomaliesNeverTouchOutsideTheImage() {
    QFETCH(int, address);
    QFETCH(int, length);
    QFETCH(int, imageSize);
    QFETCH(int, unpacked);
    TMK mk;
    mk.Image = QByteArray(std::max(imageSize, 64), char(0x5C));
    SetEntry(mk.Image, 2, uint16_t(address), uint16_t(length)); // ParkingSettings, 28 bytes
    mk.Image.truncate(imageSize);
    std::memset(mk.BlockBytes(TBlock::ParkingSettings), 0x01, 28);
    mk.UnpackBlock(TBlock::ParkingSettings);
    const uint8_t* block = mk.BlockBytes(TBlock::ParkingSettings);
    for (int i = 0; i < 28; ++i)
        QCOMPARE(block[i], uint8_t(i < unpacked ? 0x5C : 0x01));
}

void TestRecord::packGrowsTheImageForABlockPastItsEnd() {
    TMK mk;
    mk.Image = QByteArray(100, '\0');
    SetEntry(mk.Image, 2, 120, 32);
    mk.PackBlock(TBlock::ParkingSettings);
    QCOMPARE(mk.Image.size(), qsizetype(88 + 28));
    // An address below 32 has no place in the image: nothing is packed.
    SetEntry(mk.Image, 2, 31, 32);
    const QByteArray before = mk.Image;
    mk.PackBlock(TBlock::ParkingSettings);
    QCOMPARE(mk.Image, before);
}

void TestRecord::oscilloscopeAreasComeFromFixedPositions() {
    TMK mk;
    mk.Image = QByteArray(8128, '\0');
    for (int i = 0; i < 520; ++i) {
        mk.Image[OscArea0Position + i] = char(i & 0xFF);
        mk.Image[OscArea1Position + i] = char((i + 100) & 0xFF);
    }
    mk.LoadOscilloscope();
    QCOMPARE(mk.Oscilloscope.OscHeader0.TimeDiv, uint8_t(0));
    QCOMPARE(+mk.Oscilloscope.OscHeader0.TriggerLevel, 4 | 5 << 8);
    QCOMPARE(mk.Oscilloscope.OscHeader1.InDivider, uint8_t(107));
    QCOMPARE(mk.Oscilloscope.OscSamples[0], uint8_t(8));
    QCOMPARE(mk.Oscilloscope.OscSamples[511], uint8_t(519 & 0xFF));
    QCOMPARE(mk.Oscilloscope.OscSamples[512], uint8_t(108));
    QCOMPARE(mk.Oscilloscope.OscSamples[1023], uint8_t((519 + 100) & 0xFF));

    // A short image yields what it holds and keeps the rest.
    TMK small;
    small.Image = QByteArray(OscArea0Position + 10, char(0x33));
    small.LoadOscilloscope();
    QCOMPARE(small.Oscilloscope.OscSamples[1], uint8_t(0x33));
    QCOMPARE(small.Oscilloscope.OscSamples[2], uint8_t(0));
    QCOMPARE(+small.Oscilloscope.OscHeader1.TriggerVolts, 128);
}

void TestRecord::editorCancelRestoresBlocksAndConfirmPacks() {
    TMK mk;
    mk.Image = DirectoryImage();
    mk.PackAll();
    const QByteArray image = mk.Image;
    const bool cancelled = mk.EditSettings([&] {
        mk.Record.LimitsSettings.VelocityLimit = 99;
        mk.Record.ServiceSettings.TO = 1;
        return false;
    });
    QVERIFY(!cancelled);
    QCOMPARE(mk.Record.LimitsSettings.VelocityLimit, int8_t(40));
    QCOMPARE(+mk.Record.ServiceSettings.TO, 4392);
    QCOMPARE(mk.Image, image);

    QVERIFY(mk.EditSettings([&] {
        mk.Record.LimitsSettings.VelocityLimit = 77;
        return true;
    }));
    mk.Record.LimitsSettings.VelocityLimit = 0;
    mk.UnpackBlock(TBlock::LimitsSettings);
    QCOMPARE(mk.Record.LimitsSettings.VelocityLimit, int8_t(77));

    // A protocol that does not fit a byte never reaches the catalogue or the editor.
    mk.Record.ProtocolSettings.Protocol = 300;
    mk.PackBlock(TBlock::ProtocolSettings);
    bool opened = false;
    QVERIFY_THROWS_EXCEPTION(TRangeError, mk.EditSettings([&] { return opened = true; }));
    QVERIFY(!opened);
}

void TestRecord::journalsPackOnlyOnConfirmation() {
    TMK mk;
    mk.Image = DirectoryImage();
    mk.PackAll();
    const QByteArray image = mk.Image;
    QVERIFY(!mk.ViewJournals([&] {
        mk.Record.TripTotals.AllSum.Path = 5;
        return false;
    }));
    QCOMPARE(mk.Image, image);
    QVERIFY(mk.ViewJournals([&] {
        mk.Record.TripTotals.AllSum.Path = 5;
        return true;
    }));
    QVERIFY(mk.Image != image);
    mk.Record.TripTotals.AllSum.Path = 0;
    mk.UnpackBlock(TBlock::TripTotals);
    QCOMPARE(+mk.Record.TripTotals.AllSum.Path, 5u);
}

void TestRecord::fieldListsCoverTheirStructs() {
    for (const TBlockInfo& b : BlockTable()) {
        std::size_t last = 0;
        for (const TFieldInfo& f : BlockFields(b.Block)) {
            const int elements = f.Columns ? f.Count * f.Columns : f.Count;
            const std::size_t bytes = f.Type == TFieldType::Chars
                                          ? std::size_t(f.Count)
                                          : std::size_t(elements) * std::size_t(f.ElementSize);
            QVERIFY2(f.Offset + bytes <= b.Size, f.Name);
            QVERIFY2(f.Offset >= last, f.Name); // in layout order, no overlaps
            last = f.Offset + bytes;
        }
    }
    QCOMPARE(FindRecordField(u"VelocityCorr")->Block, TBlock::LimitsSettings);
    QCOMPARE(FindRecordField(u"EcuPids")->Field->Type, TFieldType::BigEndianU16);
    QVERIFY(!FindRecordField(u"Reserved72"));
}

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
