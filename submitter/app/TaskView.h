#pragma once
// What the main window shows of a task, apart from the widgets that show it:
// which steps get a header, check states, and the checks and password switch
// Submit runs. The canvas scrolls by common/CanvasScroll.h.
#include "submitter/taskfile/TaskRecord.h"

namespace z9 {

// A step's EXECUTE as a number; 0 when it is not one.
int ExecuteNumber(const std::string& execute);

// Whether the step (0-based index) gets a header row.
bool NeedsHead(const TaskRecord& task, size_t step);

// The header's check state for an EXECUTE value: (EXECUTE and 3) - 1.
int HeaderCheck(const std::string& execute);
// EXECUTE after the user set the header to state s: s + 1, keeping the protection bit.
std::string ExecuteAfterCheck(const std::string& execute, int state);
// Whether a step's editors are shown: EXECUTE is not 2 and not protected.
bool EditorsShown(const std::string& execute);

// True when at least one step runs; otherwise reports why and returns false.
bool CheckStepsMarked(const TaskRecord& task);

// Password-type values (type 0 with a FORMAT): 'E' scrambles them, 'D' unscrambles them.
void SwitchPasswordValues(TaskRecord& task, char direction);

} // namespace z9
