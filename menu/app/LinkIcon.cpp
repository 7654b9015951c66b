#include "menu/app/LinkIcon.h"

#include "common/AsciiText.h"
#include "common/PathParts.h"
#include "common/Program.h"
#include "menu/app/ShellRun.h"

namespace z9 {
namespace {

// The text after the last '.' of the file name, upper-cased.
std::string Extension(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < NameStart(path)) return {};
    return UpperAscii(path.substr(dot + 1));
}

} // namespace

LinkIcon LinkIconFor(const std::string& link) {
    LinkIcon icon;
    ShellRunResult resolved = ShellRun(nullptr, link, "", kResolveOnly);
    if (StartsWithNoCase(link, "Z9SUB"))
        icon.source = ProgramFile("Z9Sub");
    else
        icon.source = resolved.kind == 1 ? resolved.executable : resolved.program;
    const std::string extension = Extension(icon.source);
    if (extension == "Z9M")
        icon.kind = LinkIconKind::Menu;
    else if (extension == "Z9F")
        icon.kind = LinkIconKind::Task;
    return icon;
}

} // namespace z9
