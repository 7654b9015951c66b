#include "menu/app/CommandSwitch.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

constexpr auto npos = std::string::npos;

TEST(CommandSwitch, CountsOnlyWhereAWordStarts) {
    EXPECT_EQ(FindSwitch("/l", "/l"), 0u);
    EXPECT_EQ(FindSwitch("C:\\Menus\\a.z9m /L", "/l"), 15u);
    EXPECT_EQ(FindSwitch("a.z9m\t/l", "/l"), 6u);
    // Linux paths hold the letters of switches without being switches.
    EXPECT_EQ(FindSwitch("/lisa/menus/a.z9m", "/l"), 0u) << "a switch at the start of the text counts";
    EXPECT_EQ(FindSwitch("/home/lisa/menus/a.z9m", "/l"), npos);
    EXPECT_EQ(FindSwitch("/home/lisa/menus/a.z9m /l", "/l"), 23u);
    EXPECT_EQ(FindSwitch("/opt/z9/run", "/Z9"), npos);
    EXPECT_EQ(FindSwitch("\"/home/u/bin/Z9Sub\" /tmp/pay.z9f", "/Z9"), npos);
    EXPECT_EQ(FindSwitch("", "/l"), npos);
    EXPECT_EQ(FindSwitch("abc", ""), npos);
}

TEST(CommandSwitch, FirstOrLastOccurrence) {
    const std::string text = "/opt/z9/run /z9 x /Z9+/work";
    EXPECT_EQ(FindSwitch(text, "/Z9", SwitchAt::First), 12u);
    EXPECT_EQ(FindSwitch(text, "/Z9", SwitchAt::Last), 18u);
    EXPECT_EQ(FindSwitch("a/Z9 b/Z9", "/Z9", SwitchAt::Last), npos);
}

} // namespace
} // namespace z9
