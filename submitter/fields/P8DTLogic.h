#pragma once
// The arithmetic of the date/time entry control P8DT: display formats built from
// the locale, the text cut into its three parts, stepping with its wrap rules, and
// reading and writing values. Plain C++; the widget only holds the controls.
#include "common/DateTime.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace z9 {

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
