#pragma once
// Taking a path apart at its last separator. Paths come as the system writes
// them ('\') or as the host writes them ('/'), so both separate everywhere.
#include <cstddef>
#include <string>
#include <string_view>

namespace z9 {

inline bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// The position just after the last separator; 0 when there is none.
std::size_t NameStart(std::string_view path);
// The part after the last separator (the whole path when there is none).
std::string FileNamePart(std::string_view path);
// The part up to and including the last separator; empty when there is none.
std::string FolderPart(std::string_view path);
// The folder without its trailing separator: "C:\a" for "C:\a\b.z9f"; the
// separator itself for a name in the root ("/b" gives "/"); empty when the
// path has no separator.
std::string ParentFolder(std::string_view path);
// True when the path names no root, drive or share: it is read from some folder.
bool IsRelativePath(std::string_view path);

} // namespace z9
