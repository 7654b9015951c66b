#include "TDateTime.h"
#include "common/AsciiText.h"

#include <cstring>
#include <optional>

namespace z9 {

namespace {

// What tells a date mask from a time mask.
struct Kind {
    std::size_t maxValue;      // longest value looked at
    const char* letters;       // the three parts, in the order of `start`
    const char* delimiters;    // allowed delimiter characters
    const char* const* runs;   // allowed runs, ending with nullptr
    const char* repeated;      // result when a part appears twice
    const char* blankTemplate; // the normalised text before anything is placed
    int start[3];              // where each part's two (or four) characters go
    bool date;
};

const char* const kDateRuns[] = {"D", "DD", "M", "MM", "YY", "YYYY", ".", "/", nullptr};
const char* const kTimeRuns[] = {"H", "HH", "M", "MM", "S", "SS", ":", nullptr};

constexpr const char* kDateTemplate = "20  -00-00";
constexpr const char* kTimeTemplate = "  :  :  ";

int Digits(const std::string& text, std::size_t at, std::size_t count) {
    int n = 0;
    for (std::size_t i = 0; i < count; ++i)
        n = n * 10 + (text[at + i] - '0');
    return n;
}

// A "yyyy-mm-dd" text that names a real day; blanks and zero months or days
// are no date, so the completion step applies to them.
std::optional<DateTime> ReadIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!IsDigit(text[i])) return std::nullopt;
    DateTime v;
    v.Year = Digits(text, 0, 4);
    v.Month = Digits(text, 5, 2);
    v.Day = Digits(text, 8, 2);
    if (!IsValidDate(v.Year, v.Month, v.Day)) return std::nullopt;
    return v;
}

// One part of "hh:mm:ss": two digits, or a digit after a blank (a single digit
// read as it stands); -1 otherwise.
int TimePart(const std::string& text, std::size_t at) {
    if (!IsDigit(text[at + 1])) return -1;
    if (text[at] == ' ') return text[at + 1] - '0';
    return IsDigit(text[at]) ? Digits(text, at, 2) : -1;
}

std::optional<DateTime> ReadTimeOfDay(const std::string& text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
    DateTime v; // the zero date plus the time
    v.Hour = TimePart(text, 0);
    v.Minute = TimePart(text, 3);
    v.Second = TimePart(text, 6);
    if (!IsValidTime(v.Hour, v.Minute, v.Second)) return std::nullopt;
    return v;
}

bool AllowedRun(const Kind& kind, const std::string& run) {
    for (const char* const* r = kind.runs; *r; ++r)
        if (run == *r) return true;
    return false;
}

// 0, 1, 2 for the kind's three part letters; -1 for a delimiter.
int PartOf(const Kind& kind, char c) {
    const char* at = std::strchr(kind.letters, c);
    return c != '\0' && at ? static_cast<int>(at - kind.letters) : -1;
}

// Year digits go to 0-3 for YYYY and to 2-3 for YY (the century stays 20).
const Kind kDate{10, "DMY", "./", kDateRuns, "Repeated Day, Month or Year", kDateTemplate, {8, 5, 0}, true};
const Kind kTime{8, "HMS", ":", kTimeRuns, "Repeated Hour, Month or Second", kTimeTemplate, {0, 3, 6}, false};

const Kind& KindOf(bool date) {
    return date ? kDate : kTime;
}

} // namespace

std::string TDateTime::CheckDate(const std::string& value, const std::string& mask, DateTimeValue& date) {
    return Check(true, value, mask, date);
}

std::string TDateTime::CheckTime(const std::string& value, const std::string& mask, DateTimeValue& time) {
    return Check(false, value, mask, time);
}

bool TDateTime::PlaceDatePart(const std::string& part, int run) {
    return PlacePart(true, part, run);
}

bool TDateTime::PlaceTimePart(const std::string& part, int run) {
    return PlacePart(false, part, run);
}

bool TDateTime::PlacePart(bool date, const std::string& part, int run) {
    // The runs and the normalised text must come from a check of the same kind.
    if (checked_ != (date ? Checked::Date : Checked::Time)) return false;
    const Kind& kind = KindOf(date);
    if (run < 0 || static_cast<std::size_t>(run) >= runs_.size()) return false;
    const std::string& r = runs_[run];
    if (!AllowedRun(kind, r)) return false;
    int which = PartOf(kind, r[0]);
    if (which < 0) return false;
    std::size_t start = static_cast<std::size_t>(kind.start[which]);
    if (r.size() == 1) { // D, M, H, S: one or two characters; one fills the units place
        if (part.size() == 1) {
            text_[start + 1] = part[0];
            return true;
        }
        if (part.size() != 2) return false;
    } else {
        if (part.size() != r.size()) return false;
        if (kind.date && r == "YY") start = 2;
    }
    text_.replace(start, part.size(), part);
    return true;
}

// How many runs of each part and delimiter a mask has.
struct TDateTime::Shape {
    int partRuns[3] = {0, 0, 0};
    std::size_t partLength[3] = {0, 0, 0};
    int delimiterRuns[2] = {0, 0}; // by position in kind.delimiters
    char delimiter = '\0';
    int Delimiters() const { return delimiterRuns[0] + delimiterRuns[1]; }
};

std::string TDateTime::Check(bool date, const std::string& value, const std::string& mask,
                             DateTimeValue& out) {
    const Kind& kind = KindOf(date);
    checked_ = date ? Checked::Date : Checked::Time;
    out = kZeroDate;
    mask_.clear();
    runs_.clear();
    text_ = kind.blankTemplate;
    if (value.size() > kind.maxValue) return kCheckNotAccepted;

    Shape shape;
    if (const char* wrong = ReadMask(date, mask, shape)) return wrong;
    if (value.empty() || !PlaceValue(date, value, shape)) return kCheckNotAccepted;
    return Evaluate(date, out);
}

const char* TDateTime::ReadMask(bool date, const std::string& mask, Shape& shape) {
    const Kind& kind = KindOf(date);
    mask_ = UpperAscii(mask);
    for (std::size_t i = 0; i < mask_.size(); ++i) {
        char c = mask_[i];
        if (c == '\0' || (!std::strchr(kind.letters, c) && !std::strchr(kind.delimiters, c)))
            return "Wrong Mask Letter";
        if (i == 0 || c != mask_[i - 1]) {
            if (runs_.size() == 5) return "Mask Too Long";
            runs_.emplace_back();
        }
        runs_.back() += c;
    }
    if (runs_.empty() || runs_.size() == 4) return "Invalid Number of Parameters";
    for (const std::string& r : runs_)
        if (!AllowedRun(kind, r)) return "Invalid Mask";

    for (const std::string& r : runs_) {
        int which = PartOf(kind, r[0]);
        if (which >= 0) {
            ++shape.partRuns[which];
            shape.partLength[which] = r.size();
        } else {
            ++shape.delimiterRuns[std::strchr(kind.delimiters, r[0]) - kind.delimiters];
            shape.delimiter = r[0];
        }
    }
    for (int n : shape.partRuns)
        if (n > 1) return kind.repeated;
    for (int n : shape.delimiterRuns)
        if (n >= 3) return "To Much Delimiters";
    if (kind.date) {
        if (shape.delimiterRuns[0] > 0 && shape.delimiterRuns[1] > 0) return "Repeat Delimiter";
        if (shape.partRuns[0] && shape.partRuns[1] && shape.partLength[0] != shape.partLength[1])
            return "Invalid Length Day <> Month";
    }
    const int delimiters = shape.Delimiters();
    if (delimiters > 0) {
        if (runs_.size() < 2 || runs_[1][0] != shape.delimiter || runs_.size() == 2)
            return "1st Delimiter is on Wrong Place";
        if (delimiters == 2 && (runs_.size() < 4 || runs_[3][0] != shape.delimiter))
            return "2nd Delimiter is on Wrong Place";
    } else {
        for (int i = 0; i < 3; ++i)
            if (shape.partRuns[i] && shape.partLength[i] == 1) return "No Delimiter";
    }
    return nullptr;
}

bool TDateTime::PlaceValue(bool date, const std::string& value, const Shape& shape) {
    if (shape.Delimiters() == 0) {
        // Without delimiters every run takes exactly its own width.
        if (value.size() != mask_.size()) return false;
        std::size_t at = 0;
        for (std::size_t i = 0; i < runs_.size(); ++i) {
            if (!PlacePart(date, value.substr(at, runs_[i].size()), static_cast<int>(i))) return false;
            at += runs_[i].size();
        }
        return true;
    }
    const std::size_t first = value.find(shape.delimiter);
    if (first == std::string::npos || first + 1 == value.size()) return false;
    if (!PlacePart(date, value.substr(0, first), 0)) return false;
    const std::size_t second = value.find(shape.delimiter, first + 1);
    if (second == std::string::npos) {
        if (!PlacePart(date, value.substr(first + 1), 2)) return false;
    } else {
        if (second + 1 == value.size()) return false;
        if (!PlacePart(date, value.substr(first + 1, second - first - 1), 2) ||
            !PlacePart(date, value.substr(second + 1), 4))
            return false;
    }
    // Every part the mask names must have been written.
    const Kind& kind = KindOf(date);
    const std::string blank(kind.blankTemplate);
    for (int i = 0; i < 3; ++i) {
        if (!shape.partRuns[i]) continue;
        std::size_t at = static_cast<std::size_t>(kind.start[i]);
        if (kind.date && i == 2) at = 2; // the year's last two digits
        if (text_.compare(at, 2, blank, at, 2) == 0) return false;
    }
    return true;
}

std::string TDateTime::Evaluate(bool date, DateTimeValue& out) const {
    if (date) {
        if (text_ == "2000-00-00" || text_ == "0000-00-00") return kCheckNotAccepted;
        if (auto d = ReadIsoDate(text_)) {
            out = *d;
            return kCheckExact;
        }
        std::string completed = text_;
        if (completed.compare(2, 2, "  ") == 0) completed.replace(2, 2, "00");
        if (completed.compare(5, 2, "00") == 0) completed.replace(5, 2, "01");
        if (completed.compare(8, 2, "00") == 0) completed.replace(8, 2, "01");
        if (auto d = ReadIsoDate(completed)) {
            out = *d;
            return kCheckCompleted;
        }
        return kCheckNotAccepted;
    }

    if (text_ == kTimeTemplate) return kCheckNotAccepted;
    if (auto t = ReadTimeOfDay(text_)) {
        out = *t;
        return kCheckExact;
    }
    std::string completed = text_;
    for (std::size_t at : {0, 3, 6})
        if (completed.compare(at, 2, "  ") == 0) completed.replace(at, 2, "00");
    if (auto t = ReadTimeOfDay(completed)) {
        out = *t;
        return kCheckCompleted;
    }
    return kCheckNotAccepted;
}

std::string CheckDate(const std::string& value, const std::string& mask, DateTimeValue& date) {
    return TDateTime().CheckDate(value, mask, date);
}

std::string CheckTime(const std::string& value, const std::string& mask, DateTimeValue& time) {
    return TDateTime().CheckTime(value, mask, time);
}

} // namespace z9
