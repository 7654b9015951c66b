#pragma once
// The menu program's start-up decisions: its title, its command line, the
// menu it opens first and the sizes its window keeps to. No Qt here.
#include "common/WindowPlacement.h"

#include <string>

namespace z9 {

// "Zorvan Menu " and the version: "Zorvan Menu 1.0.0".
std::string MenuProgramTitle(int major, int minor, int revision);

// Why the program ends when the submitter is not beside it.
std::string Z9SubMissingText();

struct MenuCommandLine {
    std::string file;        // the menu to open, quotes still on; empty: the start-up menu
    bool lockedMode = false; // "/l": browse only
};

// The whole argument string: a menu path, and the switch "/l" (any case)
// behind it. The switch counts only as a word of its own, so a Linux path
// such as /lisa/menus/a.z9m is a path and not the switch.
MenuCommandLine ParseMenuCommandLine(const std::string& line);

// Registry value "StartOpen": what opens when the command line names no menu.
enum StartOpenChoice : long {
    kStartFolderMenu = 0, // the first *.z9m in the program's folder
    kStartHome = 1,       // the home menu
    kStartLast = 2,       // the menu opened last
};
// The start-up menu for a StartOpen value; empty (the open dialog) for any other value.
std::string StartUpMenu(long startOpen, const std::string& folderMenu, const std::string& home,
                        const std::string& last);

// ---- the window's sizes, twips
inline constexpr int kMinPlacedWidth = 10000;   // a stored width below it is widened
inline constexpr int kMinClientHeight = 6195;   // below the frame
inline constexpr int kLockedExtraHeight = 3095; // the locked window's logo needs the room
inline constexpr int kMinTrackingWidth = 7000;
inline constexpr int kLockedStripHeight = 2200;

// The stored placement with its minimums (outside the locked mode only).
// frameHeight: the window's frame and caption.
Placement StartPlacement(Placement stored, bool lockedMode, int frameHeight);

// The smallest outer size the user may drag the window to.
struct TrackingSize {
    int width = 0;
    int height = 0;
    bool operator==(const TrackingSize&) const = default;
};
TrackingSize MinimumTrackingSize(bool lockedMode, int frameHeight);

} // namespace z9
