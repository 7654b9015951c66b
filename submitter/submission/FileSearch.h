#pragma once
// Searching a folder with a Windows wildcard pattern ('*' any run, '?' one
// character, letter case ignored; "*.*" matches every name), as the queue's
// file tests and the multi-file copy need it on Linux.
#include <string>
#include <vector>

namespace z9 {

// True when name matches the wildcard pattern.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

// True when the last part of path holds '*' or '?'.
bool HasWildcards(const std::string& path);

// The names (not paths) of the entries of path's folder that match its last
// part, sorted; folders only when withFolders. Path separators may be '\' or '/'.
std::vector<std::string> MatchingNames(const std::string& path, bool withFolders);

// The files that path names: itself when it holds no wildcard, otherwise every
// matching file of its folder (sorted), each as the folder part of path + name.
std::vector<std::string> ExpandWildcards(const std::string& path);

} // namespace z9
