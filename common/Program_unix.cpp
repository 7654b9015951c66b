#include "Program.h"

#include "HostText.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace z9 {

std::string ExecutableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentFolder();
    return FromHostText(exe.parent_path().string());
}

const char* ExeSuffix() {
    return "";
}

char PathSeparator() {
    return '/';
}

bool SetEnvVar(const char* name, const std::optional<std::string>& value) {
    return (value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name)) == 0;
}

bool WindowSystemPresent() {
    return !EnvVar("DISPLAY").empty() || !EnvVar("WAYLAND_DISPLAY").empty();
}

std::optional<std::string> ArgumentOutsideCodePage(int argc, char** argv) {
    std::string ansi;
    for (int i = 1; i < argc; ++i)
        if (!FromHostName(argv[i], ansi)) return std::string(argv[i]);
    return std::nullopt;
}

std::string JoinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += FromHostText(argv[i]);
    }
    return line;
}

} // namespace z9
