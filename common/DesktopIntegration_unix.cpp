// Registering our file types with the Linux desktop.
#include "Clock.h"
#include "DesktopDatabase.h"
#include "DesktopIntegration.h"
#include "PlainFile.h"
#include "SafeFile.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace z9 {
namespace {

// The file's bytes; empty when it cannot be read. The desktop's lists and
// entries are small: a larger file is not ours.
std::string ReadAll(const std::string& path) {
    std::string bytes;
    ReadPlainFile(path, 16 << 20, bytes);
    return bytes;
}

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        ::mkdir(path.substr(0, at).c_str(), 0755);
        if (at == std::string::npos) return;
    }
}

// Writes text to path unless the file already holds it. True when written.
bool WriteIfChanged(const std::string& folder, const std::string& name, const std::string& text) {
    const std::string path = folder + "/" + name;
    if (ReadAll(path) == text) return false;
    MakeFolders(folder);
    SafeFile file(path);
    return file.Open() && file.Write(text) && file.Commit();
}

// mimeapps.list with the type's line of [Default Applications] set to id; the
// rest of the file as it was.
std::string WithDefault(const std::string& list, const std::string& mimeType, const std::string& id) {
    std::vector<std::string> lines;
    std::istringstream in(list);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::string entry = mimeType + "=" + id;
    size_t header = 0;
    while (header < lines.size() && lines[header].rfind("[Default Applications]", 0) != 0)
        ++header;
    if (header == lines.size()) {
        if (!lines.empty() && !lines.back().empty()) lines.push_back("");
        lines.push_back("[Default Applications]");
        lines.push_back(entry);
    } else {
        size_t at = header + 1;
        while (at < lines.size() && lines[at].rfind("[", 0) != 0 && lines[at].rfind(mimeType + "=", 0) != 0)
            ++at;
        if (at < lines.size() && lines[at].rfind(mimeType + "=", 0) == 0)
            lines[at] = entry;
        else
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(header + 1), entry);
    }
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    return out;
}

// Runs one of the desktop's tools on folder when it is installed, waiting for
// it a bounded time (it has never been seen to take long).
void RunTool(const char* tool, const std::string& folder) {
    const std::string path = FindOnPath(tool);
    if (path.empty()) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(path.c_str()), const_cast<char*>(folder.c_str()), nullptr};
    pid_t pid = 0;
    int error = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return;
    for (int waited = 0; waited < 10000; waited += 10) {
        int status = 0;
        pid_t got = ::waitpid(pid, &status, WNOHANG);
        if (got == pid || (got < 0 && errno != EINTR)) return;
        Clock::Sleep(10);
    }
}

} // namespace

bool RegisterDesktopFileType(const DesktopFileType& type, bool takeOpen) {
    const std::string mime = DesktopDataHome() + "/mime";
    const std::string applications = DesktopDataHome() + "/applications";
    bool changedType = WriteIfChanged(mime + "/packages", MimePackageName(type), MimePackageText(type));
    bool changedEntry = WriteIfChanged(applications, DesktopEntryId(type), DesktopEntryText(type));
    bool changedDefault = false;
    if (takeOpen) {
        const std::string config = DesktopConfigHome();
        const std::string list = ReadAll(config + "/mimeapps.list");
        changedDefault =
            WriteIfChanged(config, "mimeapps.list", WithDefault(list, type.mimeType, DesktopEntryId(type)));
    }
    if (changedType) RunTool("update-mime-database", mime);
    if (changedEntry) RunTool("update-desktop-database", applications);
    return changedType || changedEntry || changedDefault;
}

} // namespace z9
