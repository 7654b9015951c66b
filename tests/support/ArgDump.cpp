// A program for the launching tests: writes what it was started with to the
// file named by $Z9_ARGS_OUT and ends. Lines: "pid=", "cwd=", "session=" with
// its session's id, "fds=" with the descriptors it inherited beyond the
// standard three, then one "arg=" per argument after its name.
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* out = std::getenv("Z9_ARGS_OUT");
    if (!out) return 2;
    std::string text = "pid=" + std::to_string(::getpid()) + "\n";
    char cwd[4096] = {};
    if (::getcwd(cwd, sizeof cwd)) text += std::string("cwd=") + cwd + "\n";
    text += "session=" + std::to_string(::getsid(0)) + "\n";
    std::string fds;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        int own = ::dirfd(dir);
        while (dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            int fd = std::atoi(entry->d_name);
            if (fd > 2 && fd != own) fds += (fds.empty() ? "" : ",") + std::to_string(fd);
        }
        ::closedir(dir);
    }
    text += "fds=" + fds + "\n";
    for (int i = 1; i < argc; ++i)
        text += std::string("arg=") + argv[i] + "\n";
    // Written whole under another name first, so a reader never sees half of it.
    std::string temporary = std::string(out) + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return 3;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return std::rename(temporary.c_str(), out) == 0 ? 0 : 4;
}
