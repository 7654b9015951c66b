#include "Program.h"

#include "HostPath.h"
#include "HostText.h"
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

int programCharset = 0;

std::string& FolderOverride() {
    static std::string folder;
    return folder;
}

} // namespace

std::string TitleWithVersion(const std::string& name, int major, int minor, int revision) {
    return name + " " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

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

int ProgramCharset() {
    return programCharset;
}
void SetProgramCharset(int charset) {
    programCharset = charset;
}

std::string ProgramFile(const std::string& baseName) {
    return ProgramFolder() + PathSeparator() + baseName + ExeSuffix();
}

std::string CurrentFolder() {
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : FromHostText(path.string());
}

bool SetCurrentFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::current_path(HostFileName(folder), ec);
    return !ec;
}

std::string EnvText(const std::string& name) {
    return FromHostText(EnvVar(ToHostText(name).c_str()));
}

std::string EnvVar(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string CommandLineAfterProgram(const std::string& commandLine) {
    size_t at = 0;
    if (at < commandLine.size() && commandLine[at] == '"') {
        at = commandLine.find('"', at + 1);
        at = at == std::string::npos ? commandLine.size() : at + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != ' ' && commandLine[at] != '\t')
            ++at;
    }
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'))
        ++at;
    return commandLine.substr(at);
}

std::string StripQuotes(const std::string& fileName) {
    std::string name = fileName;
    if (name.size() >= 3) {
        if (name.front() == '"') name.erase(0, 1);
        if (!name.empty() && name.back() == '"') name.pop_back();
    }
    return name;
}

} // namespace z9
