#include "menu/document/MenuItem.h"

#include "common/Program.h"

#include <gtest/gtest.h>
#include <random>

namespace z9 {
namespace {

const std::string kPayrollLine =
    "3><CAPTION>Payroll</CAPTION> <LINK>C:\\Jobs\\pay.z9f</LINK> <FONTNAME>Arial</FONTNAME> "
    "<FONTSIZE>10</FONTSIZE> <FONTBOLD>True</FONTBOLD> <FONTITALIC>False</FONTITALIC> "
    "<FONTSTR>False</FONTSTR> "
    "<FONTUNDER>False</FONTUNDER> <FONTCOLOR>16711680</FONTCOLOR> <FONTCHAR>0</FONTCHAR>";

MenuItem Payroll() {
    MenuItem item;
    item.Type = vLink;
    item.Caption = "Payroll";
    item.Link = "C:\\Jobs\\pay.z9f";
    item.Font.Name = "Arial";
    item.Font.Size = 10;
    item.Font.Bold = true;
    item.FontColor = 0xFF0000;
    return item;
}

// The program's character set for one test.
class CharsetScope {
public:
    explicit CharsetScope(int charset) : old_(ProgramCharset()) { SetProgramCharset(charset); }
    ~CharsetScope() { SetProgramCharset(old_); }

private:
    int old_;
};

TEST(MenuItemTest, WritesTheLineFormatAndReadsItBack) {
    EXPECT_EQ(WriteItem(Payroll()), kPayrollLine);
    EXPECT_EQ(ReadItem(kPayrollLine), Payroll());
}

TEST(MenuItemTest, TagsAreFoundInAnyOrderButOnlyWithTheirExactName) {
    const MenuItem item =
        ReadItem("2><FONTCHAR>204</FONTCHAR><FONTBOLD>TRUE</FONTBOLD><caption>low</caption>"
                 "<CAPTIONS>plural</CAPTIONS><FONTSIZEX>30</FONTSIZEX><CAPTION>Real</CAPTION>"
                 "<FONTSTR>1</FONTSTR><FONTUNDER>-1</FONTUNDER><FONTITALIC>0</FONTITALIC>");
    EXPECT_EQ(item.Type, vLabel);
    EXPECT_EQ(item.Caption, "Real");
    EXPECT_EQ(item.Font.Charset, 204);
    EXPECT_TRUE(item.Font.Bold);
    EXPECT_TRUE(item.Font.Strikethrough);
    EXPECT_TRUE(item.Font.Underline);
    EXPECT_FALSE(item.Font.Italic);
    EXPECT_EQ(item.Font.Size, DefaultItemFont().Size);
}

TEST(MenuItemTest, ReadTagCutsAtTheFirstClosingTagOrRunsToTheEnd) {
    // A caption holding its own closing tag is cut there.
    EXPECT_EQ(ReadTag("1><CAPTION>a</CAPTION>b</CAPTION> <LINK>x</LINK>", "CAPTION"), "a");
    // Without its closing tag a value runs to the end of the line.
    EXPECT_EQ(ReadTag("3><CAPTION>Go</CAPTION> <LINK>notepad.exe C:\\a.txt <FONTNAME>Arial", "LINK"),
              "notepad.exe C:\\a.txt <FONTNAME>Arial");
    // A closing tag before the opening one does not count.
    EXPECT_EQ(ReadTag("</LINK>3><LINK>after</LINK>", "LINK"), "after");
    EXPECT_EQ(ReadTag("<LINK></LINK>", "LINK"), "");
    EXPECT_EQ(ReadTag("<LINK>", "LINK"), "");
    EXPECT_EQ(ReadTag("no tags at all", "LINK"), "");
    EXPECT_EQ(ReadTag("<LINK", "LINK"), "");
    EXPECT_EQ(ReadTag("<<LINK>>x</LINK>>", "LINK"), ">x");
}

TEST(MenuItemTest, EachFieldIsCutByItsOwnTagsWhateverTheOthersHold) {
    const MenuItem item = ReadItem("</LINK>3><CAPTION>a</CAPTION>b</CAPTION> <LINK>notepad <FONTNAME>Arial"
                                   "</FONTNAME> <FONTSIZE>12");
    EXPECT_EQ(item.Type, vNotVisible);
    EXPECT_EQ(item.Caption, "a");
    EXPECT_EQ(item.Link, "notepad <FONTNAME>Arial</FONTNAME> <FONTSIZE>12");
    EXPECT_EQ(item.Font.Name, "Arial");
    EXPECT_EQ(item.Font.Size, 12);
}

TEST(MenuItemTest, TheTypeIsTheFirstCharacterAlone) {
    EXPECT_EQ(ReadItem("7><CAPTION>future</CAPTION>").Type, 7);
    EXPECT_EQ(ReadItem("12><CAPTION>x</CAPTION>").Type, 1);
    EXPECT_EQ(ReadItem("9").Type, 9);
    EXPECT_EQ(ReadItem("x3><CAPTION>x</CAPTION>").Type, vNotVisible);
    EXPECT_EQ(ReadItem(" 3>").Type, vNotVisible);
    EXPECT_EQ(ReadItem("-3>").Type, vNotVisible);
    EXPECT_EQ(ReadItem("").Type, vNotVisible);
}

TEST(MenuItemTest, ASeparatorAloneGetsTheDefaultFont) {
    CharsetScope cyrillic(204);
    const MenuItem line = ReadItem("5>");
    EXPECT_EQ(line.Type, vLine);
    EXPECT_EQ(line.Caption, "");
    EXPECT_EQ(line.Link, "");
    EXPECT_EQ(line.FontColor, 0);
    EXPECT_EQ(line.Font, DefaultItemFont());
    // The default is the window's own font in the program's character set.
    EXPECT_EQ(line.Font.Name, "Tahoma");
    EXPECT_EQ(line.Font.Size, 8);
    EXPECT_EQ(line.Font.Charset, 204);
    EXPECT_FALSE(line.Font.Bold || line.Font.Italic || line.Font.Underline || line.Font.Strikethrough);
    // Written and read again, the default item stays what it was.
    EXPECT_EQ(ReadItem(WriteItem(line)), line);
}

TEST(MenuItemTest, FontSizesAreWholeNumbersRoundedHalfToEven) {
    auto sizeRead = [](const std::string& text) {
        return ReadItem("2><FONTSIZE>" + text + "</FONTSIZE>").Font.Size;
    };
    EXPECT_EQ(sizeRead("10.5"), 10);
    EXPECT_EQ(sizeRead("11.5"), 12);
    EXPECT_EQ(sizeRead("10.51"), 11);
    EXPECT_EQ(sizeRead(" 14 "), 14);

    auto sizeWritten = [](double size) {
        MenuItem item;
        item.Font.Size = size;
        return ReadTag(WriteItem(item), "FONTSIZE");
    };
    EXPECT_EQ(sizeWritten(10.5), "10");
    EXPECT_EQ(sizeWritten(11.5), "12");
    EXPECT_EQ(sizeWritten(2.5), "2");
    EXPECT_EQ(sizeWritten(8.25), "8");
    EXPECT_EQ(sizeWritten(8.75), "9");
    EXPECT_EQ(sizeWritten(100), "100");
}

TEST(MenuItemTest, ValuesThatDoNotConvertKeepTheirDefaults) {
    CharsetScope western(0);
    const MenuItem item =
        ReadItem("3><FONTNAME></FONTNAME> <FONTSIZE>big</FONTSIZE> <FONTBOLD>yes</FONTBOLD> "
                 "<FONTITALIC></FONTITALIC> <FONTCOLOR>99999999999</FONTCOLOR> "
                 "<FONTCHAR>70000</FONTCHAR> <FONTSTR>1e1</FONTSTR>");
    EXPECT_EQ(item.Font, DefaultItemFont());
    EXPECT_EQ(item.FontColor, 0);
    EXPECT_EQ(ReadItem("3><FONTSIZE>0</FONTSIZE>").Font.Size, DefaultItemFont().Size);
    EXPECT_EQ(ReadItem("3><FONTSIZE>-12</FONTSIZE>").Font.Size, DefaultItemFont().Size);
    // Each field on its own: a bad size does not spoil the colour after it.
    const MenuItem mixed =
        ReadItem("3><FONTSIZE>x</FONTSIZE><FONTCOLOR>-2147483648</FONTCOLOR><FONTCHAR>-1</FONTCHAR>");
    EXPECT_EQ(mixed.FontColor, INT32_MIN);
    EXPECT_EQ(mixed.Font.Charset, -1);
    EXPECT_EQ(ReadItem("3><FONTCOLOR>2147483648</FONTCOLOR>").FontColor, 0);
    EXPECT_EQ(ReadItem("3><FONTCOLOR>255.5</FONTCOLOR>").FontColor, 256);
}

TEST(MenuItemTest, NamesAndSummaries) {
    const char* names[] = {"vNotVisible", "vTitle", "vLabel", "vLink", "vSpace", "vLine"};
    for (int type = 0; type < 6; ++type)
        EXPECT_EQ(ItemTypeName(type), names[type]);
    EXPECT_EQ(ItemTypeName(6), "");
    EXPECT_EQ(ItemTypeName(-1), "");

    MenuItem item = Payroll();
    EXPECT_EQ(DescribeItem("vLink", item), "Type = vLink, Caption = Payroll");
    item.Caption.clear();
    EXPECT_EQ(DescribeItem("vLink", item), "Type = vLink, Link = C:\\Jobs\\pay.z9f");
    item.Caption = "Kept";
    for (std::int16_t type : {0, 4, 5}) {
        item.Type = type;
        EXPECT_EQ(DescribeItem(ItemTypeName(type), item), "Type = " + ItemTypeName(type));
    }
    item.Type = 7;
    EXPECT_EQ(DescribeItem(ItemTypeName(7), item), "Type = , Caption = Kept");
}

// Random items come back whole: texts with "<", ">", "&", line breaks and bytes
// above 127 are written as they are. (Their texts hold no upper-case tag.)
TEST(MenuItemTest, GeneratedItemsSurviveWritingAndReading) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "abcxyz019 <>&/\"'=%\\:.\xC4\xE9\xFF\x80\x01";
    auto text = [&](int maxLength) {
        std::string s;
        for (int n = std::uniform_int_distribution<int>(0, maxLength)(rng); n > 0; --n) {
            if (rng() % 17 == 0)
                s += "\r\n";
            else
                s += alphabet[rng() % alphabet.size()];
        }
        return s;
    };
    for (int i = 0; i < 2000; ++i) {
        MenuItem item;
        item.Type = static_cast<std::int16_t>(rng() % 10);
        item.Caption = text(40);
        item.Link = text(60);
        item.Font.Name = "F" + text(12);
        item.Font.Size = 1 + rng() % 200;
        item.Font.Bold = rng() % 2;
        item.Font.Italic = rng() % 2;
        item.Font.Underline = rng() % 2;
        item.Font.Strikethrough = rng() % 2;
        item.Font.Charset = static_cast<std::int16_t>(rng());
        item.FontColor = static_cast<std::int32_t>(rng());
        ASSERT_EQ(ReadItem(WriteItem(item)), item) << WriteItem(item);
    }
}

} // namespace
} // namespace z9
