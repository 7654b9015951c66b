#pragma once
// Opening the task named on the command line, up to the point where the main
// window builds its rows: load, recent files, account, missing task files,
// password values and the command-line assignments.
#include "submitter/taskfile/TaskRecord.h"

#include <string>
#include <vector>

namespace z9 {

struct OpenedTask {
    std::string path;        // as named, quotes removed
    bool scheduling = false; // RESERVED1 begins with '1'
};

// Loads parts[0] into Task() and applies parts[1..]. False after a report
// (load error, rejected assignment); the program then ends.
bool PrepareTask(const std::vector<std::string>& parts, OpenedTask& opened);

// Records the task among the recent files when the workstation product is installed.
void RecordRecentFile(const std::string& taskPath);

// Account of the task after loading: the password's hexadecimal layer removed,
// domain and user upper-cased, $LOCALUSER$/$LOCALS$ resolved to this computer.
void ResolveAccount(TaskRecord& task, const std::string& computerName);

// Task files that do not exist are looked for beside the task file; each path
// is rewritten to that folder. Returns the names of those still missing.
std::vector<std::string> RedirectMissingTaskFiles(TaskRecord& task, const std::string& taskPath);

// The report on files still missing.
std::string MissingFilesMessage(const std::vector<std::string>& names);

} // namespace z9
