// Code page 1251, day numbers and the two-digit formatter.
#include "base/Cp1251.h"
#include "model/DayNumber.h"

#include <QtTest>

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void cp1251RoundTripsEveryAssignedByte();
    void cp1251FieldsAreZeroTerminatedAndBounded();
    void dayNumbers_data();
    void dayNumbers();
    void dayNumbersRoundTripOverTheCentury();
    void hostileDayNumbersDecodeQuickly();
    void twoDigits();
};

void TestTexts::cp1251RoundTripsEveryAssignedByte() {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const QChar ch = Cp1251::DecodeChar(uint8_t(b));
        QCOMPARE(uint8_t(Cp1251::EncodeChar(ch)), uint8_t(b));
    }
    QCOMPARE(Cp1251::Encode(QStringLiteral("Ёё№")), QByteArray("\xA8\xB8\xB9"));
    QCOMPARE(Cp1251::Decode(QByteArray("\xC0\xFF")), QStringLiteral("Ая"));
    QCOMPARE(Cp1251::Encode(QStringLiteral("€Ω")), QByteArray("\x88?"));
}

void TestTexts::cp1251FieldsAreZeroTerminatedAndBounded() {
    char field[7];
    std::memset(field, 'x', sizeof(field));
    Cp1251::ToField(QStringLiteral("Тримминг"), field);
    QCOMPARE(field[6], '\0');
    QCOMPARE(Cp1251::FromField(field), QStringLiteral("Тримми"));
    // A field without a terminating zero is read to its end only.
    char full[4] = {'a', 'b', 'c', 'd'};
    QCOMPARE(Cp1251::FromField(full), QStringLiteral("abcd"));
}

void TestTexts::dayNumbers_data() {
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("number");
    QTest::newRow("1.01.00") << 1 << 1 << 0 << 2;
    QTest::newRow("29.02.00 (leap)") << 29 << 2 << 0 << 61;
    QTest::newRow("1.03.00") << 1 << 3 << 0 << 62;
    QTest::newRow("1.01.01") << 1 << 1 << 1 << 367;
    QTest::newRow("9.01.12 (factory service date)") << 9 << 1 << 12 << 4392;
    QTest::newRow("31.12.99") << 31 << 12 << 99 << 36525;
    QTest::newRow("1.01.05") << 1 << 1 << 5 << 1828;
}

void TestTexts::dayNumbers() {
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, number);
    QCOMPARE(DayNumber::Encode({day, month, year}), number);
    QCOMPARE(DayNumber::Decode(number), (TDate2000{day, month, year}));
}

void TestTexts::dayNumbersRoundTripOverTheCentury() {
    int previous = DayNumber::Encode({1, 1, 0}) - 1;
    for (int y = 0; y < 100; ++y)
        for (int m = 1; m <= 12; ++m) {
            const int days = QDate(2000 + y, m, 1).daysInMonth();
            for (int d = 1; d <= days; ++d) {
                const int n = DayNumber::Encode({d, m, y});
                // The MK's code leaves out the leap day of 2000, so 31.12.00 shares its
                // number with 1.01.01 and reads as the latter.
                const bool shared = y == 0 && m == 12 && d == 31;
                QCOMPARE(n, previous + 1);
                if (!shared)
                    QCOMPARE(DayNumber::Decode(n), (TDate2000{d, m, y}));
                else
                    QCOMPARE(DayNumber::Decode(n), (TDate2000{1, 1, y + 1}));
                previous = shared ? n - 1 : n;
            }
        }
    QCOMPARE(DayNumber::Text(4392), QStringLiteral("9.01.12"));
}

void TestTexts::hostileDayNumbersDecodeQuickly() {
    QCOMPARE(DayNumber::Decode(-5), (TDate2000{1, 1, 0}));
    QCOMPARE(DayNumber::Decode(0), (TDate2000{1, 1, 0}));
    const TDate2000 far = DayNumber::Decode(2147483647);
    QVERIFY(far.Year > 5000000);
    QVERIFY(far.Month >= 1 && far.Month <= 12 && far.Day >= 1 && far.Day <= 31);
}

void TestTexts::twoDigits() {
    QCOMPARE(TwoDigits(0), QStringLiteral("00"));
    QCOMPARE(TwoDigits(7), QStringLiteral("07"));
    QCOMPARE(TwoDigits(12), QStringLiteral("12"));
    QCOMPARE(TwoDigits(123), QStringLiteral("123"));
    QCOMPARE(TwoDigits(65535), QStringLiteral("65535"));
}

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
