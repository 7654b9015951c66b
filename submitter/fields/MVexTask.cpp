#include "submitter/fields/MVexTask.h"

#include "common/AsciiText.h"
#include "common/Desktop.h"
#include "common/HostPath.h"
#include "common/P8LocaleSettings.h"
#include "common/PathParts.h"
#include "common/PlainFile.h"
#include "submitter/base/ReportError.h"
#include "submitter/fields/TDateTime.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <tuple>

namespace z9 {

namespace {

const char* const kTypeRequired = "Type of field required.";
const char* const kMinMaxInvalid = "Min or max value is invalid in current field.";
const char* const kVariableRequired = "Variable Name Required.";
const char* const kPercentInvalid = "This is not valid value for split percent.";
const char* const kMinGreater = "Min value is greater than max value.";
const char* const kOutOfScope = "Current value does not fit into the current scope.";
const char* const kInvalidValue = "Invalid value in current field.";
const char* const kFormatInvalid = "Format is invalid in current field.";
const char* const kComboUnreadable = "Cannot read file for combo contents.";
const char* const kSelectCombo = "Please select combo value.";

bool StartsWith(const std::string& text, size_t at, const std::string& what) {
    return !what.empty() && text.compare(at, what.size(), what) == 0;
}

// Strips leading zeros of the whole part and trailing zeros of the fraction.
void Normalise(DecimalNumber& n) {
    n.Whole.erase(0, std::min(n.Whole.find_first_not_of('0'), n.Whole.size()));
    size_t keep = n.Fraction.find_last_not_of('0');
    n.Fraction.erase(keep == std::string::npos ? 0 : keep + 1);
    if (n.Whole.empty() && n.Fraction.empty()) n.Negative = false;
}

// Adds one unit in the last place of a digit string.
void Increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The number of characters in ANSI text: a lead byte of a double-byte code
// page and its trail byte are one character.
size_t AnsiLength(const std::string& text) {
    int codePage = std::atoi(GetLocaleString(LOCALE_IDEFAULTANSICODEPAGE_ID).c_str());
    auto isLead = [codePage](unsigned char c) {
        switch (codePage) {
        case 932:
            return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        case 936:
        case 949:
        case 950:
            return c >= 0x81 && c <= 0xFE;
        default:
            return false;
        }
    };
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count)
        i += (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return count;
}

std::string DecimalSeparator() {
    std::string sep = GetLocaleString(LOCALE_SDECIMAL_ID);
    return sep.empty() ? "." : sep;
}

// A number field's limit or value: it must be written as the picture writes
// it (when there is one) and read as a decimal number in the user's locale.
std::optional<std::int32_t> ReadNumberField(const std::string& text, const std::string& picture) {
    std::string decimalSep = DecimalSeparator();
    std::string thousandSep = GetLocaleString(LOCALE_STHOUSAND_ID);
    std::optional<DecimalNumber> number = ParseDecimal(text, decimalSep, thousandSep);
    if (!number) return std::nullopt;
    if (!picture.empty() && FormatNumberPicture(*number, picture, decimalSep, thousandSep) != text)
        return std::nullopt;
    return RoundToWhole(*number);
}

struct Labels {
    const char* Min;
    const char* Max;
};

Labels LabelsFor(int code) {
    switch (code) {
    case ftText:
    case ftFile:
    case ftFolder:
        return {"Min Length: ", "Max Length: "};
    case ftNumber:
    case ftDate:
    case ftTime:
        return {"Min Value: ", "Max Value: "};
    case ftCombo:
        return {"Index: ", "Combo Items: "};
    default:
        return {"Min: ", "Max: "};
    }
}

// Dates and times in time order.
bool Later(const DateTimeValue& a, const DateTimeValue& b) {
    return std::tie(a.Year, a.Month, a.Day, a.Hour, a.Minute, a.Second) >
           std::tie(b.Year, b.Month, b.Day, b.Hour, b.Minute, b.Second);
}

void AddLine(std::string& details, const char* label, const std::string& text) {
    if (!text.empty()) details.append(label).append(text).append("\n\n");
}

// ---- number pictures ----

struct PictureToken {
    enum Kind { Zero, Hash, Point, Literal } kind;
    std::string text; // the literal
};

std::vector<std::string> SplitSections(const std::string& picture) {
    std::vector<std::string> sections(1);
    for (size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (c == '"') {
            size_t end = picture.find('"', i + 1);
            if (end == std::string::npos) end = picture.size() - 1;
            sections.back().append(picture, i, end - i + 1);
            i = end;
        } else if (c == '\\' && i + 1 < picture.size()) {
            sections.back().append(picture, i, 2);
            ++i;
        } else if (c == ';') {
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

bool IsPlace(const PictureToken& t) {
    return t.kind == PictureToken::Zero || t.kind == PictureToken::Hash;
}

// One section of a picture, read: its tokens, where the decimal point stands
// (tokens.size() when it has none), thousands grouping and percent.
struct Section {
    std::vector<PictureToken> tokens;
    size_t point = 0;
    bool grouping = false;
    bool percent = false;
};

Section ReadSection(const std::string& section) {
    Section s;
    bool seenPoint = false, seenDigit = false;
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (c == '0' || c == '#') {
            s.tokens.push_back({c == '0' ? PictureToken::Zero : PictureToken::Hash, {}});
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            s.tokens.push_back({PictureToken::Point, {}});
            seenPoint = true;
        } else if (c == ',') {
            // Between digit places of the whole part it groups thousands;
            // anywhere else it writes nothing.
            if (!seenPoint && seenDigit && i + 1 < section.size() &&
                (section[i + 1] == '0' || section[i + 1] == '#' || section[i + 1] == ','))
                s.grouping = true;
        } else if (c == '"') {
            size_t end = section.find('"', i + 1);
            if (end == std::string::npos) end = section.size();
            s.tokens.push_back({PictureToken::Literal, section.substr(i + 1, end - i - 1)});
            i = end;
        } else if (c == '\\' && i + 1 < section.size()) {
            s.tokens.push_back({PictureToken::Literal, section.substr(++i, 1)});
        } else {
            if (c == '%') s.percent = true;
            s.tokens.push_back({PictureToken::Literal, std::string(1, c)});
        }
    }

    s.point = s.tokens.size();
    for (size_t i = 0; i < s.tokens.size(); ++i)
        if (s.tokens[i].kind == PictureToken::Point) s.point = i;
    // The whole part needs a place even when the picture gives none.
    const auto pointAt = s.tokens.begin() + static_cast<long>(s.point);
    if (std::none_of(s.tokens.begin(), pointAt, IsPlace)) {
        s.tokens.insert(pointAt, {PictureToken::Hash, {}});
        ++s.point;
    }
    return s;
}

// The number's digits for the section's places: rounded half away from zero to
// the fraction's places, the whole part padded with zeros to its 0 places.
void SectionDigits(const Section& s, DecimalNumber n, std::string& whole, std::string& fraction) {
    if (s.percent) {
        n.Fraction.resize(std::max<size_t>(n.Fraction.size(), 2), '0');
        n.Whole += n.Fraction.substr(0, 2);
        n.Fraction.erase(0, 2);
        Normalise(n);
    }
    const size_t fractionPlaces = static_cast<size_t>(
        std::count_if(s.tokens.begin() + static_cast<long>(s.point), s.tokens.end(), IsPlace));
    fraction = n.Fraction;
    const bool roundUp = fraction.size() > fractionPlaces && fraction[fractionPlaces] >= '5';
    fraction.resize(fractionPlaces, '0');
    std::string all = n.Whole + fraction;
    if (roundUp) Increment(all);
    whole = all.substr(0, all.size() - fractionPlaces);
    fraction = all.substr(all.size() - fractionPlaces);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));

    size_t minDigits = 0;
    bool counting = false;
    for (size_t i = 0; i < s.point; ++i) {
        if (s.tokens[i].kind == PictureToken::Zero) counting = true;
        if (counting && IsPlace(s.tokens[i])) ++minDigits;
    }
    if (whole.size() < minDigits) whole.insert(0, minDigits - whole.size(), '0');
}

// The whole part, right to left: each place takes one digit, the leftmost all that remain.
std::string WriteWholePart(const Section& s, const std::string& whole, const std::string& thousandSep) {
    size_t leftmost = 0;
    while (!IsPlace(s.tokens[leftmost]))
        ++leftmost;
    std::vector<std::string> reversed;
    size_t remaining = whole.size(), written = 0;
    auto writeDigit = [&] {
        if (s.grouping && written > 0 && written % 3 == 0) reversed.push_back(thousandSep);
        reversed.emplace_back(1, whole[--remaining]);
        ++written;
    };
    for (size_t i = s.point; i-- > 0;) {
        if (s.tokens[i].kind == PictureToken::Literal) {
            reversed.push_back(s.tokens[i].text);
        } else if (i == leftmost) {
            while (remaining > 0)
                writeDigit();
        } else if (remaining > 0) {
            writeDigit();
        }
    }
    std::string out;
    for (size_t i = reversed.size(); i-- > 0;)
        out += reversed[i];
    return out;
}

// The fraction, left to right; trailing zeros on # places are left out.
std::string WriteFractionPart(const Section& s, const std::string& fraction, const std::string& decimalSep) {
    size_t keep = fraction.size();
    size_t place = fraction.size();
    for (size_t i = s.tokens.size(); i-- > s.point && place > 0;) {
        if (!IsPlace(s.tokens[i])) continue;
        --place;
        if (s.tokens[i].kind == PictureToken::Hash && fraction[place] == '0' && keep == place + 1)
            keep = place;
        else
            break;
    }
    std::string out;
    place = 0;
    for (size_t i = s.point; i < s.tokens.size(); ++i) {
        switch (s.tokens[i].kind) {
        case PictureToken::Point:
            out += decimalSep;
            break;
        case PictureToken::Literal:
            out += s.tokens[i].text;
            break;
        default:
            if (place < keep) out += fraction[place];
            ++place;
        }
    }
    return out;
}

// Writes a non-negative number with one section; `nonZero` tells whether a
// digit other than 0 was written.
std::string FormatSection(const DecimalNumber& n, const std::string& section, const std::string& decimalSep,
                          const std::string& thousandSep, bool& nonZero) {
    const Section s = ReadSection(section);
    std::string whole, fraction;
    SectionDigits(s, n, whole, fraction);
    nonZero = whole.find_first_not_of('0') != std::string::npos ||
              fraction.find_first_not_of('0') != std::string::npos;
    return WriteWholePart(s, whole, thousandSep) + WriteFractionPart(s, fraction, decimalSep);
}

} // namespace

FieldDef MakeFieldDef(std::size_t position, const EnvironRecord& record) {
    return {std::to_string(position),
            record.Step,
            record.Caption,
            record.Variable,
            record.Type,
            record.Value,
            record.Help,
            record.Min,
            record.Max,
            record.Percent,
            record.Format};
}

namespace {

// The reason a text, file or folder field is refused: its length against min and max.
const char* LengthProblem(const std::string& value, const std::string& min, const std::string& max) {
    std::optional<std::int32_t> lo, hi;
    if (!min.empty() && !(lo = ToWholeNumber(min))) return kMinMaxInvalid;
    if (!max.empty() && !(hi = ToWholeNumber(max))) return kMinMaxInvalid;
    if (lo && hi && *lo > *hi) return kMinGreater;
    long long length = static_cast<long long>(AnsiLength(value));
    if ((lo && *lo > length) || (hi && length > *hi)) return kOutOfScope;
    return nullptr;
}

// The reason a number field is refused: limits and value written as the picture writes them.
const char* NumberProblem(const std::string& value, const std::string& min, const std::string& max,
                          const std::string& format) {
    std::optional<std::int32_t> lo, hi;
    if (!min.empty() && !(lo = ReadNumberField(min, format))) return kMinMaxInvalid;
    if (!max.empty() && !(hi = ReadNumberField(max, format))) return kMinMaxInvalid;
    if (lo && hi && *lo > *hi) return kMinGreater;
    std::optional<std::int32_t> number = ReadNumberField(value, format);
    if (!number) return kInvalidValue;
    if ((lo && *lo > *number) || (hi && *number > *hi)) return kOutOfScope;
    return nullptr;
}

// The reason a date or time field is refused: its mask, limits and value.
const char* DateTimeProblem(bool date, const std::string& value, const std::string& min,
                            const std::string& max, const std::string& format) {
    auto check = date ? &CheckDate : &CheckTime;
    auto accepted = [](const std::string& result) {
        return result == kCheckCompleted || result == kCheckExact;
    };
    DateTimeValue scratch;
    if (check("", format, scratch) != kCheckNotAccepted) return kFormatInvalid;
    std::optional<DateTimeValue> lo, hi;
    DateTimeValue read;
    if (!min.empty()) {
        if (!accepted(check(min, format, read))) return kMinMaxInvalid;
        lo = read;
    }
    if (!max.empty()) {
        if (!accepted(check(max, format, read))) return kMinMaxInvalid;
        hi = read;
    }
    if (lo && hi && Later(*lo, *hi)) return kMinGreater;
    if (value.empty() || !accepted(check(value, format, read))) return kInvalidValue;
    if ((lo && Later(*lo, read)) || (hi && Later(read, *hi))) return kOutOfScope;
    return nullptr;
}

// The reason a combo box is refused: no items, or no item chosen.
const char* ComboProblem(const std::string& value, const std::string& max) {
    if (ComboItems(max).empty()) return kComboUnreadable;
    if (IsComboFromFile(value)) return kSelectCombo;
    return nullptr;
}

} // namespace

bool ValidateEnvField(const std::string& type, const std::string& variable, const std::string& value,
                      const std::string& min, const std::string& max, const std::string& format,
                      const std::string& percent) {
    std::string details = "\n\n";
    auto fail = [&details](const char* message, int style = 48) {
        ReportError(message + details, style);
        return false;
    };

    AddLine(details, "Field Type: ", type);
    AddLine(details, "Variable Name: ", variable);
    if (type.empty()) {
        ReportError(kTypeRequired, 48);
        return false;
    }
    if (!IsDigit(type[0])) return fail(kMinMaxInvalid);
    int code = type[0] - '0';

    Labels labels = LabelsFor(code);
    if (code == ftNumber || code == ftDate || code == ftTime) AddLine(details, "Format: ", format);
    // A password field's value is shown as its editor shows it, masked, so
    // that neither the box nor the error log ever holds the password itself.
    const bool masked = code == ftText && !format.empty();
    AddLine(details, "Value: ", masked ? std::string(AnsiLength(value), format[0]) : value);
    AddLine(details, labels.Min, min);
    AddLine(details, labels.Max, max);

    if (variable.empty()) return fail(kVariableRequired, 64);
    // A single blank, like an empty text, means the default share.
    if (!percent.empty() && percent != " ") {
        std::optional<std::int32_t> share = ToWholeNumber(percent);
        if (!share || *share < 20 || *share > 80) return fail(kPercentInvalid);
    }

    const char* problem = nullptr;
    switch (code) {
    case ftText:
    case ftFile:
    case ftFolder:
        problem = LengthProblem(value, min, max);
        break;
    case ftNumber:
        problem = NumberProblem(value, min, max, format);
        break;
    case ftDate:
    case ftTime:
        problem = DateTimeProblem(code == ftDate, value, min, max, format);
        break;
    case ftCombo:
        // These need the person even in submit mode.
        if (const char* comboProblem = ComboProblem(value, max)) {
            ReportToPerson(comboProblem + details, 48);
            return false;
        }
        break;
    default:
        break;
    }
    return problem ? fail(problem) : true;
}

bool ValidateAllEnvFields() {
    for (const EnvironRecord& r : Task().Environs)
        if (!ValidateEnvField(r.Type, r.Variable, r.Value, r.Min, r.Max, r.Format, r.Percent)) return false;
    return true;
}

bool IsComboFromFile(const std::string& text) {
    const std::string prefix = kComboFromFile;
    return text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

namespace {
std::string& ComboListFolder() {
    static std::string folder;
    return folder;
}
} // namespace

void SetComboListFolder(const std::string& folder) {
    ComboListFolder() = folder;
}

std::string ComboItems(const std::string& text) {
    if (!IsComboFromFile(text)) return text;
    const std::string path = text.substr(std::string(kComboFromFile).size());
    std::error_code ec;
    if (IsRelativePath(path) && !ComboListFolder().empty() &&
        !std::filesystem::exists(HostFileName(path), ec))
        return ReadComboFile(ComboListFolder() + path);
    return ReadComboFile(path);
}

std::string ReadComboFile(const std::string& path) {
    BusyCursor busy;
    std::string bytes;
    if (!ReadPlainFile(HostFileName(path), kComboFileLimit, bytes)) return {};
    // A file with NUL bytes is no list of lines.
    if (bytes.find('\0') != std::string::npos) return {};

    std::string joined;
    joined.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        joined += bytes[i];
    }
    // No break after the last line.
    if (!joined.empty() && joined.back() == '\n') joined.pop_back();
    return joined;
}

std::vector<std::string> SplitComboList(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (size_t i = 0; i < list.size(); ++i) {
        char c = list[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < list.size() && list[i + 1] == '\n') ++i;
            items.push_back(std::move(item));
            item.clear();
        } else {
            item += c;
        }
    }
    if (list.empty() || (list.back() != '\n' && list.back() != '\r')) items.push_back(std::move(item));
    return items;
}

std::string ComboItemValue(const std::string& item, const std::string& separator) {
    if (separator.empty()) return item;
    size_t at = item.find(separator);
    return at == std::string::npos ? item : item.substr(at + separator.size());
}

std::optional<std::int32_t> ToWholeNumber(const std::string& text) {
    std::string t = Trim(text, kBlanks);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long n = 0;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) return std::nullopt;
        n = n * 10 + (t[i] - '0');
        if (n > static_cast<long long>(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) n = -n;
    if (n > INT32_MAX || n < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(n);
}

std::optional<DecimalNumber> ParseDecimal(const std::string& text, const std::string& decimalSep,
                                          const std::string& thousandSep) {
    std::string t = Trim(text, kBlanks);
    const std::string grouper = thousandSep == decimalSep ? std::string() : thousandSep;
    DecimalNumber n;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) n.Negative = t[i++] == '-';

    // Whole part; groups after a thousands separator have exactly three digits.
    std::string whole;
    std::vector<size_t> groups{0};
    while (i < t.size()) {
        if (IsDigit(t[i])) {
            whole += t[i++];
            ++groups.back();
        } else if (groups.back() > 0 && StartsWith(t, i, grouper)) {
            i += grouper.size();
            groups.push_back(0);
        } else {
            break;
        }
    }
    if (groups.size() > 1) {
        if (groups.front() > 3) return std::nullopt;
        for (size_t g = 1; g < groups.size(); ++g)
            if (groups[g] != 3) return std::nullopt;
    }
    std::string fraction;
    if (StartsWith(t, i, decimalSep)) {
        i += decimalSep.size();
        while (i < t.size() && IsDigit(t[i]))
            fraction += t[i++];
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;

    long exponent = 0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool negativeExp = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativeExp = t[i++] == '-';
        if (i == t.size() || !IsDigit(t[i])) return std::nullopt;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            exponent = std::min(exponent * 10 + (t[i] - '0'), 100000L);
        if (negativeExp) exponent = -exponent;
    }
    if (i != t.size()) return std::nullopt;

    // Numbers beyond 400 places are far outside every range the fields use.
    exponent = std::clamp(exponent, -400L, 400L);
    std::string digits = whole + fraction;
    long point = static_cast<long>(whole.size()) + exponent;
    if (point < 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    if (static_cast<size_t>(point) > digits.size()) digits.resize(static_cast<size_t>(point), '0');
    n.Whole = digits.substr(0, static_cast<size_t>(point));
    n.Fraction = digits.substr(static_cast<size_t>(point));
    Normalise(n);
    return n;
}

std::optional<std::int32_t> RoundToWhole(const DecimalNumber& number) {
    if (number.Whole.size() > 10) return std::nullopt;
    long long whole = number.Whole.empty() ? 0 : std::stoll(number.Whole);
    const std::string& f = number.Fraction;
    bool up = false;
    if (!f.empty()) {
        if (f[0] > '5' || (f[0] == '5' && f.size() > 1))
            up = true;
        else if (f[0] == '5')
            up = whole % 2 == 1; // a tie goes to the even neighbour
    }
    if (up) ++whole;
    if (number.Negative) whole = -whole;
    if (whole > INT32_MAX || whole < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::string FormatNumberPicture(const DecimalNumber& number, const std::string& picture,
                                const std::string& decimalSep, const std::string& thousandSep) {
    bool isZero = number.Whole.empty() && number.Fraction.empty();
    if (picture.empty()) {
        std::string out = number.Negative ? "-" : "";
        out += number.Whole.empty() ? "0" : number.Whole;
        if (!number.Fraction.empty()) out += decimalSep + number.Fraction;
        return out;
    }
    std::vector<std::string> sections = SplitSections(picture);
    DecimalNumber magnitude = number;
    magnitude.Negative = false;
    bool nonZero = false;
    if (isZero && sections.size() > 2 && !sections[2].empty())
        return FormatSection(magnitude, sections[2], decimalSep, thousandSep, nonZero);
    if (number.Negative && sections.size() > 1 && !sections[1].empty())
        return FormatSection(magnitude, sections[1], decimalSep, thousandSep, nonZero);
    std::string out = FormatSection(magnitude, sections[0], decimalSep, thousandSep, nonZero);
    // A negative number that rounds to nothing but zeros carries no sign.
    return number.Negative && nonZero ? "-" + out : out;
}

} // namespace z9
