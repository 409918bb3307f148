#pragma once

#include <QString>

// The MK's date code: days counted from the year 2000.
struct TDate2000 {
    int Day = 1;   // 1..31
    int Month = 1; // 1..12
    int Year = 0;  // two digits: the year 2000 + Year
    bool operator==(const TDate2000&) const = default;
};

namespace DayNumber {
int Encode(const TDate2000& date);
// Inverse of Encode for day numbers from 1 on; smaller ones give 1.1.00.
TDate2000 Decode(int dayNumber);
// "d.mm.yy" as the editor shows it.
QString Text(int dayNumber);
} // namespace DayNumber

// The decimal text of an unsigned 16-bit number, at least two digits (7 -> "07").
QString TwoDigits(uint16_t value);
