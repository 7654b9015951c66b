#include "common/AsciiText.h"
#include "common/LineBreaks.h"
#include "common/PathParts.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(TrimTest, EachFormatTrimsItsOwnSet) {
    EXPECT_EQ(Trim("  /s a.z9f  "), "/s a.z9f");
    EXPECT_EQ(Trim("\t x \t"), "\t x \t"); // the command line trims blanks only
    EXPECT_EQ(Trim("\t x \t", kBlanks), "x");
    EXPECT_EQ(Trim("\x01<GENERAL>\r\n\x1a", kControlsAndSpace), "<GENERAL>");
    EXPECT_EQ(Trim(std::string("\0 a\0", 4), kControlsAndSpace), "a");
    EXPECT_EQ(Trim("\x7F"
                   "a",
                   kControlsAndSpace),
              "\x7F"
              "a"); // DEL is no control here
    EXPECT_EQ(TrimView(" \r\n dword:1 \r", " \t\r\n"), "dword:1");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("a b"), "a b");
}

TEST(HexTest, DigitsOfEitherCaseOrUpperCaseOnly) {
    EXPECT_EQ(HexDigit('0'), 0);
    EXPECT_EQ(HexDigit('9'), 9);
    EXPECT_EQ(HexDigit('a'), 10);
    EXPECT_EQ(HexDigit('F'), 15);
    EXPECT_EQ(HexDigit('g'), -1);
    EXPECT_EQ(HexDigit('/'), -1);
    EXPECT_EQ(HexDigit(':'), -1);
    EXPECT_EQ(UpperHexDigit('C'), 12);
    EXPECT_EQ(UpperHexDigit('c'), -1);
    EXPECT_EQ(UpperHexDigit('G'), -1);

    std::string out;
    AppendHexByte(out, 0x0A);
    AppendHexByte(out, 0xFF, false);
    AppendHexByte(out, 0x00);
    EXPECT_EQ(out, "0Aff00");
}

TEST(AsciiTextTest, PrefixesCompareWithoutCase) {
    EXPECT_TRUE(StartsWithNoCase("DWORD:0000000a", "dword:"));
    EXPECT_TRUE(StartsWithNoCase("hex(2):", "HEX("));
    EXPECT_FALSE(StartsWithNoCase("dwor", "dword:"));
    EXPECT_FALSE(StartsWithNoCase("\xC9x", "\xE9x")); // only ASCII letters fold
}

TEST(PathPartsTest, SplitsAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FileNamePart("C:\\Data\\in.txt"), "in.txt");
    EXPECT_EQ(FileNamePart("in.txt"), "in.txt");
    EXPECT_EQ(FileNamePart("C:\\Data\\"), "");
    EXPECT_EQ(FileNamePart("/home/u\\mixed/a b.z9f"), "a b.z9f");
    EXPECT_EQ(FolderPart("C:\\Data\\in.txt"), "C:\\Data\\");
    EXPECT_EQ(FolderPart("\\\\S\\$JQ/x"), "\\\\S\\$JQ/");
    EXPECT_EQ(FolderPart("in.txt"), "");
    EXPECT_EQ(NameStart("a\\b/c"), 4u);
    EXPECT_EQ(NameStart("abc"), 0u);

    EXPECT_EQ(ParentFolder("C:\\Data\\in.txt"), "C:\\Data");
    EXPECT_EQ(ParentFolder("/tmp/x/in.txt"), "/tmp/x");
    EXPECT_EQ(ParentFolder("/in.txt"), "/");
    EXPECT_EQ(ParentFolder("\\in.txt"), "\\");
    EXPECT_EQ(ParentFolder("in.txt"), "");
    EXPECT_EQ(ParentFolder("C:\\Data\\"), "C:\\Data");
}

TEST(PathPartsTest, RelativeMeansNoRootDriveOrShare) {
    for (const char* relative : {"list.txt", "lists\\db.txt", "./x", "..\\x", ""})
        EXPECT_TRUE(IsRelativePath(relative)) << relative;
    for (const char* rooted : {"/etc/x", "\\x", "\\\\SERVER\\SHARE\\x", "C:\\x", "d:x", "z:/x"})
        EXPECT_FALSE(IsRelativePath(rooted)) << rooted;
}

TEST(LineBreaksTest, EveryKindOfBreakBecomesOneMarkAndComesBackAsCrLf) {
    EXPECT_EQ(EncodeValue("a\n\r\n\rb\r"), "a\x01\x01\x01"
                                           "b\x01");
    EXPECT_EQ(EncodeValue("End\x1a"), "End\x01");
    EXPECT_EQ(EncodeValue("\r\r\n"), "\x01\x01");
    EXPECT_EQ(EncodeValue("plain <&> text"), "plain <&> text");
    EXPECT_EQ(DecodeValue("\x01x\x01"), "\r\nx\r\n");
    EXPECT_EQ(DecodeValue(EncodeValue("one\r\ntwo\r\n")), "one\r\ntwo\r\n");
    // A mark already in a value does not survive as itself: it reads back as a break.
    EXPECT_EQ(DecodeValue(EncodeValue("a\x01"
                                      "b")),
              "a\r\nb");
    // A lone CR, a lone LF or a Ctrl-Z that a hand-edited file holds reads as
    // the break a save makes of it, so reading is the same before and after a save.
    EXPECT_EQ(DecodeValue("a\rb\nc\x1a\r\n"), "a\r\nb\r\nc\r\n\r\n");
    for (const std::string raw : {"\r", "\n", "\x1a", "x\r\r\ny\n\x1a", "\n\r"})
        EXPECT_EQ(DecodeValue(EncodeValue(DecodeValue(raw))), DecodeValue(raw)) << raw;
}

} // namespace
} // namespace z9
