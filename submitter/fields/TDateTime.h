#pragma once
// Date and time masks of date and time fields: checking a mask such as
// DD.MM.YYYY or HH:MM, checking a value written in it, and reading the value
// as a date or a time of day. Plain logic: no Qt here.
#include "submitter/fields/P8DTLogic.h"

#include <string>
#include <vector>

namespace z9 {

// The value a check delivers: a date at midnight, or a time of day on the zero date.
using DateTimeValue = DateTime;

// Result texts of a check besides the mask errors.
inline constexpr const char* kCheckNotAccepted = "0"; // valid mask; value empty or not acceptable
inline constexpr const char* kCheckCompleted = "1";   // acceptable once missing parts were filled in
inline constexpr const char* kCheckExact = "2";       // acceptable as written

// One check at a time: the upper-case mask, its runs and the normalised text
// ("yyyy-mm-dd" for dates, "hh:mm:ss" for times) stay readable after a check.
class TDateTime {
public:
    // The result is "0", "1", "2" or the reason the mask is invalid. `date` is
    // the zero date unless the result is "1" or "2"; a time of day comes on the
    // zero date.
    std::string CheckDate(const std::string& value, const std::string& mask, DateTimeValue& date);
    std::string CheckTime(const std::string& value, const std::string& mask, DateTimeValue& time);

    // Copies one delimited part of a value into the normalised text as the mask
    // run at 0-based position `run` says; false when the part does not fit it.
    bool PlaceDatePart(const std::string& part, int run);
    bool PlaceTimePart(const std::string& part, int run);

    const std::string& Mask() const { return mask_; }
    const std::vector<std::string>& Runs() const { return runs_; }
    const std::string& Normalised() const { return text_; }

private:
    struct Shape;
    std::string Check(bool date, const std::string& value, const std::string& mask, DateTimeValue& out);
    // The steps of a check: the mask cut into runs and judged (the reason it is
    // invalid, or nullptr), the value's parts placed into the normalised text,
    // and that text read as a date or a time of day.
    const char* ReadMask(bool date, const std::string& mask, Shape& shape);
    bool PlaceValue(bool date, const std::string& value, const Shape& shape);
    std::string Evaluate(bool date, DateTimeValue& out) const;
    bool PlacePart(bool date, const std::string& part, int run);

    enum class Checked { Nothing, Date, Time };
    Checked checked_ = Checked::Nothing;
    std::string mask_;
    std::vector<std::string> runs_;
    std::string text_;
};

// A check on a fresh module state.
std::string CheckDate(const std::string& value, const std::string& mask, DateTimeValue& date);
std::string CheckTime(const std::string& value, const std::string& mask, DateTimeValue& time);

} // namespace z9
