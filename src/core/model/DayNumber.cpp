#include "model/DayNumber.h"

#include <algorithm>

namespace {

constexpr int MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool LeapYear(int y) {
    return y % 4 == 0;
}

int DaysInMonth(int month, int year) {
    return month == 2 && LeapYear(year) ? 29 : MonthDays[month - 1];
}

int DaysBeforeMonth(int month, int year) {
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(m, year);
    return days;
}

int LeapDaysBefore(int year) {
    return year >= 1 ? (year - 1) / 4 : 0;
}

long long EncodeWide(const TDate2000& d) {
    return 365LL * d.Year + LeapDaysBefore(d.Year) + DaysBeforeMonth(d.Month, d.Year) + d.Day + 1;
}

} // namespace

namespace DayNumber {

int Encode(const TDate2000& d) {
    return int(EncodeWide(d));
}

TDate2000 Decode(int dayNumber) {
    TDate2000 date;
    if (dayNumber < EncodeWide(date))
        return date;
    // The year is the last one whose 1 January does not come after the day.
    // Start just below the answer (a year has at most 366 days), then step forward.
    int year = std::max(0, (dayNumber - 1) / 366 - 1);
    while (EncodeWide({1, 1, year + 1}) <= dayNumber)
        ++year;
    int rest = int(dayNumber - EncodeWide({1, 1, year}));
    int month = 1;
    while (month < 12 && rest >= DaysInMonth(month, year)) {
        rest -= DaysInMonth(month, year);
        ++month;
    }
    return {rest + 1, month, year};
}

QString Text(int dayNumber) {
    const TDate2000 d = Decode(dayNumber);
    return QStringLiteral("%1.%2.%3")
        .arg(d.Day)
        .arg(TwoDigits(uint16_t(d.Month)), TwoDigits(uint16_t(d.Year % 100)));
}

} // namespace DayNumber

QString TwoDigits(uint16_t value) {
    QString text = QString::number(value);
    if (text.size() == 1)
        text.prepend(QLatin1Char('0'));
    return text;
}
