// Decoding of journal records, counter groups, fault codes and freeze frames, and the resets.
// Runs under a Russian locale, so decimals are written with a comma.
#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "model/Journals.h"

#include <QtTest>
#include <cstring>

using namespace Journals;

namespace {

TJournalRecord Journal(uint16_t timeOfDay, uint8_t day, uint8_t month, uint32_t tripTime,
                       uint32_t path, uint32_t fuel, uint32_t gas) {
    return {timeOfDay, day, month, tripTime, path, fuel, gas};
}

TTripSettings Prices(int16_t expense, int16_t time, int16_t path, int16_t gas) {
    TTripSettings trip{};
    trip.PriceExpense = expense;
    trip.PriceTime = time;
    trip.PricePath = path;
    trip.PriceGas = gas;
    return trip;
}

// The factory prices: petrol 25.0, distance 3.0 a km.
const TTripSettings FactoryPrices = Prices(250, 0, 30, 0);

TProtocolSettings SubTypes(int main, int add2) {
    TProtocolSettings protocol{};
    protocol.ProtTypeMain = uint8_t(main);
    protocol.ProtTypeAdd2 = uint8_t(add2);
    return protocol;
}

void SetFreezeValue(TFaultRecord& record, int offset, int16_t value) {
    std::memcpy(reinterpret_cast<char*>(&record) + offset, &value, sizeof value);
}

struct TAllPids {
    uint8_t Bits[12];
};

TAllPids AllPids() {
    TAllPids pids;
    std::memset(pids.Bits, 0xFF, sizeof pids.Bits);
    return pids;
}

QStringList Captions(const TCaptionValues& rows) {
    QStringList captions;
    for (const TCaptionValue& row : rows)
        captions << row.Caption;
    return captions;
}

QStringList Values(const TCaptionValues& rows) {
    QStringList values;
    for (const TCaptionValue& row : rows)
        values << row.Value;
    return values;
}

} // namespace

Q_DECLARE_METATYPE(TJournalRecord)
Q_DECLARE_METATYPE(TTripSettings)
Q_DECLARE_METATYPE(TCounterValues)

class TestJournals : public QObject {
    Q_OBJECT
private slots:
    void journalDateText_data();
    void journalDateText();
    void faultDateTextDoesNotWrapHours();
    void durationText_data();
    void durationText();
    void tripRowCells_data();
    void tripRowCells();
    void emptyRecordShowsOnlyPusto();
    void totalFuelDoesNotWrapAt32Bits();
    void counterRows_data();
    void counterRows();
    void counterGroupsTakeTheirGasAndStart();
    void errorCodeText_data();
    void errorCodeText();
    void pidSupportedReadsBitsHighFirst_data();
    void pidSupportedReadsBitsHighFirst();
    void freezeFrameWithoutPidsShowsOnlyTheCode();
    void freezeFrameListsEverySupportedPidInOrder();
    void freezeFrameValues();
    void freezeFrameStopsAtAnUnnamableSecondaryAirStatus();
    void unsupportedSecondaryAirIsNotChecked();
    void journalResetsClearOnlyTheDay();
    void faultResetClearsPidsAndCodesOnly();
    void counterResets_data();
    void counterResets();
};

void TestJournals::journalDateText_data() {
    QTest::addColumn<int>("timeOfDay");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("text");
    QTest::newRow("08:17 on the 15th of November") << 497 << 15 << 11 << "08:17   15.11";
    QTest::newRow("midnight") << 0 << 1 << 1 << "00:00   1.01";
    QTest::newRow("hours wrap at 24") << 1500 << 5 << 12 << "01:00   5.12";
    QTest::newRow("last minute of a word") << 65535 << 31 << 12 << "12:15   31.12";
}

void TestJournals::journalDateText() {
    QFETCH(int, timeOfDay);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(QString, text);
    const TJournalRecord r = Journal(uint16_t(timeOfDay), uint8_t(day), uint8_t(month), 0, 0, 0, 0);
    QCOMPARE(JournalDateText(r), text);
}

void TestJournals::faultDateTextDoesNotWrapHours() {
    TFaultRecord f{};
    f.TimeOfDay = 1500;
    f.Day = 15;
    f.Month = 11;
    QCOMPARE(FaultDateText(f), QStringLiteral("25:00 15.11"));
    f.TimeOfDay = 65;
    f.Day = 3;
    f.Month = 2;
    QCOMPARE(FaultDateText(f), QStringLiteral("1:05 3.02"));
}

void TestJournals::durationText_data() {
    QTest::addColumn<uint>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << "0:00";
    QTest::newRow("under an hour") << 59u << "0:59";
    QTest::newRow("an hour and a minute") << 61u << "1:01";
    QTest::newRow("more than a day") << 2057u << "34:17";
}

void TestJournals::durationText() {
    QFETCH(uint, minutes);
    QFETCH(QString, text);
    QCOMPARE(DurationText(minutes), text);
}

void TestJournals::tripRowCells_data() {
    QTest::addColumn<TJournalRecord>("record");
    QTest::addColumn<TTripSettings>("prices");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("factory trip sample")
        << Journal(497, 15, 11, 123456, 10123, 1234, 12) << FactoryPrices
        << QStringList{"08:17   15.11", "34:17", "10,123", "1,246", "0", "12,3", "0,04", "61,2"};
    QTest::newRow("no trip time: dashes, but a cost")
        << Journal(600, 2, 3, 0, 5000, 400, 100) << Prices(200, 60, 10, 100)
        << QStringList{"10:00   2.03", "0:00", "5,000", "0,500", "---", "10,0", "---", "14,0"};
    QTest::newRow("no distance") << Journal(60, 9, 9, 3600, 0, 1000, 0) << Prices(0, 100, 0, 0)
                                 << QStringList{"01:00   9.09", "1:00", "0,000", "1,000", "0",
                                                "---",          "1,00", "100,0"};
    QTest::newRow("speed 2.5 rounds to 2")
        << Journal(0, 1, 1, 36, 25, 0, 0) << Prices(0, 0, 0, 0)
        << QStringList{"00:00   1.01", "0:00", "0,025", "0,000", "2", "0,0", "0,00", "0,0"};
    QTest::newRow("speed 3.5 rounds to 4")
        << Journal(0, 1, 1, 36, 35, 0, 0) << Prices(0, 0, 0, 0)
        << QStringList{"00:00   1.01", "0:00", "0,035", "0,000", "4", "0,0", "0,00", "0,0"};
    QTest::newRow("motorway hour")
        << Journal(720, 28, 2, 3600, 100000, 6000, 2000) << Prices(500, 0, 0, 250)
        << QStringList{"12:00   28.02", "1:00", "100,000", "8,000", "100", "8,0", "8,00", "350,0"};
}

void TestJournals::tripRowCells() {
    QFETCH(TJournalRecord, record);
    QFETCH(TTripSettings, prices);
    QFETCH(QStringList, cells);
    QCOMPARE(TripRowCells(record, prices), cells);
}

void TestJournals::emptyRecordShowsOnlyPusto() {
    const TJournalRecord r = Journal(497, 0, 11, 123456, 10123, 1234, 12);
    const QStringList cells = TripRowCells(r, FactoryPrices);
    QCOMPARE(cells.size(), TripCellCount);
    QCOMPARE(cells[0], QStringLiteral("Пусто"));
    for (int c = 1; c < TripCellCount; ++c)
        QVERIFY(cells[c].isEmpty());
}

void TestJournals::totalFuelDoesNotWrapAt32Bits() {
    const TJournalRecord r = Journal(0, 1, 1, 0, 1000, 0xFFFFFFFF, 1);
    QCOMPARE(TripRowCells(r, FactoryPrices)[3], QStringLiteral("4294967,296"));
    TCounterValues g;
    g.Petrol = 0xFFFFFFFF;
    g.Gas = 1;
    QCOMPARE(CounterRows(g)[2].Value, QStringLiteral("4294967,296"));
}

void TestJournals::counterRows_data() {
    QTest::addColumn<TCounterValues>("group");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("all zero") << TCounterValues{}
                              << QStringList{"0:00", "0,000", "0,000", "-----", "-----", "-----"};
    QTest::newRow("an hour and two minutes")
        << TCounterValues{3725, 12345, 1000, 500, 0}
        << QStringList{"1:02", "12,345", "1,500", "11,9", "12,2", "1,4"};
    QTest::newRow("standing still") << TCounterValues{600, 0, 100, 0, 0}
                                    << QStringList{"0:10", "0,000", "0,100", "0,0", "-----", "0,6"};
    QTest::newRow("start distance shown, not averaged")
        << TCounterValues{3600, 50000, 4000, 0, 1200}
        << QStringList{"1:00", "1250,000", "4,000", "50,0", "8,0", "4,0"};
    QTest::newRow("hours beyond a day")
        << TCounterValues{4442400, 0, 0, 0, 0}
        << QStringList{"1234:00", "0,000", "0,000", "0,0", "-----", "0,0"};
}

void TestJournals::counterRows() {
    QFETCH(TCounterValues, group);
    QFETCH(QStringList, values);
    const TCaptionValues rows = CounterRows(group);
    QCOMPARE(Captions(rows), (QStringList{"Время", "Пробег, км", "Расход, л", "Ср.скорость, км/час",
                                          "Ср.расход, л/100", "Ср.расход, л/час"}));
    QCOMPARE(Values(rows), values);
}

void TestJournals::counterGroupsTakeTheirGasAndStart() {
    TTripTotals t{};
    t.AllSum = {1, 2, 3};
    t.TankSum = {4, 5, 6};
    t.OilOnlySum = {7, 8, 9};
    t.GasOnlySum = {10, 11, 12};
    for (int g = 0; g < 6; ++g)
        t.GasFuel[g] = uint32_t(100 + g);
    t.AllPathStart = 1200;

    const TCounterValues all = CounterGroupValues(t, TCounterGroupId::AllSum);
    QCOMPARE(all.Petrol, 3u);
    QCOMPARE(all.Gas, 100u);
    QCOMPARE(all.StartPathKm, 1200);
    const TCounterValues tank = CounterGroupValues(t, TCounterGroupId::TankSum);
    QCOMPARE(tank.Path, 5u);
    QCOMPARE(tank.Gas, 105u);
    QCOMPARE(tank.StartPathKm, 0);
    const TCounterValues oil = CounterGroupValues(t, TCounterGroupId::OilOnlySum);
    QCOMPARE(oil.Petrol, 9u);
    QCOMPARE(oil.Gas, 0u);
    const TCounterValues gas = CounterGroupValues(t, TCounterGroupId::GasOnlySum);
    QCOMPARE(gas.Time, 10u);
    QCOMPARE(gas.Petrol, 0u);
    QCOMPARE(gas.Gas, 12u);
    QCOMPARE(QLatin1String(CounterGroupName(TCounterGroupId::NoStopSum)),
             QLatin1String("NoStopSum"));
}

void TestJournals::errorCodeText_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<uint>("code");
    QTest::addColumn<int>("protTypeMain");
    QTest::addColumn<int>("protTypeAdd2");
    QTest::addColumn<QString>("text");
    using namespace ErrorFormats;
    QTest::newRow("0: P0133") << ObdLetter << 0x0133u << 0 << 0 << "P0133";
    QTest::newRow("0: C0301") << ObdLetter << 0x4301u << 0 << 0 << "C0301";
    QTest::newRow("0: B range, upper-case hex") << ObdLetter << 0x8ABCu << 0 << 0 << "B0ABC";
    QTest::newRow("0: U0155") << ObdLetter << 0xC155u << 0 << 0 << "U0155";
    QTest::newRow("0: above 16 bits has no letter") << ObdLetter << 0x1C155u << 0 << 0 << "0155";
    QTest::newRow("1: low 14 bits") << Hex << 0xABCDu << 0 << 0 << "2BCD";
    QTest::newRow("2: decimal") << Decimal << 0x12345678u << 0 << 0 << "305419896";
    QTest::newRow("3: bit 15 wins") << DecimalState << 0xE005u << 0 << 0 << "57349п";
    QTest::newRow("3: bit 14") << DecimalState << 0x6005u << 0 << 0 << "24581н";
    QTest::newRow("3: bit 13") << DecimalState << 0x2005u << 0 << 0 << "8197м";
    QTest::newRow("3: no mark") << DecimalState << 5u << 0 << 0 << "5";
    QTest::newRow("4: below 256 is Sub") << HexSub << 0xFFu << 0 << 0 << "00FFSub";
    QTest::newRow("4: 256") << HexSub << 0x100u << 0 << 0 << "0100";
    QTest::newRow("4: 4095") << HexSub << 0xFFFu << 0 << 0 << "0FFF";
    QTest::newRow("4: 4096 is Sub") << HexSub << 0x1000u << 0 << 0 << "1000Sub";
    QTest::newRow("4: more than four digits") << HexSub << 0x12345u << 0 << 0 << "12345Sub";
    QTest::newRow("5: SPN 91 FMI 4 Q 3")
        << J1939 << 0x0304005Bu << 0 << 0 << "SPN = 91  FMI = 4  Q = 3";
    QTest::newRow("5: high bits of the third byte join the SPN")
        << J1939 << 0x00E4005Bu << 0 << 0 << "SPN = 458843  FMI = 4  Q = 0";
    QTest::newRow("5: Q 126") << J1939 << 0x7E000000u << 0 << 0 << "SPN = 0  FMI = 0  Q = 126";
    QTest::newRow("5: Q 127 unknown")
        << J1939 << 0x7F000000u << 0 << 0 << "SPN = 0  FMI = 0  Q = ----";
    QTest::newRow("7: sub-type 2 is 1: letter") << ByOption2Is1 << 0x0133u << 0 << 1 << "P0133";
    QTest::newRow("7: sub-type 2 is 0: hex") << ByOption2Is1 << 0x4133u << 0 << 0 << "0133";
    QTest::newRow("7: sub-type 2 is 2: hex") << ByOption2Is1 << 0x0133u << 0 << 2 << "0133";
    QTest::newRow("8: 0x407B is P0123") << Vag << 0x407Bu << 0 << 0 << "P0123";
    QTest::newRow("8: first of the range") << Vag << 0x4000u << 0 << 0 << "P0000";
    QTest::newRow("8: second range") << Vag << 0x4405u << 0 << 0 << "P0005";
    QTest::newRow("8: last range, 999") << Vag << 0x4FE7u << 0 << 0 << "P0999";
    QTest::newRow("8: 1000 drops its thousands") << Vag << 0x43E8u << 0 << 0 << "P0000";
    QTest::newRow("8: above the ranges") << Vag << 0x5000u << 0 << 0 << "P0000";
    QTest::newRow("8: small code, variant 1: decimal") << Vag << 0x0123u << 1 << 0 << "291";
    QTest::newRow("8: largest small code") << Vag << 0x3FFFu << 1 << 0 << "16383";
    QTest::newRow("8: small code, other variant: none") << Vag << 0x0123u << 0 << 0 << "";
    QTest::newRow("9: sub-type 2 is 0: decimal") << ByOption2Not0 << 0x0123u << 0 << 0 << "291";
    QTest::newRow("9: sub-type 2 not 0: letter") << ByOption2Not0 << 0x0123u << 0 << 3 << "P0123";
    QTest::newRow("1000: no text") << NoText << 0x0133u << 0 << 0 << "";
    QTest::newRow("6: unknown") << 6 << 0x0133u << 0 << 0 << "";
    QTest::newRow("-1: unknown") << -1 << 0x0133u << 0 << 0 << "";
}

void TestJournals::errorCodeText() {
    QFETCH(int, format);
    QFETCH(uint, code);
    QFETCH(int, protTypeMain);
    QFETCH(int, protTypeAdd2);
    QFETCH(QString, text);
    QCOMPARE(ErrorCodeText(format, code, SubTypes(protTypeMain, protTypeAdd2)), text);
}

void TestJournals::pidSupportedReadsBitsHighFirst_data() {
    QTest::addColumn<int>("byteIndex");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("pid");
    QTest::newRow("PID 1 is the top bit") << 0 << 0x80 << 1;
    QTest::newRow("PID 8 is the low bit") << 0 << 0x01 << 8;
    QTest::newRow("PID 18") << 2 << 0x40 << 18;
    QTest::newRow("PID 96") << 11 << 0x01 << 96;
}

void TestJournals::pidSupportedReadsBitsHighFirst() {
    QFETCH(int, byteIndex);
    QFETCH(int, bits);
    QFETCH(int, pid);
    uint8_t pids[12] = {};
    pids[byteIndex] = uint8_t(bits);
    for (int n = 0; n <= 97; ++n)
        QCOMPARE(PidSupported(pids, n), n == pid);
}

void TestJournals::freezeFrameWithoutPidsShowsOnlyTheCode() {
    TFaultRecord f{};
    f.Code = 0x0300;
    f.FreezeCode = 0x4301;
    const uint8_t none[12] = {};
    const TFreezeFrame frame = FreezeFrameRows(f, none);
    QCOMPARE(frame.Rows, (TCaptionValues{{"Код ошибки", "C0301"}}));
    QVERIFY(frame.Error.isEmpty());
}

void TestJournals::freezeFrameListsEverySupportedPidInOrder() {
    TFaultRecord f{};
    f.FreezeCode = 0x0133;
    const TFreezeFrame frame = FreezeFrameRows(f, AllPids().Bits);
    QVERIFY(frame.Error.isEmpty());
    QCOMPARE(frame.Rows.size(), 42);
    const QStringList captions = Captions(frame.Rows);
    QCOMPARE(captions.first(), QStringLiteral("Код ошибки"));
    QCOMPARE(captions[1], QStringLiteral("Сост. топливной системы 1"));
    QCOMPARE(captions[2], QStringLiteral("Сост. топливной системы 2"));
    // Short-term trim of bank 2 (PID 8) is listed before long-term trim of bank 1 (PID 7).
    QCOMPARE(captions.indexOf("Краткосрочная корр.подачи топл.Б2, %") + 1,
             captions.indexOf("Долгосрочная корр.продачи топл.Б1, %"));
    QCOMPARE(captions.last(), QStringLiteral("Время с момента сброса ошибок, мин"));

    // A single supported PID lists exactly its row.
    uint8_t onlyAirTemperature[12] = {};
    onlyAirTemperature[(70 - 1) / 8] = uint8_t(0x80 >> ((70 - 1) % 8));
    QCOMPARE(Captions(FreezeFrameRows(f, onlyAirTemperature).Rows),
             (QStringList{"Код ошибки", "Температура внешнего воздуха, C"}));
}

void TestJournals::freezeFrameValues() {
    TFaultRecord f{};
    f.FreezeCode = 0xC155;
    f.FuelSystemStatus = 0x0102;
    SetFreezeValue(f, 26, -25);  // fuel pressure, tenths
    SetFreezeValue(f, 30, 87);   // speed
    SetFreezeValue(f, 32, 2150); // engine speed
    SetFreezeValue(f, 44, 45);   // oxygen sensor 1, hundredths
    SetFreezeValue(f, 48, -1);   // time since start, signed
    SetFreezeValue(f, 90, 32767);
    f.SecondaryAirStatus = 2;
    const TCaptionValues rows = FreezeFrameRows(f, AllPids().Bits).Rows;
    auto value = [&](const char* caption) {
        for (const TCaptionValue& row : rows)
            if (row.Caption == QString::fromUtf8(caption))
                return row.Value;
        return QStringLiteral("<missing>");
    };
    QCOMPARE(value("Код ошибки"), QStringLiteral("U0155"));
    QCOMPARE(value("Сост. топливной системы 1"), QStringLiteral("Разомкнута"));
    QCOMPARE(value("Сост. топливной системы 2"), QStringLiteral("Замкнута"));
    QCOMPARE(value("Давление топлива, кПа"), QStringLiteral("-2,5"));
    QCOMPARE(value("Скорость, км/час"), QStringLiteral("87"));
    QCOMPARE(value("Обороты/мин"), QStringLiteral("2150"));
    QCOMPARE(value("Датчик кислорода 1, В"), QStringLiteral("0,45"));
    QCOMPARE(value("Время с момента запуска двигателя, с"), QStringLiteral("-1"));
    QCOMPARE(value("Время с момента сброса ошибок, мин"), QStringLiteral("32767"));
    QCOMPARE(value("Состояние вторичного воздуха"), QStringLiteral("Из катализатора"));
    QCOMPARE(value("Нагрузка на двигатель, %"), QStringLiteral("0"));

    const QList<QPair<int, QString>> fuelSystems = {{4, "Разомк.(Раз/Тор)"}, {8, "Разомк.(Ошибка)"},
                                                    {16, "Замкн.(Датчик)"},  {0, "Неизвестно"},
                                                    {3, "Неизвестно"},       {255, "Неизвестно"}};
    for (const auto& [status, text] : fuelSystems) {
        f.FuelSystemStatus = uint16_t(status << 8 | 1);
        const TCaptionValues shown = FreezeFrameRows(f, AllPids().Bits).Rows;
        QCOMPARE(shown[1].Value, text);
        QCOMPARE(shown[2].Value, QStringLiteral("Разомкнута"));
    }
    const QList<QPair<int, QString>> airStates = {
        {1, "В катализатор"}, {4, "Выключено"}, {0, "Неизвестно"}, {255, "Неизвестно"}};
    for (const auto& [status, text] : airStates) {
        f.SecondaryAirStatus = uint16_t(status);
        const TFreezeFrame frame = FreezeFrameRows(f, AllPids().Bits);
        QVERIFY(frame.Error.isEmpty());
        QCOMPARE(frame.Rows[17].Value, text);
    }
}

void TestJournals::freezeFrameStopsAtAnUnnamableSecondaryAirStatus() {
    TFaultRecord f{};
    f.FreezeCode = 0x0133;
    f.SecondaryAirStatus = 256;
    const TFreezeFrame frame = FreezeFrameRows(f, AllPids().Bits);
    QCOMPARE(frame.Error, TRangeError().Text());
    // The code, both fuel systems and the 14 parameters before the status stay listed.
    QCOMPARE(frame.Rows.size(), 17);
    QCOMPARE(frame.Rows.last().Caption, QStringLiteral("Дроссель, %"));
}

void TestJournals::unsupportedSecondaryAirIsNotChecked() {
    TFaultRecord f{};
    f.FreezeCode = 0x0133;
    f.SecondaryAirStatus = 0xFFFF;
    TAllPids pids = AllPids();
    pids.Bits[(18 - 1) / 8] &= uint8_t(~(0x80 >> ((18 - 1) % 8)));
    const TFreezeFrame frame = FreezeFrameRows(f, pids.Bits);
    QVERIFY(frame.Error.isEmpty());
    QCOMPARE(frame.Rows.size(), 41);
}

void TestJournals::journalResetsClearOnlyTheDay() {
    TTripSettings trip = FactoryPrices;
    for (int k = 0; k < JournalRecords; ++k) {
        trip.TripJournal[k] = Journal(uint16_t(k), uint8_t(k + 1), 1, 10, 20, 30, 40);
        trip.TankJournal[k] = Journal(uint16_t(k), uint8_t(k + 1), 2, 10, 20, 30, 40);
    }
    TTripSettings expected = trip;
    for (TJournalRecord& r : expected.TripJournal)
        r.Day = 0;
    ResetTripJournal(trip);
    QCOMPARE(std::memcmp(&trip, &expected, sizeof trip), 0);
    for (TJournalRecord& r : expected.TankJournal)
        r.Day = 0;
    ResetTankJournal(trip);
    QCOMPARE(std::memcmp(&trip, &expected, sizeof trip), 0);
}

void TestJournals::faultResetClearsPidsAndCodesOnly() {
    TErrorJournal journal;
    std::memset(&journal, 0x5A, sizeof journal);
    TErrorJournal expected = journal;
    std::memset(expected.SupportedPids, 0, sizeof expected.SupportedPids);
    for (TFaultRecord& f : expected.Faults) {
        f.Code = 0;
        f.FreezeCode = 0;
    }
    ResetFaultJournal(journal);
    QCOMPARE(std::memcmp(&journal, &expected, sizeof journal), 0);
}

void TestJournals::counterResets_data() {
    QTest::addColumn<int>("group");
    for (int g = 0; g < CounterGroupCount; ++g)
        QTest::newRow(CounterGroupName(TCounterGroupId(g))) << g;
}

void TestJournals::counterResets() {
    QFETCH(int, group);
    TTripTotals totals;
    std::memset(&totals, 0x33, sizeof totals);
    TTripTotals expected = totals;
    const auto id = TCounterGroupId(group);
    if (id == TCounterGroupId::OilOnlySum) {
        expected.OilOnlySum = {};
    } else if (id == TCounterGroupId::GasOnlySum) {
        expected.GasOnlySum = {};
    } else {
        TCounterGroup* groups[] = {&expected.AllSum,  &expected.TripSum,   &expected.ResetSum,
                                   &expected.StopSum, &expected.NoStopSum, &expected.TankSum};
        *groups[group] = {};
        expected.GasFuel[group] = 0;
    }
    ResetCounterGroup(totals, id);
    QCOMPARE(std::memcmp(&totals, &expected, sizeof totals), 0);
    const TCaptionValues rows = CounterRows(CounterGroupValues(totals, id));
    QCOMPARE(rows[0].Value, QStringLiteral("0:00"));
    QCOMPARE(rows[2].Value, QStringLiteral("0,000"));
    QCOMPARE(rows[3].Value, QStringLiteral("-----"));
    // Only the all-time group shows its start distance after the reset.
    const QString distance = id == TCounterGroupId::AllSum
                                 ? QString::number(totals.AllPathStart) + QStringLiteral(",000")
                                 : QStringLiteral("0,000");
    QCOMPARE(rows[1].Value, distance);
}

int main(int argc, char* argv[]) {
    // Decimals follow the system locale; pin a Russian one for fixed expectations.
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QCoreApplication app(argc, argv);
    TestJournals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journals.moc"
