// The record's field lists: byte-for-byte coverage, paths into nested structs, exact
// integer access with bounds.
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

#include <QSet>
#include <QtTest>
#include <cstring>
#include <functional>

namespace {

// Which bytes of `size` the list claims; fails on a gap, an overlap or a byte past the end.
void CheckCovers(std::span<const TFieldInfo> list, std::size_t size, const QByteArray& where,
                 QSet<TFieldType>& nestedKinds) {
    std::vector<int> claims(size, 0);
    for (const TFieldInfo& f : list) {
        const QByteArray name = where + '.' + f.Name;
        QVERIFY2(f.Offset + FieldBytes(f) <= size, name);
        for (std::size_t i = 0; i < FieldBytes(f); ++i)
            ++claims[f.Offset + i];
        if (f.Type == TFieldType::Reserved)
            QVERIFY2(f.ElementSize == 1 && !f.Array && f.Members.empty(), name);
        const bool nested = f.Type == TFieldType::Counter || f.Type == TFieldType::GasCounter ||
                            f.Type == TFieldType::Journal || f.Type == TFieldType::Fault ||
                            f.Type == TFieldType::ColorTable;
        QCOMPARE(nested, !f.Members.empty());
        if (nested) {
            nestedKinds.insert(f.Type);
            CheckCovers(f.Members, std::size_t(f.ElementSize), name, nestedKinds);
            if (QTest::currentTestFailed())
                return;
        }
    }
    for (std::size_t i = 0; i < size; ++i)
        QVERIFY2(claims[i] == 1, qPrintable(QStringLiteral("%1: byte %2 claimed %3 times")
                                                .arg(QString::fromLatin1(where))
                                                .arg(i)
                                                .arg(claims[i])));
}

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

std::size_t BlockStart(TBlock block) {
    std::size_t start = 0;
    for (const TBlockInfo& b : BlockTable()) {
        if (b.Block == block)
            return start;
        start += b.Size;
    }
    return start;
}

} // namespace

class TestRecordFields : public QObject {
    Q_OBJECT
private slots:
    void everyListCoversItsStructByteForByte();
    void topLevelNamesAreUniqueAcrossBlocks();
    void pathsResolveToTheirBytes_data();
    void pathsResolveToTheirBytes();
    void pathsReachTheStructMembers();
    void malformedOrOutOfRangePathsResolveToNothing_data();
    void malformedOrOutOfRangePathsResolveToNothing();
    void storeChecksBoundsAndTouchesOnlyItsBytes_data();
    void storeChecksBoundsAndTouchesOnlyItsBytes();
    void unreadableKindsAreErrors();
    void unsigned64KeepsEveryBit();
};

void TestRecordFields::everyListCoversItsStructByteForByte() {
    QCOMPARE(sizeof(TSettingsRecord), [] {
        std::size_t total = 0;
        for (const TBlockInfo& b : BlockTable())
            total += b.Size;
        return total;
    }());
    QSet<TFieldType> nestedKinds;
    for (const TBlockInfo& b : BlockTable()) {
        CheckCovers(BlockFields(b.Block), b.Size, b.Name, nestedKinds);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(nestedKinds,
             (QSet<TFieldType>{TFieldType::Counter, TFieldType::GasCounter, TFieldType::Journal,
                               TFieldType::Fault, TFieldType::ColorTable}));
}

void TestRecordFields::topLevelNamesAreUniqueAcrossBlocks() {
    QSet<QString> names;
    for (const TBlockInfo& b : BlockTable())
        for (const TFieldInfo& f : BlockFields(b.Block)) {
            if (f.Type == TFieldType::Reserved) {
                QVERIFY2(!FindField(b.Block, QString::fromLatin1(f.Name)), f.Name);
                continue;
            }
            QVERIFY2(!names.contains(QLatin1String(f.Name)), f.Name);
            names.insert(QLatin1String(f.Name));
            QCOMPARE(FindRecordField(QString::fromLatin1(f.Name))->Field, &f);
        }
}

void TestRecordFields::pathsResolveToTheirBytes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("block");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<qulonglong>("size");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("leaf");
    const auto row = [](const char* path, TBlock block, std::size_t offset, std::size_t size,
                        int index, const char* leaf) {
        QTest::newRow(path) << QString::fromLatin1(path) << int(block) << qulonglong(offset)
                            << qulonglong(size) << index << QString::fromLatin1(leaf);
    };
    row("VelocityLimit", TBlock::LimitsSettings, 0, 1, 0, "VelocityLimit");
    row("AllSum", TBlock::TripTotals, 0, 12, 0, "AllSum");
    row("AllSum.Path", TBlock::TripTotals, 4, 4, 0, "Path");
    row("TankSum.Fuel", TBlock::TripTotals, 5 * 12 + 8, 4, 0, "Fuel");
    row("GasOnlySum.GasFuel", TBlock::TripTotals, 120 + 8, 4, 0, "GasFuel");
    row("GasFuel[5]", TBlock::TripTotals, 136 + 20, 4, 5, "GasFuel");
    row("TripJournal", TBlock::TripSettings, 16, 21 * 20, -1, "TripJournal");
    row("TripJournal[0].TimeOfDay", TBlock::TripSettings, 16, 2, 0, "TimeOfDay");
    row("TripJournal[3].Fuel", TBlock::TripSettings, 16 + 3 * 20 + 12, 4, 0, "Fuel");
    row("TankJournal[20].GasFuel", TBlock::TripSettings, 16 + 21 * 20 + 20 * 20 + 16, 4, 0,
        "GasFuel");
    row("ColorTable0", TBlock::DisplaySettings, 248, 56, 0, "ColorTable0");
    row("ColorTable1.Palette[5]", TBlock::DisplaySettings, 248 + 56 + 10, 2, 5, "Palette");
    row("ColorTable1.Indices[22]", TBlock::DisplaySettings, 248 + 56 + 32 + 22, 1, 22, "Indices");
    row("Screens4[5][3]", TBlock::DisplaySettings, 12 + 23, 1, 23, "Screens4");
    row("Screens4[23]", TBlock::DisplaySettings, 12 + 23, 1, 23, "Screens4");
    row("Screens4", TBlock::DisplaySettings, 12, 24, -1, "Screens4");
    row("HotMenus[3][9]", TBlock::DisplaySettings, 124 + 2 * 39, 2, 39, "HotMenus");
    row("ShowDisp1", TBlock::DisplaySettings, 392, 8, 0, "ShowDisp1");
    row("EcuPids[15]", TBlock::ProtocolSettings, 20 + 30, 2, 15, "EcuPids");
    row("ForsTOName", TBlock::ServiceSettings, 68, 16, 0, "ForsTOName");
    row("Faults[1].Code", TBlock::ErrorJournal, 16 + 92 + 4, 4, 0, "Code");
    row("Faults[6].FreezeValuesHigh[23]", TBlock::ErrorJournal, 16 + 6 * 92 + 44 + 46, 2, 23,
        "FreezeValuesHigh");
}

void TestRecordFields::pathsResolveToTheirBytes() {
    QFETCH(QString, path);
    QFETCH(int, block);
    QFETCH(qulonglong, offset);
    QFETCH(qulonglong, size);
    QFETCH(int, index);
    QFETCH(QString, leaf);
    const auto resolved = ResolveRecordField(path);
    QVERIFY(resolved);
    QCOMPARE(int(resolved->Block), block);
    QCOMPARE(qulonglong(resolved->Offset), offset);
    QCOMPARE(qulonglong(resolved->Size), size);
    QCOMPARE(resolved->Index, index);
    QCOMPARE(QLatin1String(resolved->Field->Name), leaf);
    const auto inBlock = ResolveField(TBlock(block), path);
    QVERIFY(inBlock);
    QCOMPARE(inBlock->Offset, resolved->Offset);
}

void TestRecordFields::pathsReachTheStructMembers() {
    // Values put through the structs come out by path, and the other way round.
    TMK mk;
    mk.Record.TripTotals.AllSum.Path = 123456789;
    mk.Record.TripSettings.TripJournal[3].Fuel = 0xFEDCBA98;
    mk.Record.ErrorJournal.Faults[4].FreezeValuesLow[13] = -1234;
    mk.Record.DisplaySettings.ColorTable1.Palette[5] = 0xBEEF;
    QCOMPARE(ReadRecordInteger(mk, u"AllSum.Path"), 123456789);
    QCOMPARE(ReadRecordInteger(mk, u"TripJournal[3].Fuel"), 0xFEDCBA98);
    QCOMPARE(ReadRecordInteger(mk, u"Faults[4].FreezeValuesLow[13]"), -1234);
    QCOMPARE(ReadRecordInteger(mk, u"ColorTable1.Palette[5]"), 0xBEEF);

    StoreRecordInteger(mk, u"TankJournal[20].Day", 31);
    StoreRecordInteger(mk, u"GasOnlySum.GasFuel", 4000000000);
    StoreRecordInteger(mk, u"ColorTable0.Indices[22]", 7);
    StoreRecordInteger(mk, u"Screens9[2][8]", 42);
    StoreRecordInteger(mk, u"EcuPids[1]", 0x1234);
    QCOMPARE(+mk.Record.TripSettings.TankJournal[20].Day, 31);
    QCOMPARE(+mk.Record.TripTotals.GasOnlySum.GasFuel, 4000000000u);
    QCOMPARE(+mk.Record.DisplaySettings.ColorTable0.Indices[22], 7);
    QCOMPARE(+mk.Record.DisplaySettings.Screens9[2][8], 42);
    QCOMPARE(+mk.Record.ProtocolSettings.EcuPids[1].High, 0x12);
    QCOMPARE(+mk.Record.ProtocolSettings.EcuPids[1].Low, 0x34);

    QVERIFY_THROWS_EXCEPTION(TMKError, ReadRecordInteger(mk, u"TripJournal[21].Fuel"));
    QVERIFY_THROWS_EXCEPTION(TMKError, StoreRecordInteger(mk, u"NoSuchField", 1));
}

void TestRecordFields::malformedOrOutOfRangePathsResolveToNothing_data() {
    QTest::addColumn<QString>("path");
    for (const char* path : {"",
                             ".",
                             "AllSum.",
                             ".AllSum",
                             "AllSum..Path",
                             "AllSum[0]",
                             "AllSum.Nope",
                             "AllSum.Path.Time",
                             "NoSuchField",
                             "Reserved72",
                             "ColorTable1.Reserved",
                             "TripJournal.Fuel",
                             "TripJournal[21].Fuel",
                             "TripJournal[3]Fuel",
                             "TripJournal[3].",
                             "Screens4[6][0]",
                             "Screens4[0][4]",
                             "Screens4[24]",
                             "Screens4[1][2][3]",
                             "GasFuel[6]",
                             "GasFuel[0][0]",
                             "ForsTOName[1]",
                             "VelocityLimit[0]",
                             "VelocityLimit.X",
                             "Blocks[-1]",
                             "Blocks[]",
                             "Blocks[1",
                             "Blocks[x]",
                             "Blocks[99999999999]",
                             "Blocks[4294967297]",
                             "ShowDisp1 ",
                             " ShowDisp1",
                             "showdisp1"})
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestRecordFields::malformedOrOutOfRangePathsResolveToNothing() {
    QFETCH(QString, path);
    QVERIFY(!ResolveRecordField(path));
    for (const TBlockInfo& b : BlockTable())
        QVERIFY(!ResolveField(b.Block, path));
}

void TestRecordFields::storeChecksBoundsAndTouchesOnlyItsBytes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<qlonglong>("value");
    QTest::addColumn<bool>("fits");
    const auto row = [](const char* path, qlonglong value, bool fits) {
        QTest::addRow("%s=%lld", path, value) << QString::fromLatin1(path) << value << fits;
    };
    row("ForsCoef", 300, false); // u8
    row("ForsCoef", 256, false);
    row("ForsCoef", 255, true);
    row("ForsCoef", -1, false);
    row("VelocityLimit", 127, true); // i8
    row("VelocityLimit", 128, false);
    row("VelocityLimit", -128, true);
    row("VelocityLimit", -129, false);
    row("Screens4[5][3]", 300, false);
    row("LiqTemperLimit", -32768, true); // i16
    row("LiqTemperLimit", 32768, false);
    row("ShowDisp4", 65535, true); // u16
    row("ShowDisp4", 65536, false);
    row("EcuPids[3]", 0xFFFF, true); // high byte first
    row("EcuPids[3]", 0x10000, false);
    row("EcuPids[3]", -1, false);
    row("TO", 2147483647, true); // i32
    row("TO", 2147483648, false);
    row("TO", -2147483649, false);
    row("AllSum.Path", 4294967295, true); // u32 in a counter group
    row("AllSum.Path", 4294967296, false);
    row("TripJournal[20].Day", 300, false); // u8 in a journal record
    row("Faults[6].FreezeValuesHigh[0]", -32769, false);
    row("ColorTable1.Palette[15]", 65536, false);
    row("ShowDisp1", -1, false); // u64 takes no negative value
    row("ShowDisp1", INT64_MAX, true);
}

void TestRecordFields::storeChecksBoundsAndTouchesOnlyItsBytes() {
    QFETCH(QString, path);
    QFETCH(qlonglong, value);
    QFETCH(bool, fits);
    TMK mk;
    // A pattern in every byte, so a stray write anywhere shows.
    auto* raw = reinterpret_cast<uint8_t*>(&mk.Record);
    for (std::size_t i = 0; i < sizeof mk.Record; ++i)
        raw[i] = uint8_t(i * 37 + 11);
    const QByteArray before = RecordBytes(mk);
    const auto p = ResolveRecordField(path);
    QVERIFY(p);
    if (!fits) {
        QVERIFY_THROWS_EXCEPTION(TRangeError, StoreRecordInteger(mk, path, value));
        QCOMPARE(RecordBytes(mk), before);
        try {
            StoreRecordInteger(mk, path, value);
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), QStringLiteral("Range check error"));
        }
        return;
    }
    StoreRecordInteger(mk, path, value);
    QCOMPARE(ReadRecordInteger(mk, path), value);
    const QByteArray after = RecordBytes(mk);
    const std::size_t from = BlockStart(p->Block) + p->Offset;
    for (std::size_t i = 0; i < sizeof mk.Record; ++i)
        if (i < from || i >= from + p->Size)
            QVERIFY2(after[qsizetype(i)] == before[qsizetype(i)], qPrintable(QString::number(i)));
}

void TestRecordFields::unreadableKindsAreErrors() {
    TMK mk;
    const auto field = [](const char* name) { return *FindRecordField(QString::fromLatin1(name)); };
    const auto read = [&](const char* name, int index = 0) {
        const TRecordField f = field(name);
        return ReadNumber(mk.BlockBytes(f.Block), *f.Field, index);
    };
    QCOMPARE(read("ExpenseCorr"), 1.0);
    QCOMPARE(read("UniMeasADC1"), 1023.0);
    for (const char* name : {"ForsTOName", "UniMeasStr", "AllSum", "GasOnlySum", "TripJournal",
                             "Faults", "ColorTable0"})
        QVERIFY_THROWS_EXCEPTION(TMKError, read(name));
    QVERIFY_THROWS_EXCEPTION(TRangeError, read("Blocks", 32));
    QVERIFY_THROWS_EXCEPTION(TRangeError, read("VelocityLimit", 1));

    const TRecordField corr = field("ExpenseCorr");
    QVERIFY_THROWS_EXCEPTION(TMKError, ReadInteger(mk.BlockBytes(corr.Block), *corr.Field));
    QVERIFY_THROWS_EXCEPTION(TMKError, StoreInteger(mk.BlockBytes(corr.Block), *corr.Field, 0, 1));
    const float corrValue = mk.Record.LimitsSettings.ExpenseCorr; // packed: copy, never bind
    QCOMPARE(corrValue, 1.0f);
    // A path naming a whole array or a nested record is no integer element.
    QVERIFY_THROWS_EXCEPTION(TRangeError, ReadRecordInteger(mk, u"Blocks"));
    QVERIFY_THROWS_EXCEPTION(TMKError, ReadRecordInteger(mk, u"AllSum"));
    QVERIFY_THROWS_EXCEPTION(TMKError, StoreRecordInteger(mk, u"TripJournal[0]", 0));
}

void TestRecordFields::unsigned64KeepsEveryBit() {
    TMK mk;
    const TRecordField disp = *FindRecordField(u"ShowDisp1");
    uint8_t* block = mk.BlockBytes(disp.Block);
    StoreUnsigned64(block, *disp.Field, 0, 0xEACA5C5A12345678ull);
    QCOMPARE(+mk.Record.DisplaySettings.ShowDisp1, 0xEACA5C5A12345678ull);
    QCOMPARE(ReadUnsigned64(block, *disp.Field), 0xEACA5C5A12345678ull);
    StoreUnsigned64(block, *disp.Field, 0, UINT64_MAX);
    QCOMPARE(+mk.Record.DisplaySettings.ShowDisp1, UINT64_MAX);
    // 2^53 + 1 is the first integer a double cannot hold.
    StoreUnsigned64(block, *disp.Field, 0, (1ull << 53) + 1);
    QCOMPARE(ReadUnsigned64(block, *disp.Field), (1ull << 53) + 1);

    // Above INT64_MAX into a narrow field is out of range, not a wrapped -1.
    const TRecordField coef = *FindRecordField(u"VelocityLimit");
    const int8_t was = mk.Record.LimitsSettings.VelocityLimit;
    QVERIFY_THROWS_EXCEPTION(
        TRangeError, StoreUnsigned64(mk.BlockBytes(coef.Block), *coef.Field, 0, UINT64_MAX));
    QCOMPARE(mk.Record.LimitsSettings.VelocityLimit, was);
}

QTEST_GUILESS_MAIN(TestRecordFields)
#include "tst_recordfields.moc"
