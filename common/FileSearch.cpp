#include "FileSearch.h"

#include "AsciiText.h"
#include "HostPath.h"
#include "HostText.h"
#include "PathParts.h"

#include <algorithm>
#include <filesystem>

namespace z9 {
namespace {

namespace fs = std::filesystem;

bool Matches(const std::string& name, const std::string& pattern) {
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

// "name.*" also matches a name without an extension, as "*.*" matches every name.
bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    if (Matches(name, pattern)) return true;
    return pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
           name.find('.') == std::string::npos && Matches(name, pattern.substr(0, pattern.size() - 2));
}

bool HasWildcards(const std::string& path) {
    return path.find_first_of("*?", NameStart(path)) != std::string::npos;
}

std::vector<std::string> MatchingNames(const std::string& path, bool withFolders) {
    std::vector<std::string> names;
    const std::string pattern = FileNamePart(path);
    if (pattern.empty()) return names;
    const std::string folder = FolderPart(path);
    fs::path dir = folder.empty() ? fs::path(".") : fs::path(HostFileName(folder));
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        // A name the code page cannot hold cannot be named by the system:
        // taken with '?' in its place it would stand for other files.
        std::string name;
        if (!FromHostName(it->path().filename().string(), name) || !MatchesWildcard(name, pattern)) continue;
        std::error_code typeError;
        if (!withFolders && it->is_directory(typeError)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ExpandWildcards(const std::string& path) {
    if (!HasWildcards(path)) return {path};
    std::vector<std::string> paths;
    const std::string folder = FolderPart(path);
    for (const auto& name : MatchingNames(path, false))
        paths.push_back(folder + name);
    return paths;
}

bool IsExistingFile(const std::string& path) {
    const std::string name = FindFileName(path);
    if (name.empty()) return false;
    std::error_code ec;
    return !fs::is_directory(HostFileName(FolderPart(path) + name), ec);
}

} // namespace z9
