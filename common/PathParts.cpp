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

} // namespace z9
