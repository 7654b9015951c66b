#include "menu/app/MenuSettings.h"

#include "common/FileSearch.h"
#include "common/HelpFile.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "menu/app/MenuStartUp.h"

namespace z9 {
namespace {

constexpr const char* kSettings = "Settings";

} // namespace

std::string ReadLastMenu() {
    return GetSetting(kSettings, "Last", DefaultLastMenu());
}

void StoreLastMenu(const std::string& path) {
    SaveSetting(kSettings, "Last", path);
}

std::string ReadHomeMenu() {
    return GetSetting(kSettings, "Home", std::string());
}

void StoreHomeMenu(const std::string& path) {
    SaveSetting(kSettings, "Home", path);
}

long ReadStartOpen() {
    return GetSetting(kSettings, "StartOpen", static_cast<long>(kStartLast));
}

void StoreStartOpen(long choice) {
    SaveSetting(kSettings, "StartOpen", choice, REG_DWORD_TYPE);
}

std::string FolderMenu() {
    const std::string folder = ProgramFolder() + PathSeparator();
    const std::string name = FindFileName(folder + "*.z9m");
    return name.empty() ? std::string() : folder + name;
}

std::string MenuHelpFile() {
    return ProgramHelpFile("Z9MENU.HLP");
}

} // namespace z9
