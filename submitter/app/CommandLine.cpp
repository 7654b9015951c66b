#include "submitter/app/CommandLine.h"
#include "common/AsciiText.h"
#include "common/HostText.h"
#include "common/Program.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace z9 {

namespace {

const std::string kSwitch = " /s";
const std::string kEnvVar = " Z9EnvVar:";

} // namespace

CommandLine ParseCommandLine(const std::string& line) {
    CommandLine result;
    std::string rest = Trim(line);
    // Linux users ask with --help or -h first.
    if (rest == "/?" || rest == "--help" || rest == "-h") {
        result.help = true;
        return result;
    }
    if (rest.empty()) return result;

    // "/s" alone has no blank before it once trimmed, yet it is the switch:
    // a submit run that names no file.
    if (rest.size() == 2 && rest[0] == '/' && LowerAscii(rest[1]) == 's') {
        result.submitMode = true;
        return result;
    }

    size_t sw = FindNoCase(rest, kSwitch);
    size_t env = FindNoCase(rest, kEnvVar);
    // A "/s" after the first assignment belongs to that assignment's value.
    if (sw != std::string::npos && !(env != std::string::npos && env < sw)) {
        result.submitMode = true;
        rest.erase(sw, kSwitch.size());
    }

    if (Trim(rest).empty()) return result;
    result.parts = SplitAtAssignments(rest);
    return result;
}

std::vector<std::string> SplitAtAssignments(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = FindNoCase(text, kEnvVar, start);
        if (at == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + kEnvVar.size();
    }
}

const std::string& HelpText() {
    static const std::string text =
        "Command Line Format: Z9Sub \"Z9F File Name\" [/s] [Z9EnvVar: StepNumber-VariableName=String]\r\n"
        "\r\n"
        "   /s - Submit task (this switch must be before Z9EnvVar switches)\r\n"
        "   Z9EnvVar - Used to set shown environment variable; names are case-sensitive; can be repeated "
        "multiple times;\r\n"
        "       to set check to checked state write 'checked' as value of variable;\r\n"
        "       to set combo value enter index (0,..,n-1) of element you want to select;\r\n"
        "\r\n"
        "If '/s' switch is defined any errors will be written to 'Z9SubError.log' in current directory.";
    return text;
}

void PrintHelp() {
    // Standard output is opened as text: its own line ends follow the platform.
    std::string text = HelpText();
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    std::fputs(ToHostText(text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string WindowTitle(int major, int minor, int revision) {
    return TitleWithVersion("Zorvan Submitter", major, minor, revision);
}

} // namespace z9
