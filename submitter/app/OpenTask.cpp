#include "submitter/app/OpenTask.h"
#include "common/AnsiCase.h"

#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/FileSearch.h"
#include "common/HostPath.h"
#include "common/HostText.h"
#include "common/PathParts.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "submitter/app/Assignments.h"
#include "submitter/app/CommandLine.h"
#include "submitter/app/TaskView.h"
#include "submitter/base/ReportError.h"
#include "submitter/base/SubmitterKeys.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/submission/Identity.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace z9 {

namespace {

// The file search the transfer makes: a wildcard path is there when it matches something.
bool FileFound(const std::string& path) {
    return !FindFileName(path).empty();
}

} // namespace

void RecordRecentFile(const std::string& taskPath) {
    if (!KeyExists(kWorkstationKey)) return;
    const std::string recent = std::string(kWorkstationKey) + "\\Recent";
    if (!KeyExists(recent)) CreateKey(recent);
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(HostFileName(taskPath), ec);
    SetStringValue(RegRoot::CurrentUser, "Software\\" + recent, ec ? taskPath : FromHostText(full.string()),
                   DateTimeText(LocalDateTime(Clock::Now())));
}

void ResolveAccount(TaskRecord& task, const std::string& computerName) {
    task.Password = HexDecode(task.Password);
    task.Domain = UpperAnsi(task.Domain);
    task.User = UpperAnsi(task.User);
    if (task.User == "$LOCALUSER$" && task.Domain == "$LOCALS$")
        task.Server = UpperAnsi(computerName);
    else
        task.Server = UpperAnsi(task.Server);
}

std::vector<std::string> RedirectMissingTaskFiles(TaskRecord& task, const std::string& taskPath) {
    const std::string folder = FolderPart(taskPath);
    std::vector<std::string> missing;
    for (TaskFileRecord& file : task.TaskFiles) {
        if (FileFound(file.LocalPath)) continue;
        const std::string name = FileNamePart(file.LocalPath);
        file.LocalPath = folder + name;
        if (!FileFound(file.LocalPath)) missing.push_back(name);
    }
    return missing;
}

std::string MissingFilesMessage(const std::vector<std::string>& names) {
    std::string text = "The Following Files Don't Exist And Were Removed From Task Files: \n\n";
    for (const std::string& name : names)
        text += "     " + name + "\n";
    return text;
}

bool PrepareTask(const std::vector<std::string>& parts, OpenedTask& opened) {
    opened.path = StripQuotes(parts.empty() ? std::string() : parts[0]);
    TaskRecord& task = Task();
    if (!LoadTask(opened.path, task, true)) {
        ReportError(LastTaskError(), 16);
        return false;
    }
    RecordRecentFile(opened.path);
    SetComboListFolder(FolderPart(opened.path));
    ResolveAccount(task, ComputerName());

    std::vector<std::string> missing = RedirectMissingTaskFiles(task, opened.path);
    if (!missing.empty() && !SubmitMode()) ReportError(MissingFilesMessage(missing), 48);

    opened.scheduling = !task.Reserved1.empty() && task.Reserved1[0] == '1';
    SwitchPasswordValues(task, 'D');
    return ApplyAssignments(task, parts, 1);
}

} // namespace z9
