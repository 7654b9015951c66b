#include "PathParts.h"

#include "AsciiText.h"
#include "HostPath.h"

#include <filesystem>
#include <system_error>

namespace z9 {

std::size_t NameStart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? 0 : cut + 1;
}

std::string FileNamePart(std::string_view path) {
    return std::string(path.substr(NameStart(path)));
}

std::string FolderPart(std::string_view path) {
    return std::string(path.substr(0, NameStart(path)));
}

std::string ParentFolder(std::string_view path) {
    const std::size_t start = NameStart(path);
    if (start == 0) return {};
    return std::string(path.substr(0, start == 1 ? 1 : start - 1));
}

bool IsRelativePath(std::string_view path) {
    if (path.empty()) return true;
    if (IsPathSeparator(path[0])) return false;
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return !drive;
}

std::optional<SplitPathResult> SplitPath(std::string_view path) {
    const std::size_t start = NameStart(path);
    if (start == 0) return std::nullopt;
    SplitPathResult parts{std::string(path.substr(0, start)), std::string(path.substr(start))};
    if (parts.Folder.size() >= 4) parts.Folder.pop_back();
    return parts;
}

std::string FileExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string() : UpperAscii(std::string(path.substr(dot + 1)));
}

void MakeFolderPath(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back())) folder += '\\';
    const bool network = IsUncPath(folder);
    std::size_t from = 3;
    for (int level = 0, separators = 0; level < 21; ++level) {
        const std::size_t at = folder.find_first_of("\\/", from);
        if (at == std::string::npos) break;
        from = at + 1;
        // \\SERVER and \\SERVER\SHARE: two separators lead, the share's third ends it.
        if (network && ++separators <= 2) continue;
        std::error_code ignored;
        std::filesystem::create_directory(std::filesystem::path(HostFileName(folder.substr(0, at))), ignored);
    }
}

} // namespace z9
