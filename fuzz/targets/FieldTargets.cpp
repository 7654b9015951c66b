// The submitter's command line, date and time masks, number pictures, field
// validation and combo lists.
#include "fuzz/FuzzTarget.h"

#include "common/AsciiText.h"
#include "common/Program.h"
#include "submitter/app/Assignments.h"
#include "submitter/app/CommandLine.h"
#include "submitter/base/ReportError.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/fields/TDateTime.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace z9::fuzz {
namespace {

// A task with a step of every EXECUTE value and a field of every kind.
TaskRecord AssignmentTask() {
    TaskRecord task;
    for (int execute = 1; execute <= 7; ++execute) {
        StepRecord step;
        step.Execute = std::to_string(execute);
        task.Steps.push_back(step);
    }
    auto add = [&](const char* step, const char* variable, const char* type, const char* value,
                   const char* min, const char* max, const char* format) {
        EnvironRecord r;
        r.Step = step;
        r.Variable = variable;
        r.Type = type;
        r.Value = value;
        r.Min = min;
        r.Max = max;
        r.Format = format;
        task.Environs.push_back(r);
    };
    add("1", "OUT", "0", "C:\\Out", "", "", "");
    add("1", "OUT", "1", "5", "1", "10", "");
    add("1", "DEBUG", "5", "NO", "NO", "YES", "False");
    add("2", "LIST", "6", "b", "1", "Daily run|D\r\nb|B\rc|\nlast", "|");
    add("3", "A-B", "3", "01.01.2024", "", "", "DD.MM.YYYY");
    add("5", "LOCKED", "0", "x", "", "", "");
    add("9", "NOSTEP", "0", "x", "", "", "");
    task.NumberSteps = std::to_string(task.Steps.size());
    task.NumberTaskFiles = "0";
    task.NumberEnviron = std::to_string(task.Environs.size());
    return task;
}

// The record with only what an assignment may change emptied.
EnvironRecord Fixed(EnvironRecord r) {
    r.Value.clear();
    r.Min.clear();
    r.Format.clear();
    return r;
}

bool IsMaskError(const std::string& result) {
    static const std::set<std::string> errors = {
        "Wrong Mask Letter",
        "Mask Too Long",
        "Invalid Number of Parameters",
        "Invalid Mask",
        "Repeated Day, Month or Year",
        "Repeated Hour, Month or Second",
        "To Much Delimiters",
        "Repeat Delimiter",
        "Invalid Length Day <> Month",
        "1st Delimiter is on Wrong Place",
        "2nd Delimiter is on Wrong Place",
        "No Delimiter",
    };
    return errors.count(result) != 0;
}

std::string TwoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n % 100);
    return buf;
}

// The value written in the mask's own runs: what the mask shows for the value.
std::string WriteInMask(const std::vector<std::string>& runs, const DateTimeValue& v, bool date) {
    std::string out;
    for (const std::string& run : runs) {
        const char c = run[0];
        if (date && c == 'D')
            out += run.size() == 1 ? std::to_string(v.Day) : TwoDigits(v.Day);
        else if (date && c == 'M')
            out += run.size() == 1 ? std::to_string(v.Month) : TwoDigits(v.Month);
        else if (c == 'Y')
            out += run.size() == 2 ? TwoDigits(v.Year) : TwoDigits(v.Year / 100) + TwoDigits(v.Year);
        else if (c == 'H')
            out += run.size() == 1 ? std::to_string(v.Hour) : TwoDigits(v.Hour);
        else if (!date && c == 'M')
            out += run.size() == 1 ? std::to_string(v.Minute) : TwoDigits(v.Minute);
        else if (c == 'S')
            out += run.size() == 1 ? std::to_string(v.Second) : TwoDigits(v.Second);
        else
            out += run;
    }
    return out;
}

void CheckOneMask(bool date, const std::string& value, const std::string& mask) {
    TDateTime check;
    DateTimeValue out{2001, 2, 3, 4, 5, 6};
    const std::string result = date ? check.CheckDate(value, mask, out) : check.CheckTime(value, mask, out);
    const bool accepted = result == kCheckCompleted || result == kCheckExact;
    Z9_FUZZ_CHECK(accepted || result == kCheckNotAccepted || IsMaskError(result));
    if (!accepted) {
        Z9_FUZZ_CHECK(out == kZeroDate);
    } else if (date) {
        Z9_FUZZ_CHECK(IsValidDate(out.Year, out.Month, out.Day));
        Z9_FUZZ_CHECK(out.Year >= 2000 || out.Year > 99); // a year of two digits lies in 2000..2099
        Z9_FUZZ_CHECK(out.Hour == 0 && out.Minute == 0 && out.Second == 0);
    } else {
        Z9_FUZZ_CHECK(IsValidTime(out.Hour, out.Minute, out.Second));
        Z9_FUZZ_CHECK(out.Year == kZeroDate.Year && out.Month == kZeroDate.Month && out.Day == kZeroDate.Day);
    }

    // Whether the mask is valid does not depend on the value (unless the value
    // is too long to be looked at).
    TDateTime maskOnly;
    DateTimeValue ignored;
    const std::string maskResult =
        date ? maskOnly.CheckDate("", mask, ignored) : maskOnly.CheckTime("", mask, ignored);
    Z9_FUZZ_CHECK(maskResult == kCheckNotAccepted || IsMaskError(maskResult));
    if (value.size() <= (date ? 10u : 8u)) {
        if (IsMaskError(maskResult))
            Z9_FUZZ_EQ(result, maskResult);
        else
            Z9_FUZZ_CHECK(!IsMaskError(result));
    }

    // A value the mask takes as written reads the same when written in the mask.
    if (result == kCheckExact) {
        const std::string written = WriteInMask(check.Runs(), out, date);
        TDateTime again;
        DateTimeValue back;
        const std::string r =
            date ? again.CheckDate(written, mask, back) : again.CheckTime(written, mask, back);
        if (written.size() <= (date ? 10u : 8u)) {
            Z9_FUZZ_EQ(r, kCheckExact);
            Z9_FUZZ_CHECK(back == out);
        }
    }
}

std::string Normalised(std::string list) {
    std::string out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == '\r' && i + 1 < list.size() && list[i + 1] == '\n') continue;
        out += list[i] == '\r' ? '\n' : list[i];
    }
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

std::string Joined(const std::vector<std::string>& items, const std::string& with) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? with : "") + items[i];
    return out;
}

// Up to 15 significant digits and well inside 32 bits: a long double holds it exactly enough.
bool SmallNumber(const DecimalNumber& n) {
    std::string digits = n.Whole + n.Fraction;
    std::size_t first = digits.find_first_not_of('0');
    std::size_t significant = first == std::string::npos ? 0 : digits.size() - first;
    return significant <= 15 && n.Whole.size() <= 9;
}

bool PlainPicture(const std::string& picture) {
    if (picture.empty() || picture.find_first_of("0#") == std::string::npos) return false;
    if (std::count(picture.begin(), picture.end(), '.') > 1) return false;
    return picture.find_first_not_of("0#.,") == std::string::npos;
}

} // namespace

// The argument string, the file name and the assignments applied to a task.
void CommandLine(std::string_view input) {
    const std::string line(input);
    const z9::CommandLine cmd = ParseCommandLine(line);
    const std::string asked = Trim(line);
    Z9_FUZZ_EQ(cmd.help, asked == "/?" || asked == "--help" || asked == "-h"); // the last two for Linux users
    if (cmd.help) return;
    if (cmd.submitMode) Z9_FUZZ_CHECK(FindNoCase(line, "/s") != std::string::npos);
    if (!cmd.HasFileName()) return;

    // The parts are the trimmed line cut at its separators, with nothing lost but the switch.
    const std::string rest = UpperAscii(Joined(cmd.parts, " Z9ENVVAR:"));
    const std::string whole = UpperAscii(Trim(line));
    if (cmd.submitMode)
        Z9_FUZZ_EQ(static_cast<long long>(whole.size()), static_cast<long long>(rest.size() + 3));
    else
        Z9_FUZZ_EQ(rest, whole);
    for (std::size_t i = 1; i < cmd.parts.size(); ++i)
        Z9_FUZZ_CHECK(FindNoCase(cmd.parts[i], " Z9EnvVar:") == std::string::npos);
    const std::string name = StripQuotes(cmd.parts[0]);
    Z9_FUZZ_CHECK(name.size() + 2 >= cmd.parts[0].size() && name.size() <= cmd.parts[0].size());

    const TaskRecord before = AssignmentTask();
    TaskRecord task = before;
    SetSubmitMode(false);
    MessageCounter messages;
    const bool ok = ApplyAssignments(task, cmd.parts);
    if (ok)
        Z9_FUZZ_EQ(messages.Count(), 0);
    else
        Z9_FUZZ_CHECK(messages.Count() == 1 || messages.Count() == 2);
    // Only values, combo indexes and check states change.
    Z9_FUZZ_CHECK(task.Steps == before.Steps && task.Environs.size() == before.Environs.size());
    for (std::size_t i = 0; i < task.Environs.size(); ++i) {
        Z9_FUZZ_CHECK(Fixed(task.Environs[i]) == Fixed(before.Environs[i]));
        if (before.Environs[i].Step != "1" && before.Environs[i].Step != "2" &&
            before.Environs[i].Step != "3")
            Z9_FUZZ_CHECK(task.Environs[i] == before.Environs[i]); // protected or missing step
    }
}

// Date masks and time masks, each with the value: value LF mask.
void DateTime(std::string_view input) {
    const auto parts = Split(input, '\n', 2);
    CheckOneMask(true, parts[0], parts[1]);
    CheckOneMask(false, parts[0], parts[1]);
}

// Numbers and number pictures: picture LF number.
void Number(std::string_view input) {
    const auto parts = Split(input, '\n', 2);
    const std::string& picture = parts[0];
    for (const auto& [point, group] : {std::pair<std::string, std::string>{".", ","}, {",", "."}}) {
        const std::optional<DecimalNumber> n = ParseDecimal(parts[1], point, group);
        if (!n) continue;
        Z9_FUZZ_CHECK(n->Whole.empty() || n->Whole[0] != '0');
        Z9_FUZZ_CHECK(n->Fraction.empty() || n->Fraction.back() != '0');

        // Rounding agrees with the machine's own rounding where that is exact.
        const std::optional<std::int32_t> whole = RoundToWhole(*n);
        if (SmallNumber(*n)) {
            std::string text = (n->Negative ? "-" : "") + (n->Whole.empty() ? "0" : n->Whole) + "." +
                               (n->Fraction.empty() ? "0" : n->Fraction);
            long double value = std::strtold(text.c_str(), nullptr);
            long double expected = std::nearbyintl(value); // ties to even
            Z9_FUZZ_CHECK(whole.has_value());
            Z9_FUZZ_EQ(static_cast<long long>(*whole), static_cast<long long>(expected));
        }

        const std::string written = FormatNumberPicture(*n, picture, point, group);
        // A number written with a plain picture reads back to a number that the
        // picture writes the same way: what number fields rely on.
        if (PlainPicture(picture) && written.find_first_of("0123456789") != std::string::npos) {
            const std::optional<DecimalNumber> back = ParseDecimal(written, point, group);
            Z9_FUZZ_CHECK(back.has_value());
            Z9_FUZZ_EQ(FormatNumberPicture(*back, picture, point, group), written);
        }
    }
}

// One field's check: TYPE, VARIABLE, VALUE, MIN, MAX, FORMAT, PERCENT, each
// ended by a NUL byte. It passes, or reports exactly one message.
void Validate(std::string_view input) {
    ScratchFolder(); // a combo list file named by the input is looked for here
    const auto f = Split(input, '\0', 7);
    SetSubmitMode(false);
    MessageCounter messages;
    const bool ok = ValidateEnvField(f[0], f[1], f[2], f[3], f[4], f[5], f[6]);
    Z9_FUZZ_EQ(messages.Count(), ok ? 0 : 1);
}

// A combo list file holding the input, and the input as a list in MAX.
void Combo(std::string_view input) {
    const std::string path = ScratchFolder() + "/list.txt";
    WriteWholeFile(path, input);
    const std::string text(input);
    // The file's lines (each ended by CR LF or LF) joined with LF.
    std::string expected;
    if (text.find('\0') == std::string::npos && text.size() <= kComboFileLimit) {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) expected += text[i];
        if (!expected.empty() && expected.back() == '\n') expected.pop_back();
    }
    Z9_FUZZ_EQ(ComboItems(std::string(kComboFromFile) + path), expected);

    // Items: CR LF, CR and LF each break once; no empty item after a final break.
    const std::vector<std::string> items = SplitComboList(text);
    Z9_FUZZ_CHECK(!items.empty());
    Z9_FUZZ_EQ(Joined(items, "\n"), Normalised(text));
    for (const std::string& item : items) {
        Z9_FUZZ_CHECK(item.find_first_of("\r\n") == std::string::npos);
        const std::string value = ComboItemValue(item, "|");
        Z9_FUZZ_CHECK(value.size() <= item.size() &&
                      item.compare(item.size() - value.size(), value.size(), value) == 0);
    }
}

} // namespace z9::fuzz
