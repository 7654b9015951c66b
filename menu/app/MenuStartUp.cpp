#include "menu/app/MenuStartUp.h"

#include "common/Program.h"
#include "menu/app/CommandSwitch.h"

namespace z9 {
std::string MenuProgramTitle(int major, int minor, int revision) {
    return TitleWithVersion("Zorvan Menu", major, minor, revision);
}

std::string Z9SubMissingText() {
    return std::string("File \"Z9Sub") + ExeSuffix() + "\" must be in same directory as Zorvan Menu!\n\n" +
           "Program cannot continue.";
}

MenuCommandLine ParseMenuCommandLine(const std::string& line) {
    MenuCommandLine command;
    if (line.empty()) return command;
    const std::size_t at = FindSwitch(line, "/l", SwitchAt::First, SwitchEnd::WordEnd);
    if (at == std::string::npos) {
        command.file = line;
        return command;
    }
    command.lockedMode = true;
    // The path stands before the switch and the blank that separates them.
    if (at > 1) command.file = line.substr(0, at - 1);
    return command;
}

std::string StartUpMenu(long startOpen, const std::string& folderMenu, const std::string& home,
                        const std::string& last) {
    switch (startOpen) {
    case kStartFolderMenu:
        return folderMenu;
    case kStartHome:
        return home;
    case kStartLast:
        return last;
    default:
        return {};
    }
}

Placement StartPlacement(Placement stored, bool lockedMode, int frameHeight) {
    if (!lockedMode) {
        if (stored.width < kMinPlacedWidth) stored.width = kMinPlacedWidth;
        if (stored.height < frameHeight + kMinClientHeight) stored.height = frameHeight + kMinClientHeight;
    }
    return stored;
}

TrackingSize MinimumTrackingSize(bool lockedMode, int frameHeight) {
    return {kMinTrackingWidth, frameHeight + kMinClientHeight + (lockedMode ? kLockedExtraHeight : 0)};
}

} // namespace z9
