#include "Program.h"

#include "PathParts.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace z9 {
namespace {

std::string& Title() {
    static std::string title = "Zorvan";
    return title;
}

std::string& FolderOverride() {
    static std::string folder;
    return folder;
}

std::string ExecutableFolder() {
#ifdef _WIN32
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return ParentFolder(std::string(buffer, n));
#else
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentFolder();
    return exe.parent_path().string();
#endif
}

} // namespace

const std::string& AppTitle() {
    return Title();
}
void SetAppTitle(const std::string& title) {
    Title() = title;
}

std::string ProgramFolder() {
    if (!FolderOverride().empty()) return FolderOverride();
    static const std::string folder = ExecutableFolder();
    return folder;
}

void SetProgramFolder(const std::string& folder) {
    FolderOverride() = folder;
}

const char* ExeSuffix() {
#ifdef _WIN32
    return ".exe";
#else
    return "";
#endif
}

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string ProgramFile(const std::string& baseName) {
    return ProgramFolder() + PathSeparator() + baseName + ExeSuffix();
}

std::string CurrentFolder() {
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

bool SetCurrentFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    return !ec;
}

std::string EnvVar(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace z9
