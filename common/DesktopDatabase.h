#pragma once
// The Linux desktop's file types and applications, read as the freedesktop.org
// layout keeps them: the shared MIME database's glob patterns, mimeapps.list
// and the .desktop entries in $XDG_CONFIG_HOME, $XDG_DATA_HOME and
// $XDG_DATA_DIRS. Paths and names here are in the host's encoding.
#include <string>
#include <vector>

namespace z9 {

// $XDG_DATA_HOME (default ~/.local/share), then each folder of $XDG_DATA_DIRS
// (default /usr/local/share and /usr/share).
std::vector<std::string> DesktopDataFolders();
// $XDG_DATA_HOME, default ~/.local/share.
std::string DesktopDataHome();
// $XDG_CONFIG_HOME, default ~/.config.
std::string DesktopConfigHome();

// The MIME type the glob patterns of the shared MIME database give a file
// name (the highest weight, then the longest pattern); empty when none matches.
std::string MimeTypeForFileName(const std::string& fileName);

// The desktop file id of the default application of a MIME type, found as
// `xdg-mime query default` finds it: the first entry of the type's line in
// [Default Applications] of the mimeapps.list files (desktop-specific ones
// first) when that entry exists, then
// defaults.list and mimeinfo.cache, then the entries that name the type, the
// highest InitialPreference first. Empty when no application opens it.
std::string DefaultApplication(const std::string& mimeType);

// The full path of the program a .desktop entry's Exec line runs; empty when
// the entry or the program cannot be found.
std::string DesktopEntryProgram(const std::string& desktopId);

// A program name without a folder looked up on $PATH; the full path of the
// first executable file of that name, or empty.
std::string FindOnPath(const std::string& name);

// True for a regular file we may execute.
bool IsExecutableFile(const std::string& path);

} // namespace z9
