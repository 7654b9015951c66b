#pragma once
// The icon the desktop shows for a file: the shell's small icon on Windows,
// the icon theme's picture for the file's MIME type on Linux. Looked up once
// per file type; later files of the same type get the same icon.
#include <QIcon>
#include <cstddef>
#include <string>

namespace z9 {

// path is ANSI text, as the system writes it. A null icon when the desktop has none.
QIcon DesktopFileIcon(const std::string& path);

// The number of file types looked up so far, and forgetting them (a new icon theme).
std::size_t DesktopFileIconTypes();
void ClearDesktopFileIcons();

} // namespace z9
