// Starting programs and documents through the Windows shell.
#include "Launcher.h"

#include <cstring>
#include <vector>
#include <windows.h>

#include <shellapi.h>

namespace z9 {
namespace {

class WinLauncher : public Launcher {
public:
    long LookUpExecutable(const std::string& file, const std::string& folder, std::string& buffer) override {
        buffer.assign(kExecutableBufferSize, '\0');
        // The shell writes up to MAX_PATH characters, more than the answer keeps.
        char result[MAX_PATH + 1] = {};
        HINSTANCE answer = ::FindExecutableA(file.c_str(), folder.empty() ? nullptr : folder.c_str(), result);
        long code = static_cast<long>(reinterpret_cast<INT_PTR>(answer));
        if (code <= 32) return code;
        std::string found = ExecutableBuffer(std::string(result, ::strnlen(result, MAX_PATH)));
        if (found.empty()) return SE_ERR_FNF_CODE;
        buffer = found;
        return code;
    }

    long ShellOpen(void* owner, const std::string& file, const std::string& parameters,
                   const std::string& folder, int showMode) override {
        HINSTANCE answer = ::ShellExecuteA(static_cast<HWND>(owner), "open", file.c_str(),
                                           parameters.empty() ? nullptr : parameters.c_str(),
                                           folder.empty() ? nullptr : folder.c_str(), showMode);
        return static_cast<long>(reinterpret_cast<INT_PTR>(answer));
    }

    bool StartProcess(const std::string& commandLine, const std::string& folder, int showMode) override {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showMode);
        PROCESS_INFORMATION process = {};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                              CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &process))
            return false;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return true;
    }

    bool DriveLetters() const override { return true; }
};

} // namespace

Launcher& SystemLauncher() {
    static WinLauncher launcher;
    return launcher;
}

} // namespace z9
