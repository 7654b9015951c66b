#include "DesktopDatabase.h"

#include "AsciiText.h"
#include "Program.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

std::string Home() {
    return EnvVar("HOME");
}

std::vector<std::string> SplitList(const std::string& text, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(sep, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

bool IsReadableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

std::vector<std::string> ConfigFolders() {
    std::vector<std::string> folders{DesktopConfigHome()};
    std::string dirs = EnvVar("XDG_CONFIG_DIRS");
    if (dirs.empty()) dirs = "/etc/xdg";
    for (const auto& dir : SplitList(dirs, ':'))
        if (!dir.empty()) folders.push_back(dir);
    return folders;
}

// Prefixes of the desktop-specific lists ("gnome-"), then none.
std::vector<std::string> DesktopPrefixes() {
    std::vector<std::string> prefixes;
    for (const auto& desktop : SplitList(EnvVar("XDG_CURRENT_DESKTOP"), ':')) {
        if (desktop.empty()) continue;
        prefixes.push_back(LowerAscii(desktop + "-"));
    }
    prefixes.push_back("");
    return prefixes;
}

// The entries of the [Default Applications] line for the type.
std::vector<std::string> DefaultsInList(const std::string& path, const std::string& mimeType) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return {};
    bool inDefaults = false;
    const std::string key = mimeType + "=";
    for (const auto& line : lines) {
        if (line.rfind("[Default Applications]", 0) == 0)
            inDefaults = true;
        else if (line.rfind("[", 0) == 0)
            inDefaults = false;
        else if (inDefaults && line.rfind(key, 0) == 0)
            return SplitList(line.substr(key.size()), ';');
    }
    return {};
}

// The file of a desktop id: <dir>/applications/<vendor>/<app> for "vendor-app",
// else the id in applications/ or one folder below it.
std::string DesktopEntryFile(const std::string& id) {
    if (id.empty() || id.find('/') != std::string::npos) return {};
    for (const auto& data : DesktopDataFolders()) {
        const std::string apps = data + "/applications";
        std::error_code ec;
        if (!fs::is_directory(apps, ec)) continue;
        size_t dash = id.find('-');
        if (dash != std::string::npos) {
            std::string vendor = apps + "/" + id.substr(0, dash) + "/" + id.substr(dash + 1);
            if (IsReadableFile(vendor)) return vendor;
        }
        if (IsReadableFile(apps + "/" + id)) return apps + "/" + id;
        std::vector<std::string> below;
        for (fs::directory_iterator it(apps, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_directory(ec)) below.push_back(it->path().string());
        std::sort(below.begin(), below.end());
        for (const auto& folder : below)
            if (IsReadableFile(folder + "/" + id)) return folder + "/" + id;
    }
    return {};
}

// A value with the file's escapes (\\s, \\n, \\t, \\r, \\\\) undone.
std::string Unescaped(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\';
            out += value[i];
        }
    }
    return out;
}

// The value of key in the [Desktop Entry] group.
std::string DesktopEntryValue(const std::vector<std::string>& lines, const std::string& key) {
    bool inEntry = false;
    for (const auto& raw : lines) {
        std::string line = Trim(raw, kBlanks);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (Trim(line.substr(0, eq), kBlanks) == key) return Unescaped(Trim(line.substr(eq + 1), kBlanks));
    }
    return {};
}

// The first word of an Exec line with its quotes and backslash escapes undone.
std::string ExecWord(const std::string& exec) {
    std::string word;
    if (!exec.empty() && exec[0] == '"') {
        for (size_t i = 1; i < exec.size(); ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) {
                word += exec[++i];
                continue;
            }
            if (exec[i] == '"') break;
            word += exec[i];
        }
        return word;
    }
    size_t end = exec.find_first_of(" \t");
    return exec.substr(0, end);
}

// The first word of an Exec line, its quotes, escapes and doubled '%' undone.
std::string ExecProgram(const std::string& exec) {
    std::string word = ExecWord(exec);
    for (size_t at = word.find("%%"); at != std::string::npos; at = word.find("%%", at + 1))
        word.erase(at, 1);
    return word;
}

struct Glob {
    int weight = 50;
    std::string type;
    std::string pattern;
    bool caseSensitive = false;
};

std::vector<Glob> ReadGlobs(const std::string& path) {
    std::vector<Glob> globs;
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return globs;
    for (const auto& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        auto fields = SplitList(line, ':');
        if (fields.size() < 3) continue;
        Glob glob;
        glob.weight = std::atoi(fields[0].c_str());
        glob.type = fields[1];
        glob.pattern = fields[2];
        if (fields.size() > 3)
            for (const auto& flag : SplitList(fields[3], ','))
                if (flag == "cs") glob.caseSensitive = true;
        if (!glob.type.empty() && !glob.pattern.empty()) globs.push_back(glob);
    }
    return globs;
}

} // namespace

std::string DesktopDataHome() {
    std::string home = EnvVar("XDG_DATA_HOME");
    return home.empty() ? Home() + "/.local/share" : home;
}

std::string DesktopConfigHome() {
    std::string home = EnvVar("XDG_CONFIG_HOME");
    return home.empty() ? Home() + "/.config" : home;
}

std::vector<std::string> DesktopDataFolders() {
    std::vector<std::string> folders{DesktopDataHome()};
    std::string dirs = EnvVar("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    for (const auto& dir : SplitList(dirs, ':'))
        if (!dir.empty()) folders.push_back(dir);
    return folders;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    for (const auto& dir : SplitList(EnvVar("PATH"), ':')) {
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (IsExecutableFile(candidate)) {
            std::error_code ec;
            auto absolute = fs::absolute(candidate, ec);
            return ec ? candidate : absolute.lexically_normal().string();
        }
    }
    return {};
}

std::string MimeTypeForFileName(const std::string& fileName) {
    std::string name = fileName.substr(fileName.find_last_of('/') + 1);
    if (name.empty()) return {};
    const Glob* best = nullptr;
    std::vector<std::vector<Glob>> all;
    for (const auto& data : DesktopDataFolders())
        all.push_back(ReadGlobs(data + "/mime/globs2"));
    for (const auto& globs : all)
        for (const auto& glob : globs) {
            int flags = glob.caseSensitive ? 0 : FNM_CASEFOLD;
            if (::fnmatch(glob.pattern.c_str(), name.c_str(), flags) != 0) continue;
            // Earlier folders (the user's first) win ties.
            if (!best || glob.weight > best->weight ||
                (glob.weight == best->weight && glob.pattern.size() > best->pattern.size()))
                best = &glob;
        }
    return best ? best->type : std::string();
}

std::string DefaultApplication(const std::string& mimeType) {
    if (mimeType.empty()) return {};
    std::vector<std::string> listFolders = ConfigFolders();
    for (const auto& data : DesktopDataFolders())
        listFolders.push_back(data + "/applications");
    for (const auto& folder : listFolders)
        for (const auto& prefix : DesktopPrefixes()) {
            // Only the first entry of the line counts, as xdg-mime reads it.
            auto ids = DefaultsInList(folder + "/" + prefix + "mimeapps.list", mimeType);
            if (!ids.empty() && !DesktopEntryProgram(ids[0]).empty()) return ids[0];
        }

    const std::string key = mimeType + "=";
    std::vector<std::string> menuPrefixes;
    if (!EnvVar("XDG_MENU_PREFIX").empty()) menuPrefixes.push_back(EnvVar("XDG_MENU_PREFIX"));
    menuPrefixes.push_back("");
    for (const auto& data : DesktopDataFolders())
        for (const auto& prefix : menuPrefixes)
            for (const char* list : {"defaults.list", "mimeinfo.cache"}) {
                std::vector<std::string> lines;
                ReadLines(data + "/applications/" + prefix + list, lines);
                for (const auto& line : lines) {
                    size_t at = line.find(key);
                    if (at == std::string::npos) continue;
                    std::string id = SplitList(line.substr(at + key.size()), ';')[0];
                    if (!id.empty()) return id;
                }
            }

    // Entries that name the type, the highest InitialPreference first.
    std::string chosen;
    long preference = -1;
    const std::string listed = mimeType + ";";
    for (const auto& data : DesktopDataFolders()) {
        std::vector<std::string> files;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(data + "/applications", ec), end; !ec && it != end;
             it.increment(ec))
            if (it->path().extension() == ".desktop") files.push_back(it->path().string());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::vector<std::string> lines;
            if (!ReadLines(file, lines)) continue;
            bool names = std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.find(listed) != std::string::npos;
            });
            if (!names) continue;
            long pref = std::atol(DesktopEntryValue(lines, "InitialPreference").c_str());
            if (pref > preference) {
                preference = pref;
                chosen = fs::path(file).filename().string();
            }
        }
    }
    return chosen;
}

std::string DesktopEntryProgram(const std::string& desktopId) {
    std::string file = DesktopEntryFile(desktopId);
    std::vector<std::string> lines;
    if (file.empty() || !ReadLines(file, lines)) return {};
    std::string program = ExecProgram(DesktopEntryValue(lines, "Exec"));
    if (program.empty()) return {};
    if (program.find('/') == std::string::npos) return FindOnPath(program);
    return IsExecutableFile(program) ? program : std::string();
}

} // namespace z9
