#include "Program.h"

#include "PathParts.h"

#include <cstdlib>
#include <windows.h>

namespace z9 {

std::string ExecutableFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return ParentFolder(std::string(buffer, n));
}

const char* ExeSuffix() {
    return ".exe";
}

char PathSeparator() {
    return '\\';
}

bool SetEnvVar(const char* name, const std::optional<std::string>& value) {
    // The C runtime updates both its own copy, which getenv reads, and the
    // process's, which started programs inherit. Windows holds no variable set
    // to nothing: an empty value removes it, as nullopt does.
    return _putenv_s(name, value ? value->c_str() : "") == 0;
}

std::optional<std::string> ArgumentOutsideCodePage(int, char**) {
    return std::nullopt;
}

// The raw line keeps the user's quotes and blanks, which argv has lost.
bool WindowSystemPresent() {
    return true;
}

std::string JoinArguments(int, char**) {
    return CommandLineAfterProgram(GetCommandLineA());
}

} // namespace z9
