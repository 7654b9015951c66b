#include "JobQueue.h"
#include "common/AnsiCase.h"
#include "common/AsciiText.h"

#include "Identity.h"
#include "NetworkShare.h"
#include "PasswordCipher.h"
#include "ServerTask.h"
#include "ShellCopy.h"

#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/FileSearch.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/PathParts.h"
#include "common/SafeFile.h"
#include "common/SystemErrorText.h"
#include "submitter/base/ReportError.h"
#include "submitter/taskfile/TaskFile.h"
#include "submitter/taskfile/TaskRecord.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>

namespace z9 {
namespace {

const char* const kShare = "$JQ";
const char* const kControlFile = "Zorvan.ctf";

std::string ShareRoot(const std::string& server) {
    return "\\\\" + server + "\\" + kShare + "\\";
}

[[noreturn]] void ThrowErrno(int err) {
    throw RunTimeError(ErrnoText(err));
}

bool StepSelected(const TaskRecord& task, const std::string& stepText) {
    long long step = NumberValue(stepText);
    // A record naming a step the task does not have belongs to no selected step.
    if (step < 1 || step > static_cast<long long>(task.Steps.size())) return false;
    return (NumberValue(task.Steps[static_cast<size_t>(step - 1)].Execute) & 1) != 0;
}

} // namespace

// ---- Files and lines ----

std::string QueueLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) line += ',';
        line += '"';
        line += fields[i];
        line += '"';
    }
    return line + "\r\n";
}

std::string FirstField(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == '"') {
        size_t end = text.find('"', i + 1);
        if (end == std::string::npos) end = text.find_first_of("\r\n", i + 1);
        if (end == std::string::npos) end = text.size();
        return text.substr(i + 1, end - i - 1);
    }
    size_t end = text.find_first_of(",\r\n", i);
    if (end == std::string::npos) end = text.size();
    while (end > i && IsBlank(text[end - 1]))
        --end;
    return text.substr(i, end - i);
}

std::string ReadFirstField(const std::string& path) {
    errno = 0;
    std::ifstream in(HostFileName(path), std::ios::binary);
    if (!in) ThrowErrno(errno ? errno : ENOENT);
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) ThrowErrno(errno ? errno : EIO);
    return FirstField(all.str());
}

void WriteQueueFile(const std::string& path, const std::string& bytes) {
    std::string why;
    if (!WriteFileSafely(HostFileName(path), bytes, {}, nullptr, &why)) throw RunTimeError(why);
}

// ---- Paths ----

bool IsLocalServer(const std::string& server) {
    return LowerAnsi(server) == LowerAnsi(ComputerName());
}

std::string InQueuePath(const std::string& server, const std::string& queueLocation) {
    return IsLocalServer(server) ? queueLocation + "$InQ\\" : ShareRoot(server) + "$InQ\\";
}

std::string ReplyQueuePath(const std::string& server, const std::string& queueLocation) {
    return IsLocalServer(server) ? queueLocation + "$JobR\\" : ShareRoot(server) + "$JobR\\";
}

bool QueueFolderReachable(const std::string& path) {
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return !FindFileName(folder + "*.*").empty();
}

std::string QueueRoot(const TaskRecord& task) {
    return IsLocalServer(task.Server) ? task.ServerPath : ShareRoot(task.Server);
}

std::string TaskFolder(const TaskRecord& task) {
    return QueueRoot(task) + task.Domain + "\\" + task.User + "\\" + task.TaskName + "\\";
}

std::string QueuedTaskPath(const TaskRecord& task, const std::string& computer, int n) {
    return InQueuePath(task.Server, task.ServerPath) + computer + "-" + task.Domain + "-" + task.User + "-" +
           task.TaskName + "-" + std::to_string(n) + ".z9f";
}

long long NumberValue(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < 100000000000000000LL) value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

// ---- Operations ----

bool ConnectQueue(const std::string& server, const std::string& plainPassword, const std::string& user) {
    long code;
    {
        BusyCursor busy;
        code = AddShareConnection("\\\\" + server + "\\" + kShare, user, plainPassword);
    }
    if (code != 0) {
        ReportError(SystemErrorText(code), vbExclamation);
        return false;
    }
    return true;
}

void DisconnectQueue(const std::string& server) {
    CancelShareConnection("\\\\" + server + "\\" + kShare);
}

std::string GetQueueLocation(const std::string& server, const std::string& password,
                             const std::string& user) {
    std::string location;
    std::string description;
    std::optional<BusyCursor> busy(std::in_place);
    try {
        if (std::unique_ptr<ServerTask> object = CreateServerTask(server)) {
            location = object->QueueLocation();
        } else {
            std::string jobQ = ShareRoot(server) + "$JobQ\\";
            if (!QueueFolderReachable(jobQ) && !ConnectQueue(server, PasswordCipher(password, "D"), user))
                return {};
            location = ReadFirstField(jobQ + "QPath");
        }
    } catch (const std::exception& e) {
        location.clear();
        description = e.what();
    }
    busy.reset();
    if (location.empty())
        ReportError("Server Connection Failed Or Zorvan Server Is Not Configured!\n\n" + description,
                    vbExclamation);
    return location;
}

bool RequestTaskFolders(const TaskRecord& task, const std::string& queueRoot, ServerTask* serverObject) {
    try {
        std::string root = queueRoot;
        if (root.empty() || root.back() != '\\') root += '\\';
        std::string request =
            root + "$InQ\\Dir-" + task.TaskName + "-" + task.User + "-" + task.Domain + ".urf";
        std::string path1 = task.ServerPath + task.Domain;
        std::string path2 = path1 + "\\" + task.User;
        std::string path3 = path2 + "\\" + task.TaskName;
        if (serverObject) {
            bool made = serverObject->MkP8Dir(task.User, task.Domain, path1, "1");
            if (made) made = serverObject->MkP8Dir(task.User, task.Domain, path2, "2");
            if (made) made = serverObject->MkP8Dir(task.User, task.Domain, path3, "3");
            return made;
        }
        WriteQueueFile(request, QueueLine({"DIRECTORY", task.User, task.Domain, path1, "1"}) +
                                    QueueLine({"DIRECTORY", task.User, task.Domain, path2, "2"}) +
                                    QueueLine({"DIRECTORY", task.User, task.Domain, path3, "3"}));
        return true;
    } catch (const std::exception& e) {
        ReportError(std::string("Unable to connect to Zorvan Server.\n\n") + e.what(), vbExclamation);
        return false;
    }
}

bool PrepareTaskFolder(TaskRecord& task, ServerTask* serverObject) {
    try {
        std::string root = QueueRoot(task);
        std::string control =
            root + task.Domain + "\\" + task.User + "\\" + task.TaskName + "\\" + kControlFile;
        if (!FindFileName(control).empty()) return true;
        if (!RequestTaskFolders(task, root, serverObject)) return false;
        if (serverObject) return true;
        // The server makes the folders in its own time; Zorvan.ctf says they are ready.
        for (int attempt = 0; attempt < 15; ++attempt) {
            Clock::Sleep(1000);
            if (!FindFileName(control).empty()) return true;
        }
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool TransferTaskFiles(const TaskRecord& task) {
    std::optional<BusyCursor> busy(std::in_place);
    try {
        if (task.TaskFiles.empty() && task.Environs.empty()) return true;
        std::vector<std::string> copy;
        std::string missing;
        auto take = [&](const std::string& path) {
            if (IsExistingFile(path))
                copy.push_back(path);
            else
                missing += "\r\n" + path;
        };
        for (const auto& file : task.TaskFiles)
            if (file.Copy == "1") take(file.LocalPath);
        for (const auto& env : task.Environs)
            if (env.Format == "True" && !env.Type.empty() && StepSelected(task, env.Step) &&
                env.Type[0] == '2')
                take(env.Value);
        if (!missing.empty()) {
            busy.reset();
            ReportError("Error: Following files do not exist:" + missing, vbExclamation);
            return false;
        }
        if (copy.empty()) return true;
        int result = ShellCopyFiles(MakeCopyList(copy), TaskFolder(task),
                                    SubmitMode() ? kCopyFlagsSubmitMode : kCopyFlagsInteractive);
        return result == 0 || result == 7;
    } catch (const std::exception&) {
        return false;
    }
}

std::string StepEnvironment(const TaskRecord& task, int s) {
    std::string environment;
    for (const auto& env : task.Environs) {
        if (NumberValue(env.Step) != s) continue;
        char type = env.Type.empty() ? '\0' : env.Type[0];
        std::string value = env.Value;
        if (type == '2' && env.Format == "True")
            value = task.ServerPath + task.Domain + "\\" + task.User + "\\" + task.TaskName + "\\" +
                    FileNamePart(env.Value);
        environment += '\x02';
        environment += type == '0' && !env.Format.empty() ? "SETP " : "SET ";
        environment += env.Variable + "=" + value;
    }
    return environment;
}

bool DropTask(TaskRecord& task, const std::string& path, ServerTask* serverObject) {
    try {
        for (size_t i = 0; i < task.Steps.size(); ++i)
            task.Steps[i].Environment = StepEnvironment(task, static_cast<int>(i) + 1);
        FillSubmitterIdentity(task);
        // Routed through ReportError so that in submit mode it reaches the log, not a box.
        if (!SaveTask(path, task, true)) {
            ReportError(LastTaskError(), vbCritical);
            return false;
        }
        if (serverObject) return serverObject->SubmitTask(FileNamePart(path));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace z9
