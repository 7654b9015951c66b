#pragma once
// Taking a path apart at its last separator. Paths come as the system writes
// them ('\') or as the host writes them ('/'), so both separate everywhere.
#include <cstddef>
#include <optional>
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

// ---- the menu program's path helpers

// A path taken apart by SplitPath.
struct SplitPathResult {
    std::string Folder;
    std::string File;
    bool operator==(const SplitPathResult&) const = default;
};

// The file name is the text after the last separator and the folder the text
// before it. A folder that is 4 characters or longer with its trailing
// separator loses that separator; a short root such as "C:\" or "/" keeps it.
// Nothing when the path has no separator to split at.
std::optional<SplitPathResult> SplitPath(std::string_view path);

// The text after the last "." in upper case (ASCII letters), or empty text
// when the path has no ".". The whole path counts: "a.b\c" gives "B\C".
std::string FileExtension(std::string_view path);

// Creates the folder and the folders above it, one per separator found from
// the 4th character on (so "C:\" is not made), at most 21 levels. Failures are
// ignored: the file made in the folder afterwards reports them. The server and
// share of a network path are never made: they are not folders to create.
void MakeFolderPath(std::string folder);

} // namespace z9
