#pragma once
// Environment fields without widgets: the check of one field and of all the
// task's fields, combo item lists (also read from a file), and the number
// reading and number pictures the checks use. Plain logic: no Qt here.
#include "submitter/taskfile/TaskRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace z9 {

// Field types: the first character of an environment record's TYPE.
enum FieldTypeCode : int {
    ftText = 0,
    ftNumber = 1,
    ftFile = 2,
    ftDate = 3,
    ftTime = 4,
    ftCheck = 5,
    ftCombo = 6,
    ftFolder = 7,
};

// The eleven texts a field editor gets from one record.
enum FieldDefIndex : int {
    fdPosition = 0,
    fdStep = 1,
    fdCaption = 2,
    fdVariable = 3,
    fdType = 4,
    fdValue = 5,
    fdHelp = 6,
    fdMin = 7,
    fdMax = 8,
    fdPercent = 9,
    fdFormat = 10,
};
using FieldDef = std::array<std::string, 11>;

// The definition of the record at `position` in the task's record list.
FieldDef MakeFieldDef(std::size_t position, const EnvironRecord& record);

// Checks one field and reports at most one message; true when it passes.
bool ValidateEnvField(const std::string& type, const std::string& variable, const std::string& value,
                      const std::string& min, const std::string& max, const std::string& format,
                      const std::string& percent);
// Checks every record of the open task in order and stops at the first failure.
bool ValidateAllEnvFields();

// The prefix of a combo list that names a file holding the list.
inline constexpr const char* kComboFromFile = "ComboFromFile/:";

// True when text begins with the prefix and names a file after it.
bool IsComboFromFile(const std::string& text);
// The item list a combo's MAX stands for: read from the file it names, or the
// text itself. A relative file name is looked for in the current folder, then
// in the folder of the open task file, so a list that travels beside its task
// is found wherever the program was started.
std::string ComboItems(const std::string& text);
// The folder of the open task file, with its trailing separator.
void SetComboListFolder(const std::string& folder);
// The lines of a combo list file joined with LF; empty text when the file is
// missing, unreadable, not a plain file, holds NUL bytes or exceeds 1 MiB.
std::string ReadComboFile(const std::string& path);
inline constexpr std::uintmax_t kComboFileLimit = 1048576;

// The items of a combo list: CR LF, lone CR and lone LF are each one break,
// and a break at the end adds no empty item (an empty list is one empty item).
std::vector<std::string> SplitComboList(const std::string& list);
// The value an item stands for: the text after the first occurrence of the
// separator (empty when it ends the item), or the whole item when the
// separator is empty or absent.
std::string ComboItemValue(const std::string& item, const std::string& separator);

// A whole number written as decimal digits with an optional sign and blanks
// around it; nothing when it is not one or lies outside 32 bits.
std::optional<std::int32_t> ToWholeNumber(const std::string& text);

// A decimal number as written, exactly: no binary rounding on the way.
struct DecimalNumber {
    bool Negative = false;
    std::string Whole;    // digits before the decimal point, no leading zeros
    std::string Fraction; // digits after it, no trailing zeros
};

// Reads text as a decimal number with the given decimal and thousands
// separators: blanks around it, an optional sign, digits grouped in threes by
// the thousands separator, a fraction and an exponent (E+3) are allowed.
std::optional<DecimalNumber> ParseDecimal(const std::string& text, const std::string& decimalSep,
                                          const std::string& thousandSep);
// The number rounded to a whole number, ties to the even one; nothing outside 32 bits.
std::optional<std::int32_t> RoundToWhole(const DecimalNumber& number);
// The number written with a picture: 0 (a digit always), # (a digit when
// needed), '.' (the decimal separator), ',' between digit places (thousands
// grouping), '%' (times 100), "quoted" and \escaped literals, up to three
// sections for positive;negative;zero. Rounds half away from zero.
std::string FormatNumberPicture(const DecimalNumber& number, const std::string& picture,
                                const std::string& decimalSep, const std::string& thousandSep);

} // namespace z9
