#include "DesktopIntegration.h"

#include "AsciiText.h"
#include "HostText.h"
#include "Program.h"

namespace z9 {
namespace {

// A word of an Exec line: quoted, with its specials escaped, when it needs it.
// The file's own escapes come on top, so each escaping backslash is doubled.
std::string ExecWord(const std::string& word) {
    std::string escaped;
    bool quote = word.empty();
    for (char c : word) {
        if (c == '%') {
            escaped += "%%";
            continue;
        }
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            escaped += "\\\\";
            quote = true;
        }
        if (c == '\\') {
            escaped += "\\\\";
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\'' || c == '>' || c == '<' || c == '~' || c == '|' || c == '&' ||
            c == ';' || c == '*' || c == '?' || c == '#' || c == '(' || c == ')')
            quote = true;
        escaped += c;
    }
    return quote ? "\"" + escaped + "\"" : escaped;
}

std::string XmlText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string MimePackageName(const DesktopFileType& type) {
    return type.mimeType.substr(type.mimeType.find('/') + 1) + ".xml";
}

std::string MimePackageText(const DesktopFileType& type) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           XmlText(type.mimeType) +
           "\">\n"
           "    <comment>" +
           XmlText(ToHostText(type.type.className)) +
           "</comment>\n"
           "    <glob pattern=\"*" +
           XmlText(LowerAscii(type.type.extension)) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopEntryId(const DesktopFileType& type) {
    return "zorvan-" + LowerAscii(type.type.program) + ".desktop";
}

std::string DesktopEntryText(const DesktopFileType& type) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           ToHostText(type.programTitle) +
           "\n"
           "Exec=" +
           ExecWord(ToHostText(ProgramFile(type.type.program))) +
           " %f\n"
           "MimeType=" +
           type.mimeType +
           ";\n"
           "Terminal=false\n"
           "NoDisplay=true\n";
}

} // namespace z9
