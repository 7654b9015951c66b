#pragma once
// Calendar arithmetic on plain date-time values, as the date masks, the
// date/time control and the stored times (SCHEDULEDTIME, the recent files)
// use it.
#include "common/Clock.h"

#include <optional>
#include <string>

namespace z9 {

// A date-time value as the date and time fields hand it around: calendar fields
// in local time. The zero date 1899-12-30 00:00:00 is the base of date serials
// and means "no value": a date carries the time 00:00:00 and a time of day the
// zero date, so the sum of the two (DateTimeSum) is the full moment.
struct DateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const DateTime&) const = default;
};

inline constexpr DateTime kZeroDate{};

// Gregorian rule: divisible by 4 and not by 100, or divisible by 400.
bool LeapYear(int year);
// Days of the month: 31; 30 for months 4, 6, 9, 11; for month 2, 29 in a leap year, else 28.
// A month out of range counts 31.
int DaysInMonth(int year, int month);
// Dates run from year 100 to 9999.
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second);

// The local calendar fields of a moment, and back.
DateTime LocalDateTime(TimePoint t);
TimePoint ToTimePoint(const DateTime& v);

// Adds two values as date serials: days since the zero date and times of day, a
// carry past midnight going to the date. A date plus a time of day is that moment.
DateTime DateTimeSum(const DateTime& a, const DateTime& b);
// "yyyy-mm-dd hh:mm:ss", the form task files and the registry store.
std::string DateTimeText(const DateTime& v);
// That form read back; nothing when the text is not one or names no valid date and time.
std::optional<DateTime> ReadDateTimeText(const std::string& text);

} // namespace z9
