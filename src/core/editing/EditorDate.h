#pragma once

// The editor's dates: a day number (1 … 65535) shown as dd.mm.yy.

#include <QString>
#include <cstdint>

namespace EditorDate {
// n = 365 y + L(y) + days of the months before m + d + 1; parts are 0 … 255.
int64_t Encode(int day, int month, int year);
struct TParts {
    int Day, Month, Year;
};
// k = n − 1, y = 4k div 1461, then months from January; day 0 is possible (n = 1).
// TRangeError for n < 1.
TParts Decode(int64_t dayNumber);
QString Text(int64_t dayNumber);
// Characters 1–2, 4–5, 7–8 as day, month, year; non-digits raise "'%s' is not a valid
// integer value", a part above 255 the range error.
int64_t Value(const QString& text);
// The text has no digit (an untouched empty date).
bool IsBlank(const QString& text);
} // namespace EditorDate
