#include "menu/app/ShellRun.h"

#include "common/AsciiText.h"
#include "common/Launcher.h"
#include "common/Program.h"
#include "menu/app/CommandSwitch.h"

namespace z9 {
namespace {

const std::string kLaunchSwitch = "/Z9";

// The shell's answer: NULs become blanks, blanks at the ends go, and a quoted
// tail (' "...') is cut off.
std::string CleanExecutable(std::string buffer) {
    for (char& c : buffer)
        if (c == '\0') c = ' ';
    buffer = Trim(buffer);
    if (!buffer.empty() && buffer.back() == '"') {
        size_t cut = buffer.rfind(" \"");
        if (cut != std::string::npos && cut > 0) buffer.erase(cut);
    }
    return buffer;
}

// True when the program's extension (two characters or more) is not the end of
// the executable's name, so the program is a document the executable opens.
bool IsDocument(const std::string& program, const std::string& executable) {
    size_t dot = program.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = UpperAscii(program.substr(dot + 1));
    if (extension.size() < 2) return false;
    if (executable.size() < extension.size()) return true;
    return UpperAscii(executable.substr(executable.size() - extension.size())) != extension;
}

bool Accepted(long answer) {
    return answer > 32;
}

} // namespace

std::string SplitCommand(const std::string& command, int quoteMode, std::string& arguments) {
    arguments.clear();
    std::string text = Trim(command);
    if (text.empty()) return {};
    if (text[0] != '"') {
        size_t blank = text.find(' ');
        if (blank == std::string::npos) return text;
        arguments = text.substr(blank);
        return text.substr(0, blank);
    }
    std::string program;
    size_t i = 1;
    for (; i < text.size(); ++i) {
        if (text[i] != '"') {
            program += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '"') {
            program += quoteMode == 1 ? "\"" : "\"\"";
            ++i;
            continue;
        }
        break;
    }
    if (i < text.size()) arguments = text.substr(i + 1);
    if (quoteMode != 1) program = "\"" + program + (i < text.size() ? "\"" : "");
    return program;
}

ShellRunResult ShellRun(void* owner, const std::string& command, const std::string& callerFolder, int mode) {
    ShellRunResult result;
    const bool launch = mode != kResolveOnly;
    result.method = !launch ? ' ' : callerFolder.empty() ? 'S' : 'C';
    result.showMode = SW_SHOWNORMAL_MODE;
    result.kind = 2;

    std::string cmd = Trim(command);
    if (cmd.empty()) return result;

    size_t at = FindSwitch(cmd, kLaunchSwitch, SwitchAt::Last);
    if (at != std::string::npos) {
        result.switchText = " " + cmd.substr(at);
        if (at == 0) return result;
        std::string after = cmd.substr(at + kLaunchSwitch.size());
        cmd.erase(at);
        if (Trim(cmd).empty()) return result;
        if (!after.empty() && after[0] == '+') {
            result.showMode = SW_SHOWMAXIMIZED_MODE;
            after.erase(0, 1);
        } else if (!after.empty() && after[0] == '-') {
            result.showMode = SW_SHOWMINIMIZED_MODE;
            after.erase(0, 1);
        }
        if (!after.empty()) {
            if (launch) result.method = 'C';
            result.workingFolder = Trim(after);
        }
    }

    Launcher& launcher = CurrentLauncher();
    const std::string lookUpFolder = result.workingFolder.empty() ? callerFolder : result.workingFolder;
    bool found = false;
    for (int attempt = 1;; ++attempt) {
        result.program = SplitCommand(cmd, 1, result.arguments);
        // A lone quote names nothing; the shell would open the current folder for it.
        if (result.program.empty()) return result;
        std::string buffer;
        long answer = launcher.LookUpExecutable(result.program, lookUpFolder, buffer);
        result.executable = CleanExecutable(buffer);
        if (Accepted(answer)) {
            found = true;
            break;
        }
        result.executable.clear();
        // A path from the root of the program's drive is tried once more with that drive.
        if (attempt > 1 || cmd.size() < 3 || !launcher.DriveLetters()) break;
        const std::string folder = ProgramFolder();
        const std::string drive =
            folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string();
        if (!drive.empty()) {
            if (cmd.rfind("\"\\", 0) == 0)
                cmd.insert(1, drive);
            else if (cmd[0] == '\\')
                cmd.insert(0, drive);
        }
        if (FindNoCase(cmd, ".Z9") != std::string::npos || cmd.find('.', 1) == std::string::npos) break;
    }

    if (found) {
        const bool document = IsDocument(result.program, result.executable);
        result.kind = document ? 0 : 1;
        if (!launch) return result;
        const std::string parameters = document ? result.program + result.arguments : result.arguments;
        if (result.method == 'S') {
            result.success =
                Accepted(launcher.ShellOpen(owner, result.executable, parameters, "", result.showMode));
        } else {
            std::string line = "\"" + result.executable + "\"" + (document ? " " : "") + parameters;
            result.success = launcher.StartProcess(line, result.workingFolder, result.showMode);
        }
        return result;
    }

    if (!launch) return result;
    if (result.method == 'S')
        result.success = Accepted(launcher.ShellOpen(owner, result.program, "", "", result.showMode));
    else
        result.success = launcher.StartProcess(result.program, result.workingFolder, result.showMode);
    return result;
}

std::string LinkCommand(const std::string& link) {
    if (!StartsWithNoCase(link, "Z9SUB") && !StartsWithNoCase(link, "\"Z9SUB")) return link;
    ShellRunResult resolved = ShellRun(nullptr, link, "", kResolveOnly);
    return "\"" + ProgramFile("Z9Sub") + "\"" + resolved.arguments + resolved.switchText;
}

void LaunchLink(const std::string& link, void* owner) {
    ShellRun(owner, LinkCommand(link), "", kLaunch);
}

} // namespace z9
