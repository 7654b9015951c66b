// The Linux side of the file search: the folder listed, in byte order of the names.
#include "FileSearch.h"

#include "HostPath.h"
#include "PathParts.h"

#include <filesystem>

namespace z9 {

namespace fs = std::filesystem;

std::string FindFileName(const std::string& path) {
    const std::string pattern = FileNamePart(path);
    if (pattern.empty()) return {};
    std::error_code ec;
    if (pattern.find_first_of("*?") == std::string::npos)
        return fs::exists(HostFileName(path), ec) ? pattern : std::string();
    const std::string folder = FolderPart(path);
    fs::path dir = folder.empty() ? fs::path(".") : fs::path(HostFileName(folder));
    if (!fs::is_directory(dir, ec)) return {};
    // A listed folder holds its own "." entry first, as the system lists it.
    if (MatchesWildcard(".", pattern)) return ".";
    std::vector<std::string> names = MatchingNames(path, true);
    return names.empty() ? std::string() : names.front();
}

} // namespace z9
