#include "submitter/app/Assignments.h"
#include "common/AnsiCase.h"
#include "common/AsciiText.h"

#include "submitter/app/CommandLine.h"
#include "submitter/app/TaskView.h"
#include "submitter/base/ReportError.h"
#include "submitter/fields/MVexTask.h"

#include <algorithm>
#include <cctype>

namespace z9 {

namespace {

const char* const kInvalid = "Error in Command Line: Passed environment variables are invalid.";

void RejectName(const std::string& name) {
    ReportError("Environment variable '" + name + "' does not exist or is protected.", 48);
    ReportError(kInvalid, 48);
}

// Applies one trimmed element; false after its reports.
bool ApplyOne(TaskRecord& task, const std::string& element) {
    size_t eq = element.find('=');
    if (eq == std::string::npos) {
        ReportError(kInvalid, 48);
        return false;
    }
    std::string variablePart = element.substr(0, eq);
    std::string value = element.substr(eq + 1);
    size_t dash = variablePart.find('-');
    std::optional<std::int32_t> step =
        dash == std::string::npos ? std::nullopt : ToWholeNumber(variablePart.substr(0, dash));
    if (!step) {
        ReportError(kInvalid, 48);
        return false;
    }
    std::string name = variablePart.substr(dash + 1);

    auto record = std::find_if(task.Environs.begin(), task.Environs.end(), [&](const EnvironRecord& r) {
        std::optional<std::int32_t> recordStep = ToWholeNumber(r.Step);
        return r.Variable == name && recordStep && *recordStep == *step;
    });
    // A record that names a step the task does not have cannot be set either.
    if (record == task.Environs.end() || *step < 1 || static_cast<size_t>(*step) > task.Steps.size() ||
        (ExecuteNumber(task.Steps[*step - 1].Execute) & 4) != 0) {
        RejectName(name);
        return false;
    }

    char type = record->Type.empty() ? '\0' : record->Type[0];
    if (type == '5') {
        bool checked = LowerAnsi(value) == "checked";
        record->Format = checked ? "True" : "False";
        record->Value = checked ? record->Max : record->Min;
    } else if (type == '6') {
        std::vector<std::string> items = SplitComboList(ComboItems(record->Max));
        std::optional<std::int32_t> index = ToWholeNumber(value);
        if (!index) {
            ReportError(kInvalid, 48);
            return false;
        }
        record->Min = std::to_string(*index);
        if (*index < 0 || static_cast<size_t>(*index) >= items.size()) {
            RejectName(name);
            return false;
        }
        record->Value = ComboItemValue(items[*index], record->Format);
    } else {
        record->Value = value;
    }
    return true;
}

} // namespace

bool ApplyAssignments(TaskRecord& task, const std::vector<std::string>& parts, size_t first) {
    for (size_t i = first; i < parts.size(); ++i)
        if (!ApplyOne(task, Trim(parts[i]))) return false;
    return true;
}

} // namespace z9
