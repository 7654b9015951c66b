#include "Program.h"

#include "PathParts.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

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

std::string JoinArguments(int argc, char** argv) {
#ifdef _WIN32
    // The raw line keeps the user's quotes and blanks; skip the program's name.
    (void)argc;
    (void)argv;
    const char* p = GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
#else
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
#endif
}

} // namespace z9
