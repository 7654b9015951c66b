#include "common/AnsiCase.h"
#include "common/AsciiText.h"
#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(TextCaseTest, AsciiHelpersLeaveOtherBytesAlone) {
    EXPECT_EQ(UpperAscii("hh:mm t\xE9"), "HH:MM T\xE9");
    EXPECT_EQ(LowerAscii("Z9EnvVar:\xC9"), "z9envvar:\xC9");
    EXPECT_EQ(FindNoCase("a.z9f z9ENVVAR: 1-X=2", " z9envvar:"), 5u);
    EXPECT_EQ(FindNoCase("abc /S", " /s", 4), std::string::npos);
    EXPECT_EQ(FindNoCase("abc /S", " /s", 3), 3u);
    EXPECT_EQ(FindNoCase("ab", "abc"), std::string::npos);
    // A first letter that matches where the rest does not, and a match at the very end.
    EXPECT_EQ(FindNoCase("a z9 Z9EnvVar:", " z9envvar:"), 4u);
    EXPECT_EQ(FindNoCase("x /S", " /s"), 1u);
    EXPECT_EQ(FindNoCase("ab", "", 1), 1u);
}

TEST(TextCaseTest, AnsiCaseFollowsTheCodePage) {
    SetAnsiCodePage(1252);
    EXPECT_EQ(UpperAnsi("jos\xE9 m\xFCller"), "JOS\xC9 M\xDCLLER");
    EXPECT_EQ(LowerAnsi("\xC9TAGE"), "\xE9tage");
    // The sharp s has no one-character upper case in the code page: it stays.
    EXPECT_EQ(UpperAnsi("stra\xDF"
                        "e"),
              "STRA\xDF"
              "E");
    // y with diaeresis (0xFF) upper-cases to 0x9F in 1252.
    EXPECT_EQ(UpperAnsi("\xFF"), "\x9F");
    SetAnsiCodePage(1251);
    EXPECT_EQ(UpperAnsi("\xE8\xE2\xE0\xED"), "\xC8\xC2\xC0\xCD"); // ivan
    SetAnsiCodePage(0);
}

} // namespace
} // namespace z9
