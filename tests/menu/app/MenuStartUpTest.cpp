#include "menu/app/MenuStartUp.h"

#include "common/Program.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(MenuStartUp, TitleAndTheMissingSubmitter) {
    EXPECT_EQ(MenuProgramTitle(1, 2, 3), "Zorvan Menu 1.2.3");
    EXPECT_EQ(Z9SubMissingText(),
              std::string("File \"Z9Sub") + ExeSuffix() +
                  "\" must be in same directory as Zorvan Menu!\n\nProgram cannot continue.");
}

TEST(MenuStartUp, CommandLineWithTheLockSwitch) {
    struct Case {
        const char* line;
        const char* file;
        bool locked;
    } cases[] = {
        {"", "", false},
        {"C:\\Menus\\a.z9m", "C:\\Menus\\a.z9m", false},
        {"C:\\Menus\\a.z9m /l", "C:\\Menus\\a.z9m", true},
        {"C:\\Menus\\a.z9m /L", "C:\\Menus\\a.z9m", true},
        {"\"C:\\My Menus\\a.z9m\" /l", "\"C:\\My Menus\\a.z9m\"", true},
        {"/l", "", true},
        {"/L", "", true},
        {"a /l", "a", true},
        // Linux paths hold "/l" without being the switch.
        {"/lisa/menus/a.z9m", "/lisa/menus/a.z9m", false},
        {"/home/lisa/a.z9m", "/home/lisa/a.z9m", false},
        {"/lisa/menus/a.z9m /l", "/lisa/menus/a.z9m", true},
        {"/home/u/a b/l.z9m /l", "/home/u/a b/l.z9m", true},
        {"/home/u/a /lib.z9m", "/home/u/a /lib.z9m", false},
    };
    for (const Case& c : cases) {
        const MenuCommandLine command = ParseMenuCommandLine(c.line);
        EXPECT_EQ(command.file, c.file) << c.line;
        EXPECT_EQ(command.lockedMode, c.locked) << c.line;
    }
}

TEST(MenuStartUp, StartOpenChoosesTheFirstMenu) {
    EXPECT_EQ(StartUpMenu(0, "F", "H", "L"), "F");
    EXPECT_EQ(StartUpMenu(1, "F", "H", "L"), "H");
    EXPECT_EQ(StartUpMenu(2, "F", "H", "L"), "L");
    EXPECT_EQ(StartUpMenu(3, "F", "H", "L"), "");
    EXPECT_EQ(StartUpMenu(-1, "F", "H", "L"), "");
    EXPECT_EQ(StartUpMenu(1, "F", "", "L"), "") << "no home: the open dialog";
}

TEST(MenuStartUp, PlacementKeepsItsMinimumsOutsideTheLockedMode) {
    const Placement small{10, 20, 4000, 3000};
    EXPECT_EQ(StartPlacement(small, false, 400), (Placement{10, 20, 10000, 6595}));
    EXPECT_EQ(StartPlacement(small, true, 400), small);
    const Placement large{0, 0, 12000, 9000};
    EXPECT_EQ(StartPlacement(large, false, 400), large);
    EXPECT_EQ(StartPlacement(Placement{}, false, 0), (Placement{1000, 1000, 10000, 8000}));

    EXPECT_EQ(MinimumTrackingSize(false, 400), (TrackingSize{7000, 6595}));
    EXPECT_EQ(MinimumTrackingSize(true, 400), (TrackingSize{7000, 9690}));
}

} // namespace
} // namespace z9
