#include "common/FontOptions.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(FontOptionsTest, TypedSizesAreNumbersInRangeKeptToATenth) {
    EXPECT_EQ(ParseFontSize("10"), 10);
    EXPECT_EQ(ParseFontSize(" 10.5 "), 10.5);
    EXPECT_EQ(ParseFontSize("10.55"), 10.6);
    EXPECT_EQ(ParseFontSize("8."), 8);
    EXPECT_EQ(ParseFontSize(".5"), std::nullopt); // below one point
    EXPECT_EQ(ParseFontSize("1"), 1);
    EXPECT_EQ(ParseFontSize("1638"), 1638);
    EXPECT_EQ(ParseFontSize("1638.1"), std::nullopt);
    EXPECT_EQ(ParseFontSize("0.96"), 1); // rounds into range
    EXPECT_EQ(ParseFontSize("0.94"), std::nullopt);
    for (const char* bad : {"", " ", "abc", "12pt", "1.2.3", ".", "-5", "+5", "1e3", "99999999999999999999"})
        EXPECT_EQ(ParseFontSize(bad), std::nullopt) << bad;

    EXPECT_EQ(FontSizeText(10), "10");
    EXPECT_EQ(FontSizeText(10.5), "10.5");
    EXPECT_EQ(FontSizeText(8.25), "8.3");
    EXPECT_EQ(ParseFontSize(FontSizeText(72)), 72);
}

TEST(FontOptionsTest, ScriptsAndColoursByTheirWindowsValues) {
    EXPECT_EQ(FontScriptName(0), "Western");
    EXPECT_EQ(FontScriptName(204), "Cyrillic");
    EXPECT_EQ(FontScriptName(238), "Central European");
    EXPECT_EQ(FontScriptName(99), "99"); // a value only a file holds keeps a name
    EXPECT_EQ(FontScripts().front().charset, 0);
    for (const FontScript& script : FontScripts())
        EXPECT_EQ(FontScriptName(script.charset), script.name);

    EXPECT_EQ(RgbColor(255, 0, 0), 0x0000FF);
    EXPECT_EQ(RgbColor(0, 0, 255), 0xFF0000);
    EXPECT_EQ(ColorRed(0x123456), 0x56);
    EXPECT_EQ(ColorGreen(0x123456), 0x34);
    EXPECT_EQ(ColorBlue(0x123456), 0x12);
    EXPECT_TRUE(IsSystemColor(static_cast<int>(0x80000008u)));
    EXPECT_FALSE(IsSystemColor(0xFFFFFF));

    ASSERT_EQ(FontColors().size(), 16u);
    EXPECT_STREQ(FontColors().front().name, "Black");
    EXPECT_EQ(FontColors().back().color, 0xFFFFFF);
    EXPECT_EQ(FontColorIndex(RgbColor(255, 0, 0)), 9u); // Red
    EXPECT_EQ(FontColorIndex(0x123456), std::nullopt);
}

} // namespace
} // namespace z9
