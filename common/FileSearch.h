#pragma once
// Searching a folder with a Windows wildcard pattern ('*' any run, '?' one
// character, letter case ignored; "*.*" matches every name): the queue's file
// tests, the multi-file copy, the menu's first *.z9m and its pictures. Paths
// are written as the system writes them ('\' or '/', \\SERVER\SHARE).
#include <string>
#include <vector>

namespace z9 {

// True when name matches the wildcard pattern.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

// True when the last part of path holds '*' or '?'.
bool HasWildcards(const std::string& path);

// The names (not paths) of the entries of path's folder that match its last
// part, sorted; folders only when withFolders.
std::vector<std::string> MatchingNames(const std::string& path, bool withFolders);

// The files that path names: itself when it holds no wildcard, otherwise every
// matching file of its folder (sorted), each as the folder part of path + name.
std::vector<std::string> ExpandWildcards(const std::string& path);

// The name of the first entry matching path (wildcards allowed), empty if none.
// A folder's own "." entry comes first, so "*.*" finds something even in an
// empty folder, as the system's file search does.
std::string FindFileName(const std::string& path);

// True when the first match of path exists and is not a folder.
bool IsExistingFile(const std::string& path);

} // namespace z9
