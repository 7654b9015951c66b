#pragma once
// The menu program's registry values: section "Settings" of its application
// key. No Qt here.

#include <string>

namespace z9 {

// The menu opened last; the default where none was stored.
// The platform's menu for a first start (MenuSettings_win.cpp, _unix.cpp).
std::string DefaultLastMenu();
std::string ReadLastMenu();
void StoreLastMenu(const std::string& path);
// The home menu, empty when none was set.
std::string ReadHomeMenu();
void StoreHomeMenu(const std::string& path);
// What opens at start-up (StartOpenChoice in MenuStartUp.h); 2 when missing or no number.
long ReadStartOpen();
void StoreStartOpen(long choice);

// The first *.z9m in the program's folder, as a path; empty when there is none.
std::string FolderMenu();

// The help file beside the program.
std::string MenuHelpFile();

} // namespace z9
