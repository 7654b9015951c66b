// Starting programs and documents on Linux.
#include "Launcher.h"

#include "Arguments.h"
#include "DesktopDatabase.h"
#include "HostPath.h"
#include "HostText.h"
#include "Program.h"
#include "Registry.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace z9 {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// A host path made absolute against folder (ours when empty).
std::string Absolute(const std::string& path, const std::string& folder) {
    if (path.empty() || path[0] == '/') return path;
    std::string base = folder.empty() ? ToHostText(CurrentFolder()) : folder;
    return (fs::path(base) / path).lexically_normal().string();
}

// The file a name means: the file itself (relative to folder), or for a bare
// name that is no file there, the program of that name on PATH.
std::string LocateFile(const std::string& hostName, const std::string& folder) {
    std::string path = Absolute(hostName, folder);
    if (Exists(path)) return path;
    if (hostName.find('/') == std::string::npos) return FindOnPath(hostName);
    return path;
}

// "scheme:..." with a scheme of two characters or more (so "C:" is no URL).
bool IsUrl(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (size_t i = 1; i < colon; ++i) {
        char c = text[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

// The program of the file type in the emulated HKEY_CLASSES_ROOT: the first
// word of the open command of the extension's class.
std::string ClassesRootProgram(const std::string& hostFile) {
    std::string name = fs::path(hostFile).filename().string();
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) return {};
    std::string extension = FromHostText(name.substr(dot));
    RegKey key;
    RegValue value;
    if (key.Open(RegRoot::ClassesRoot, extension) != 0 || key.Query("", value) != 0 || !value.IsString())
        return {};
    std::string className = value.Text();
    if (className.empty()) return {};
    RegKey command;
    if (command.Open(RegRoot::ClassesRoot, className + "\\shell\\open\\command") != 0 ||
        command.Query("", value) != 0 || !value.IsString())
        return {};
    std::string text = value.Text();
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    std::string program;
    if (text[start] == '"') {
        size_t close = text.find('"', start + 1);
        program = text.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
    } else {
        program = text.substr(start, text.find(' ', start) - start);
    }
    std::string host = HostFileName(program);
    if (host.find('/') == std::string::npos) return FindOnPath(host);
    return IsExecutableFile(host) ? host : std::string();
}

// The program that opens a document: our own association, then the desktop's.
std::string DocumentProgram(const std::string& hostFile) {
    std::string program = ClassesRootProgram(hostFile);
    if (!program.empty()) return program;
    return DesktopEntryProgram(DefaultApplication(MimeTypeForFileName(hostFile)));
}

long ErrnoCode(int error) {
    switch (error) {
    case ENOENT:
        return SE_ERR_FNF_CODE;
    case ENOTDIR:
        return SE_ERR_PNF_CODE;
    case EACCES:
    case EPERM:
        return SE_ERR_ACCESSDENIED_CODE;
    default:
        return SE_ERR_OOM_CODE;
    }
}

// Closes every descriptor from first on except keep, as close_range does where the kernel has it.
void CloseDescriptorsFrom(int first, int keep, long maxFd) {
    bool closed = false;
#ifdef SYS_close_range
    closed = keep <= first || ::syscall(SYS_close_range, first, keep - 1, 0) == 0;
    closed = closed && ::syscall(SYS_close_range, keep < first ? first : keep + 1, ~0U, 0) == 0;
#endif
    if (!closed)
        for (int fd = first; fd < maxFd; ++fd)
            if (fd != keep) ::close(fd);
}

// Starts program (a host path) with argv in folder (ours when empty), in a
// session of its own, and lets go of it: the grandchild of a child that ends at
// once, so no zombie is left and nothing waits for it. The descriptors of this
// process beyond the standard three stay here. Returns 0 or the errno of the
// failed start.
int SpawnDetached(const std::string& program, const std::vector<std::string>& args,
                  const std::string& folder) {
    std::vector<char*> argv;
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const char* dir = folder.empty() ? nullptr : folder.c_str();
    long maxFd = ::sysconf(_SC_OPEN_MAX);
    if (maxFd < 0 || maxFd > 65536) maxFd = 65536;

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return errno;
    pid_t child = ::fork();
    if (child < 0) {
        int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        // Only calls that are safe after fork from here on.
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                int error = errno;
                (void)!::write(report[1], &error, sizeof error);
            }
            ::_exit(0);
        }
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        struct sigaction plain = {};
        plain.sa_handler = SIG_DFL;
        for (int sig = 1; sig < NSIG; ++sig)
            if (sig != SIGKILL && sig != SIGSTOP) ::sigaction(sig, &plain, nullptr);
        if (dir && ::chdir(dir) != 0) {
            int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        CloseDescriptorsFrom(3, report[1], maxFd);
        ::execv(program.c_str(), argv.data());
        int error = errno;
        (void)!::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

// Hands a document, folder or URL to the desktop's opener.
long OpenWithDesktop(const std::string& target, const std::string& folder) {
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return SE_ERR_NOASSOC_CODE;
    int error = SpawnDetached(opener, {opener, target}, folder);
    return error ? ErrnoCode(error) : kShellSuccess;
}

class UnixLauncher : public Launcher {
public:
    long LookUpExecutable(const std::string& file, const std::string& folder, std::string& buffer) override {
        buffer.assign(kExecutableBufferSize, '\0');
        if (file.empty()) return SE_ERR_FNF_CODE;
        std::string path = LocateFile(HostFileName(file), HostFileName(folder));
        if (path.empty() || !Exists(path)) return SE_ERR_FNF_CODE;
        if (IsFolder(path)) return SE_ERR_NOASSOC_CODE;
        std::string program = ClassesRootProgram(path);
        if (program.empty() && IsExecutableFile(path)) program = path;
        if (program.empty()) program = DesktopEntryProgram(DefaultApplication(MimeTypeForFileName(path)));
        if (program.empty()) return SE_ERR_NOASSOC_CODE;
        std::string found = ExecutableBuffer(FromHostText(program));
        if (found.empty()) return SE_ERR_FNF_CODE;
        buffer = found;
        return kShellSuccess;
    }

    long ShellOpen(void*, const std::string& file, const std::string& parameters, const std::string& folder,
                   int) override {
        std::string hostFolder = HostFileName(folder);
        if (!hostFolder.empty() && !IsFolder(hostFolder)) return SE_ERR_PNF_CODE;
        if (file.find_first_not_of(' ') == std::string::npos) return SE_ERR_FNF_CODE;
        std::string hostFile = HostFileName(file);
        std::string path = LocateFile(hostFile, hostFolder);
        if (path.empty() || !Exists(path)) {
            if (IsUrl(file)) return OpenWithDesktop(ToHostText(file), hostFolder);
            return SE_ERR_FNF_CODE;
        }
        if (IsExecutableFile(path)) {
            std::vector<std::string> args = SplitArguments("x " + ToHostText(parameters));
            args[0] = hostFile;
            int error = SpawnDetached(path, args, hostFolder);
            return error ? ErrnoCode(error) : kShellSuccess;
        }
        if (!IsFolder(path)) {
            std::string program = DocumentProgram(path);
            if (!program.empty()) {
                int error = SpawnDetached(program, {program, path}, hostFolder);
                return error ? ErrnoCode(error) : kShellSuccess;
            }
        }
        return OpenWithDesktop(path, hostFolder);
    }

    bool StartProcess(const std::string& commandLine, const std::string& folder, int) override {
        std::vector<std::string> args = SplitArguments(ToHostText(commandLine));
        if (args.empty() || args[0].empty()) return false;
        std::string hostFolder = HostFileName(folder);
        if (!hostFolder.empty() && !IsFolder(hostFolder)) return false;
        // The program is found from our folder, as the system finds it, not from the new one.
        args[0] = HostPath(args[0]);
        std::string program = LocateFile(args[0], "");
        if (!IsExecutableFile(program)) return false;
        return SpawnDetached(program, args, hostFolder) == 0;
    }

    bool DriveLetters() const override { return false; }
};

} // namespace

Launcher& SystemLauncher() {
    static UnixLauncher launcher;
    return launcher;
}

} // namespace z9
