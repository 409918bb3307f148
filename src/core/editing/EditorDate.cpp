#include "editing/EditorDate.h"

#include "base/MKError.h"
#include "editing/Conversions.h"

namespace {

int MonthLength(int month, int year) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : days[(month - 1) % 12];
}

int64_t LeapDays(int64_t year) {
    return year >= 1 ? (year - 1) / 4 : 0;
}

QString Two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace EditorDate {

int64_t Encode(int day, int month, int year) {
    for (int part : {day, month, year})
        if (part < 0 || part > 255)
            throw TRangeError();
    int64_t before = 0;
    for (int m = 1; m < month; ++m)
        before += MonthLength(m, year);
    return 365LL * year + LeapDays(year) + before + day + 1;
}

TParts Decode(int64_t dayNumber) {
    if (dayNumber < 1)
        throw TRangeError();
    const int64_t k = dayNumber - 1;
    const int64_t year = 4 * k / 1461;
    int64_t rest = k - 365 * year - LeapDays(year);
    int month = 1;
    while (month < 12 && MonthLength(month, int(year)) < rest) {
        rest -= MonthLength(month, int(year));
        ++month;
    }
    return {int(rest), month, int(year)};
}

QString Text(int64_t dayNumber) {
    const TParts d = Decode(dayNumber);
    return Two(d.Day) + QLatin1Char('.') + Two(d.Month) + QLatin1Char('.') + Two(d.Year);
}

int64_t Value(const QString& text) {
    const auto part = [&text](int from) {
        const QString digits = text.mid(from, 2);
        for (QChar c : digits)
            if (!c.isDigit())
                throw TMKError(QStringLiteral("'%1' is not a valid integer value").arg(digits));
        return IntegerValue(digits);
    };
    return Encode(int(part(0)), int(part(3)), int(part(6)));
}

bool IsBlank(const QString& text) {
    for (QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

} // namespace EditorDate
