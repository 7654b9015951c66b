#pragma once
// The programs' help files (Z9SUB.HLP, Z9MENU.HLP) beside the executables.
#include <string>

namespace z9 {

// The help file `name` in the program's folder.
std::string ProgramHelpFile(const std::string& name);

// Opens the help file through the desktop; a missing one (or none) gets the
// system's message "Unable to display Help Contents. There is no Help
// associated with this project." (information).
void ShowHelpFile(const std::string& helpFile);

} // namespace z9
