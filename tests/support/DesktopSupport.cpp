#include "DesktopSupport.h"

#include "common/Program.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace z9::test {

namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text, bool append) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, append ? std::ios::app : std::ios::trunc);
    out << text;
}

} // namespace

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 512> buffer;
    size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), got);
    ::pclose(pipe);
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

bool AddMimeType(const std::string& type, const std::string& glob, int weight) {
    const fs::path mime = fs::path(EnvVar("XDG_DATA_HOME")) / "mime";
    const std::string name = type.substr(type.find('/') + 1);
    WriteText(mime / "packages" / (name + ".xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"" +
                  type +
                  "\">\n"
                  "    <comment>" +
                  name +
                  "</comment>\n"
                  "    <glob pattern=\"" +
                  glob + "\" weight=\"" + std::to_string(weight) +
                  "\"/>\n"
                  "  </mime-type>\n"
                  "</mime-info>\n",
              false);
    return std::system(("update-mime-database " + ShellQuote(mime.string()) + " >/dev/null 2>&1").c_str()) ==
           0;
}

void AddDesktopEntry(const std::string& id, const std::string& exec, const std::vector<std::string>& types,
                     int initialPreference) {
    std::string list;
    for (const auto& type : types)
        list += type + ";";
    std::string text =
        "[Desktop Entry]\nType=Application\nName=" + id + "\nExec=" + exec + "\nMimeType=" + list + "\n";
    if (initialPreference >= 0) text += "InitialPreference=" + std::to_string(initialPreference) + "\n";
    WriteText(fs::path(EnvVar("XDG_DATA_HOME")) / "applications" / id, text, false);
}

void SetDefaultApplication(const std::string& type, const std::string& ids) {
    WriteText(fs::path(EnvVar("XDG_CONFIG_HOME")) / "mimeapps.list",
              "[Default Applications]\n" + type + "=" + ids + "\n", true);
}

std::string XdgDefault(const std::string& type) {
    return RunCommand("xdg-mime query default " + ShellQuote(type) + " 2>/dev/null");
}

} // namespace z9::test
