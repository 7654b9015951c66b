#pragma once
// Paths as the system writes them (with '\' and \\SERVER\SHARE) turned into
// paths the host's file system understands.
#include <string>

namespace z9 {

// The folder under which network shares appear on Linux: $Z9_UNC_ROOT, default /mnt/unc.
std::string UncRoot();

// On Linux: \\SERVER\SHARE\rest becomes $Z9_UNC_ROOT/SERVER/SHARE/rest, and every
// '\' becomes '/'. On Windows the path is returned as it is.
std::string HostPath(const std::string& path);

// A file name as the system writes it (ANSI, either separator), in the host's
// form and encoding: HostPath of ToHostText (HostText.h). Every file name that
// code without Qt hands to the file system goes through here.
std::string HostFileName(const std::string& path);

// True for a path of the form \\server\share... (either separator).
bool IsUncPath(const std::string& path);

} // namespace z9
