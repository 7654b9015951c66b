#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

class CodePageTest : public ::testing::Test {
protected:
    void TearDown() override { SetAnsiCodePage(0); }
};

TEST_F(CodePageTest, EveryByteOf1252SurvivesARoundTrip) {
    SetAnsiCodePage(1252);
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    QString text = FromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToAnsi(text), all);
    // Defined characters map to their Unicode twins, the five undefined bytes to C1 controls.
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(text[undefined].unicode(), undefined);
    EXPECT_EQ(text[0xE9], QChar(0xE9));
}

TEST_F(CodePageTest, OtherCodePagesAndUnmappableCharacters) {
    SetAnsiCodePage(1251);
    EXPECT_EQ(FromAnsi("\xC0\xE1"), QString::fromUtf8("Аб"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("Аб€")), "\xC0\xE1\x88");
    SetAnsiCodePage(1252);
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\u4E2Db")), "a?b");
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\U0001F600b")), "a?b"); // one character, one '?'
    SetAnsiCodePage(932);
    EXPECT_EQ(FromAnsi("\x93\xFA\x96\x7B"), QString::fromUtf8("日本"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("日本")), "\x93\xFA\x96\x7B");
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\U0001F600b\u0E01c")), "a?b?c");
}

TEST_F(CodePageTest, CodePageFollowsTheLocale) {
    EXPECT_EQ(CodePageForLocale(QLocale(QLocale::C)), 1252);
    EXPECT_EQ(CodePageForLocale(QLocale("en_US")), 1252);
    EXPECT_EQ(CodePageForLocale(QLocale("de_DE")), 1252);
    EXPECT_EQ(CodePageForLocale(QLocale("ru_RU")), 1251);
    EXPECT_EQ(CodePageForLocale(QLocale("pl_PL")), 1250);
    EXPECT_EQ(CodePageForLocale(QLocale("ja_JP")), 932);
    EXPECT_EQ(CodePageForLocale(QLocale("zh_TW")), 950);
    EXPECT_EQ(CodePageForLocale(QLocale("zh_CN")), 936);
    EXPECT_EQ(CodePageForLocale(QLocale("lt_LT")), 1257);
}

} // namespace
} // namespace z9
