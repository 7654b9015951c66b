#pragma once
// Our file types made known to the Linux desktop, beside the association in
// the emulated HKEY_CLASSES_ROOT, so a file manager opens a .z9f in Z9Sub and
// a .z9m in Z9Menu: a shared-mime-info package for the type and a .desktop
// entry for the program in $XDG_DATA_HOME, and the program as the type's
// default application in $XDG_CONFIG_HOME/mimeapps.list. On Windows the
// registry's classes are the whole association and nothing is written here.
#include "Settings.h"

#include <string>

namespace z9 {

struct DesktopFileType {
    FileType type;            // ".Z9F", "Zorvan File", "Z9Sub"
    std::string mimeType;     // "application/x-zorvan-task"
    std::string programTitle; // the program's name in menus: "Zorvan Submitter"
};

// The package file of the type, its name in mime/packages, and the program's
// entry and its name in applications; the program is ProgramFile(type.program).
std::string MimePackageText(const DesktopFileType& type);
std::string MimePackageName(const DesktopFileType& type);
std::string DesktopEntryText(const DesktopFileType& type);
std::string DesktopEntryId(const DesktopFileType& type);

// Writes the package and the entry, each only when its text changed, and with
// takeOpen makes the program the type's default application; then runs
// update-mime-database and update-desktop-database for what changed, when they
// are installed. Without takeOpen (the workstation product owns opening) the
// program is only offered. Failures are ignored. True when anything was written.
bool RegisterDesktopFileType(const DesktopFileType& type, bool takeOpen);

} // namespace z9
