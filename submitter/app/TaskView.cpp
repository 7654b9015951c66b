#include "submitter/app/TaskView.h"

#include "submitter/base/ReportError.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/taskfile/Container.h"

namespace z9 {

int ExecuteNumber(const std::string& execute) {
    return ToWholeNumber(execute).value_or(0);
}

bool NeedsHead(const TaskRecord& task, size_t step) {
    int execute = ExecuteNumber(task.Steps[step].Execute);
    if (execute == 4 || execute == 7) return false;
    if (!task.Steps[step].StepName.empty()) return true;
    if (execute != 3) return true;
    const int number = static_cast<int>(step) + 1;
    for (const EnvironRecord& r : task.Environs) {
        std::optional<std::int32_t> s = ToWholeNumber(r.Step);
        if (s && *s == number) return true;
    }
    return false;
}

int HeaderCheck(const std::string& execute) {
    return (ExecuteNumber(execute) & 3) - 1;
}

std::string ExecuteAfterCheck(const std::string& execute, int state) {
    return std::to_string(state + 1 + (ExecuteNumber(execute) & 4));
}

bool EditorsShown(const std::string& execute) {
    int n = ExecuteNumber(execute);
    return n != 2 && (n & 4) == 0;
}

bool CheckStepsMarked(const TaskRecord& task) {
    for (const StepRecord& step : task.Steps)
        if (ExecuteNumber(step.Execute) & 1) return true;
    ReportError("There are no steps to execute.\n\nPlease mark at least one step to execute.", 48);
    return false;
}

void SwitchPasswordValues(TaskRecord& task, char direction) {
    for (EnvironRecord& r : task.Environs) {
        if (r.Type.empty() || r.Type[0] != '0' || r.Format.empty()) continue;
        r.Value = direction == 'E' ? ScrambleValue(r.Value) : UnscrambleValue(r.Value);
    }
}

} // namespace z9
