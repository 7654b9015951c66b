#include "PathParts.h"

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

} // namespace z9
