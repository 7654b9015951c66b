#pragma once
// The job queue on the submitter's side: where a server's queue lies, the
// request files dropped into it, the waits for the server's answers, the copy of
// the task's files and the queued task file.
#include <string>
#include <vector>

namespace z9 {

struct TaskRecord;
class ServerTask;

// ---- Files and lines of the queue ----

// One request line: every field between double quotes, one comma between
// fields, CR LF at the end. A double quote in a value is written as it is.
std::string QueueLine(const std::vector<std::string>& fields);

// The first field of a file the server wrote (QPath, a credential reply):
// leading blanks skipped; a quoted field runs to the next double quote (or the
// line end when there is none), otherwise to the first comma or line end, with
// trailing blanks removed.
std::string FirstField(const std::string& text);

// Reads the first field of the file at path. Throws RunTimeError when the file cannot be read.
std::string ReadFirstField(const std::string& path);

// Writes bytes to path so that nobody watching its folder ever sees the file
// half-written (SafeFile.h). Throws RunTimeError on failure and leaves nothing behind.
void WriteQueueFile(const std::string& path, const std::string& bytes);

// ---- Paths ----

// True when server names this computer (case ignored).
bool IsLocalServer(const std::string& server);

// \\<server>\$JQ\$InQ\ for a remote server, queueLocation + "$InQ\" for the local one.
std::string InQueuePath(const std::string& server, const std::string& queueLocation);
// The same with $JobR\.
std::string ReplyQueuePath(const std::string& server, const std::string& queueLocation);

// True when path's folder can be listed (a backslash is added when missing).
bool QueueFolderReachable(const std::string& path);

// The queue's root for the task: SERVERPATH for the local server, else \\SERVER\$JQ\.
std::string QueueRoot(const TaskRecord& task);
// The task's folder under the queue root, with a trailing backslash.
std::string TaskFolder(const TaskRecord& task);
// InQueuePath + computer-DOMAIN-USER-TASKNAME-n.z9f: where the queued task file goes.
std::string QueuedTaskPath(const TaskRecord& task, const std::string& computer, int n);

// ---- Operations (each reports its own failures through ReportError) ----

// The queue location for server (ending with a backslash as the server gives
// it), or empty after reporting. password is the enciphered task password.
std::string GetQueueLocation(const std::string& server, const std::string& password, const std::string& user);
// Connects \\server\$JQ with user and the plain password.
bool ConnectQueue(const std::string& server, const std::string& plainPassword, const std::string& user);
void DisconnectQueue(const std::string& server);

// Makes sure the task's folder exists on the server: asks for it when its
// control file is missing and waits up to 15 seconds for the server.
// serverObject is the submission's server object, or null.
bool PrepareTaskFolder(TaskRecord& task, ServerTask* serverObject);
// Asks the server for the task's three folder levels.
bool RequestTaskFolders(const TaskRecord& task, const std::string& queueRoot, ServerTask* serverObject);
// Copies the task's files and the files of selected file fields into the task's folder.
bool TransferTaskFiles(const TaskRecord& task);
// Rebuilds each step's ENVIRONMENT, stamps the submitter's identity and writes
// the task to path (in $InQ).
bool DropTask(TaskRecord& task, const std::string& path, ServerTask* serverObject);

// The ENVIRONMENT text of step s (1-based) as DropTask builds it.
std::string StepEnvironment(const TaskRecord& task, int s);
// Whole-number value of a text as the system reads numbers (leading blanks, sign, digits; 0 when none).
long long NumberValue(const std::string& text);

} // namespace z9
