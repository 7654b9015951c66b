#include "P8DTLogic.h"

#include "common/AsciiText.h"
#include "common/P8LocaleSettings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace z9 {
namespace {

// The kind of a format part: its first letter, lower-cased; 0 for an empty part.
char Kind(const std::string& part) {
    return part.empty() ? '\0' : LowerAscii(part[0]);
}

// The number of letters of a format part: the run of its first letter, so a
// literal after it ("dd." in yyyy. MM. dd.) adds no digits.
size_t Letters(const std::string& part) {
    size_t n = 0;
    while (n < part.size() && LowerAscii(part[n]) == Kind(part))
        ++n;
    return n;
}

// Cuts what follows the last letter outside quotes off a format (sr_RS d.M.yyyy.,
// bg_BG d.MM.yyyy 'r.'): cut at its separators, that literal would make a part of
// its own that no text reads back.
void DropTrailingLiteral(std::string& format) {
    size_t end = 0;
    bool quoted = false;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = LowerAscii(format[i]);
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c >= 'a' && c <= 'z')
            end = i + 1;
    }
    if (end > 0) format.resize(end);
}

// A part's whole number: digits, optionally between blanks. Nine digits at most,
// so no part overflows.
std::optional<int> Number(const std::string& part) {
    const std::string_view digits = TrimView(part, kSpaces);
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// n with at least `width` digits (leading zeros).
std::string Padded(int n, size_t width) {
    std::string digits = std::to_string(n < 0 ? -static_cast<long long>(n) : n);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
}

std::string Join(const DTParts& parts, const std::string& sep) {
    return parts[0] + sep + parts[1] + sep + parts[2];
}

// Position of part `index` in a text with two separators.
int PartStart(const std::string& text, const std::string& sep, int index) {
    if (index == 0) return 0;
    size_t at = index == 1 ? text.find(sep) : text.rfind(sep);
    return static_cast<int>(at + sep.size());
}

} // namespace

std::optional<DTParts> CutAtSeparators(const std::string& text, const std::string& sep) {
    if (sep.empty()) return std::nullopt;
    size_t first = text.find(sep);
    if (first == std::string::npos) return std::nullopt;
    size_t last = text.rfind(sep);
    if (last < first + sep.size()) return std::nullopt;
    return DTParts{text.substr(0, first), text.substr(first + sep.size(), last - first - sep.size()),
                   text.substr(last + sep.size())};
}

int SetupMode(DTFormat& f, bool dateMode, const LocaleLookup& locale) {
    if (dateMode) {
        f.Display = locale(LOCALE_SSHORTDATE_ID);
        if (f.Display.empty()) return kDTNoFormat;
        f.Separator = locale(LOCALE_SDATE_ID);
        if (f.Separator.empty()) return kDTNoSeparator;
        f.TimeMode = false;
    } else {
        f.Display = locale(LOCALE_STIMEFORMAT_ID);
        if (f.Display.empty()) return kDTNoFormat;
        f.Separator = locale(LOCALE_STIME_ID);
        if (f.Separator.empty()) return kDTNoSeparator;
        // The clock is always 24 hours: the AM/PM marker goes, after the time or before it.
        std::string lower = LowerAscii(f.Display);
        size_t marker = lower.find(" t");
        if (marker != std::string::npos) {
            f.Display.erase(marker);
        } else if (lower[0] == 't') {
            size_t time = lower.find_first_not_of("t ");
            f.Display.erase(0, time == std::string::npos ? f.Display.size() : time);
        }
        f.TimeMode = true;
    }

    DropTrailingLiteral(f.Display);
    std::optional<DTParts> parts = CutAtSeparators(f.Display, f.Separator);
    if (!parts) return kDTUnknownFormat;
    for (std::string& part : *parts) {
        switch (Kind(part)) {
        case 'y':
            part = "yyyy";
            break;
        case 'h':
            part = UpperAscii(part);
            break;
        case 'm':
            if (!f.TimeMode) part = UpperAscii(part);
            if (part.size() > 2) part.resize(2);
            break;
        default:
            break;
        }
    }
    f.Parts = *parts;
    f.Display = Join(f.Parts, f.Separator);
    return 0;
}

std::string DTErrorText(int error, bool dateMode) {
    switch (error) {
    case kDTNoFormat:
        return dateMode ? "Cannot get short date format." : "Cannot get time format.";
    case kDTNoSeparator:
        return dateMode ? "Cannot get short date separator." : "Cannot get time separator.";
    case kDTUnknownFormat:
        return "Unknown format.";
    default:
        return {};
    }
}

int PartAtCursor(const std::string& text, const std::string& sep, int cursor) {
    // Separator positions counted from 1, the cursor from 0: a cursor just before
    // a separator still stands in the part before it.
    long long first = static_cast<long long>(text.find(sep)) + 1;
    long long last = static_cast<long long>(text.rfind(sep)) + 1;
    if (cursor < first) return 0;
    if (cursor >= last) return 2;
    return 1;
}

std::optional<DateTime> ReadText(const DTFormat& f, const std::string& text) {
    std::optional<DTParts> parts = CutAtSeparators(text, f.Separator);
    if (!parts) return std::nullopt;
    DateTime v;
    if (f.TimeMode) {
        auto hour = Number((*parts)[0]), minute = Number((*parts)[1]), second = Number((*parts)[2]);
        if (!hour || !minute || !second || !IsValidTime(*hour, *minute, *second)) return std::nullopt;
        v.Hour = *hour;
        v.Minute = *minute;
        v.Second = *second;
        return v;
    }
    std::optional<int> year, month, day;
    for (int i = 0; i < 3; ++i) {
        switch (Kind(f.Parts[i])) {
        case 'y':
            year = Number((*parts)[i]);
            break;
        case 'm':
            month = Number((*parts)[i]);
            break;
        case 'd':
            day = Number((*parts)[i]);
            break;
        default:
            return std::nullopt;
        }
    }
    if (!year || !month || !day || !IsValidDate(*year, *month, *day)) return std::nullopt;
    v.Year = *year;
    v.Month = *month;
    v.Day = *day;
    return v;
}

std::string WriteValue(const DTFormat& f, const DateTime& v) {
    std::optional<DTParts> parts = CutAtSeparators(f.Display, f.Separator);
    // A format that could not be set up is written as it stands.
    if (!parts) return FormatDateTimePicture(f.Display, ToTimePoint(v));
    for (std::string& part : *parts) {
        int field = -1;
        switch (Kind(part)) {
        case 'y':
            field = Letters(part) <= 2 ? v.Year % 100 : v.Year;
            break;
        case 'm':
            field = f.TimeMode ? v.Minute : v.Month;
            break;
        case 'd':
            field = f.TimeMode ? -1 : v.Day;
            break;
        case 'h':
            field = f.TimeMode ? v.Hour : -1;
            break;
        case 's':
            field = f.TimeMode ? v.Second : -1;
            break;
        default:
            break;
        }
        if (field >= 0) part = Padded(field, Letters(part));
    }
    return Join(*parts, f.Separator);
}

std::optional<StepResult> StepText(const DTFormat& f, const std::string& text, int cursor, int delta) {
    if (text.empty()) return std::nullopt;
    std::optional<DTParts> parts = CutAtSeparators(text, f.Separator);
    if (!parts) return std::nullopt;
    int index = PartAtCursor(text, f.Separator, cursor);
    std::optional<int> number = Number((*parts)[index]);
    if (!number) return std::nullopt;
    int n = *number + delta;

    const char kind = Kind(f.Parts[index]);
    if (!f.TimeMode) {
        if (kind == 'y') {
            if (n < 1900)
                n = 3000;
            else if (n > 3000)
                n = 1900;
        } else if (kind == 'm') {
            if (n < 1)
                n = 12;
            else if (n > 12)
                n = 1;
        } else if (kind == 'd') {
            int month = 0, year = 0;
            for (int i = 0; i < 3; ++i) {
                if (Kind(f.Parts[i]) == 'm') month = Number((*parts)[i]).value_or(0);
                if (Kind(f.Parts[i]) == 'y') year = Number((*parts)[i]).value_or(0);
            }
            int days = DaysInMonth(year, month);
            if (n < 1)
                n = days;
            else if (n > days)
                n = 1;
        }
    } else if (kind == 'h') {
        if (n < 0)
            n = 23;
        else if (n > 23)
            n = 0;
    } else if (kind == 'm' || kind == 's') {
        if (n < 0)
            n = 59;
        else if (n > 59)
            n = 0;
    }

    (*parts)[index] = Padded(n, Letters(f.Parts[index]));
    std::string stepped = Join(*parts, f.Separator);
    if (!ReadText(f, stepped)) return std::nullopt;
    return StepResult{stepped, PartStart(stepped, f.Separator, index)};
}

} // namespace z9
