#pragma once
// The arithmetic of the date/time entry control P8DT: display formats built from
// the locale, the text cut into its three parts, stepping with its wrap rules, and
// reading and writing values. Plain C++; the widget only holds the controls.
#include "common/Clock.h"

#include <array>
#include <functional>
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
// "yyyy-mm-dd hh:mm:ss"
std::string DateTimeText(const DateTime& v);

using DTParts = std::array<std::string, 3>;

// Cuts text at the first and at the last occurrence of sep into the text before,
// between and after them; nothing when sep does not occur twice.
std::optional<DTParts> CutAtSeparators(const std::string& text, const std::string& sep);

// The format state of one control.
struct DTFormat {
    std::string Display;   // the format the value is written in, e.g. dd.MM.yyyy or H:mm:ss
    std::string Separator; // the date or the time separator
    DTParts Parts;         // Display cut at its separators
    bool TimeMode = false;
};

// Error numbers of a mode change.
enum DTError : int {
    kDTNoFormat = 50,     // "Cannot get short date format." / "Cannot get time format."
    kDTNoSeparator = 51,  // "Cannot get short date separator." / "Cannot get time separator."
    kDTUnknownFormat = 52 // "Unknown format."
};

// Locale value lookup (value numbers 29, 30, 31, 4099).
using LocaleLookup = std::function<std::string(int type)>;

// Sets up date mode (dateMode true) or time mode from the locale values: four-digit
// years, 24-hour clock, no AM/PM marker, two-letter months and minutes at most.
// Returns 0, or the error number; on an error the state keeps what was already
// set (a format that cannot be cut keeps the previous parts).
int SetupMode(DTFormat& f, bool dateMode, const LocaleLookup& locale);
// The message of an error number in the given mode.
std::string DTErrorText(int error, bool dateMode);

// The part (0, 1, 2) in which a 0-based cursor stands.
int PartAtCursor(const std::string& text, const std::string& sep, int cursor);

// The value of the text, or nothing when it is not a valid date (time).
std::optional<DateTime> ReadText(const DTFormat& f, const std::string& text);
// The value written in the display format.
std::string WriteValue(const DTFormat& f, const DateTime& v);

struct StepResult {
    std::string Text;
    int Cursor = 0; // the start of the stepped part
};

// Steps the part under the cursor by delta with the wrap rules of its kind;
// nothing when the text cannot be stepped or the result is not a valid date (time).
std::optional<StepResult> StepText(const DTFormat& f, const std::string& text, int cursor, int delta);

} // namespace z9
