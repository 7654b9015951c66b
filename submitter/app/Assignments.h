#pragma once
// Command-line assignments (Z9EnvVar: StepNumber-VariableName=String) applied
// to the loaded task's environment records.
#include "submitter/taskfile/TaskRecord.h"

#include <string>
#include <vector>

namespace z9 {

// Applies parts[first..] in order and stops at the first rejected one, which
// it reports (style 48) before returning false.
bool ApplyAssignments(TaskRecord& task, const std::vector<std::string>& parts, size_t first = 1);

} // namespace z9
