// The journals viewer's grid texts and the error format of the device's protocol.
#include "catalog/Protocols.h"
#include "model/JournalGrids.h"

#include <QtTest>
#include <cstring>

using namespace Journals;

class TestJournalsGrids : public QObject {
    Q_OBJECT
private slots:
    void emptyJournalShowsPustoAndNumbering();
    void journalRowsCarryTheirRecords();
    void faultGridListsOnlyStoredCodes();
    void deviceErrorFormatFollowsTheRecordsProtocol();
    void deviceWithoutItsProtocolWritesNoCodes_data();
    void deviceWithoutItsProtocolWritesNoCodes();
};

void TestJournalsGrids::emptyJournalShowsPustoAndNumbering() {
    TTripSettings trip{};
    const TGridTexts rows = JournalGridTexts(trip.TankJournal, trip);
    QCOMPARE(rows.size(), JournalGridRows);
    QCOMPARE(rows[0], (QStringList{"#", "Дата и время записи", "Время в пути", "Пробег, км",
                                   "Расход топлива, л", "Ср. скорость, км/час",
                                   "Ср. расход на 100 км", "Ср. расход в час", "Стоимость"}));
    for (int r = 1; r < JournalGridRows; ++r) {
        QStringList expected(JournalGridColumns);
        expected[0] = r == 1 ? QStringLiteral("Посл.") : QString::number(r - 1);
        expected[1] = QStringLiteral("Пусто");
        QCOMPARE(rows[r], expected);
    }
}

void TestJournalsGrids::journalRowsCarryTheirRecords() {
    TTripSettings trip{};
    trip.PricePath = 10;
    trip.TripJournal[0] = {497, 15, 11, 3600, 36000, 0, 0};
    trip.TripJournal[20] = {60, 1, 2, 60, 1000, 0, 0};
    const TGridTexts rows = JournalGridTexts(trip.TripJournal, trip);
    QCOMPARE(rows[1], QStringList{"Посл."} + TripRowCells(trip.TripJournal[0], trip));
    QCOMPARE(rows[1][1], QStringLiteral("08:17   15.11"));
    QCOMPARE(rows[1][5], QStringLiteral("36"));
    QCOMPARE(rows[21][0], QStringLiteral("20"));
    QCOMPARE(rows[21][1], QStringLiteral("01:00   1.02"));
    for (const QStringList& row : rows)
        QCOMPARE(row.size(), JournalGridColumns);
}

void TestJournalsGrids::faultGridListsOnlyStoredCodes() {
    TErrorJournal journal{};
    journal.Faults[0] = {};
    journal.Faults[0].TimeOfDay = 1500;
    journal.Faults[0].Day = 2;
    journal.Faults[0].Month = 10;
    journal.Faults[0].Code = 0x0300;
    // A record without a code shows only its number, whatever else it holds.
    journal.Faults[3].TimeOfDay = 100;
    journal.Faults[3].Day = 9;
    journal.Faults[3].FreezeCode = 0x0133;
    journal.Faults[6].TimeOfDay = 61;
    journal.Faults[6].Day = 31;
    journal.Faults[6].Month = 12;
    journal.Faults[6].Code = 0x407B;

    const TProtocolSettings protocol{};
    const TGridTexts letters = FaultGridTexts(journal, ErrorFormats::ObdLetter, protocol);
    QCOMPARE(letters.size(), FaultGridRows);
    QCOMPARE(letters[0], (QStringList{"#", "Время", "Код ошибки"}));
    QCOMPARE(letters[1], (QStringList{"0", "25:00 2.10", "P0300"}));
    QCOMPARE(letters[2], (QStringList{"1", "", ""}));
    QCOMPARE(letters[4], (QStringList{"3", "", ""}));
    QCOMPARE(letters[7], (QStringList{"6", "1:01 31.12", "C007B"}));

    const TGridTexts vag = FaultGridTexts(journal, ErrorFormats::Vag, protocol);
    QCOMPARE(vag[7][2], QStringLiteral("P0123"));
    QCOMPARE(vag[1][2], QString()); // a small code needs sub-type 1 to be written
    QCOMPARE(vag[1][1], QStringLiteral("25:00 2.10"));
}

void TestJournalsGrids::deviceErrorFormatFollowsTheRecordsProtocol() {
    TMK mk;
    mk.Record.ProtocolSettings.Protocol = 0;
    const int first = DeviceErrorFormat(mk);
    const auto& protocols = mk.Catalog.Protocols();
    QVERIFY(mk.Catalog.CurrentProtocol());
    QCOMPARE(mk.Catalog.CurrentProtocol(), protocols.front().get());
    QCOMPARE(first, mk.Catalog.CurrentProtocol()->ErrorFormat);

    // Every entry of the list answers with its own format.
    for (std::size_t i = 0; i < protocols.size() && i < 256; ++i) {
        mk.Record.ProtocolSettings.Protocol = uint16_t(i);
        const int format = DeviceErrorFormat(mk);
        QCOMPARE(format, mk.Catalog.Protocols()[i]->ErrorFormat);
        QCOMPARE(mk.Catalog.CurrentProtocol(), mk.Catalog.Protocols()[i].get());
    }
}

void TestJournalsGrids::deviceWithoutItsProtocolWritesNoCodes_data() {
    QTest::addColumn<int>("protocol");
    QTest::addColumn<uint>("firmware");
    QTest::newRow("index past the list") << 255 << 0u;
    QTest::newRow("index beyond a byte") << 300 << 0u;
    QTest::newRow("variant beyond a byte") << 0 << 300u;
}

void TestJournalsGrids::deviceWithoutItsProtocolWritesNoCodes() {
    QFETCH(int, protocol);
    QFETCH(uint, firmware);
    TMK mk;
    mk.Image = QByteArray(64, '\0');
    std::memcpy(mk.Image.data() + 56, &firmware, sizeof firmware);
    mk.Record.ProtocolSettings.Protocol = uint16_t(protocol);
    QCOMPARE(DeviceErrorFormat(mk), ErrorFormats::NoText);
}

QTEST_GUILESS_MAIN(TestJournalsGrids)
#include "tst_journalsgrids.moc"
