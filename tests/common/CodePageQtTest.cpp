#include "common/CodePageQt.h"
#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(CodePageQtTest, QStringCrossesTheSameDoor) {
    SetAnsiCodePage(1252);
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    QString text = FromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(ToAnsi(text), all);
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\U0001F600b")), "a?b");
    SetAnsiCodePage(1251);
    EXPECT_EQ(FromAnsi("\xC0\xE1"), QString::fromUtf8("Аб"));
    SetAnsiCodePage(0);
}

TEST(CodePageQtTest, ProgramLocaleFollowsTheNamedLocale) {
    SetProgramLocale("de_DE");
    EXPECT_EQ(ProgramLocale().language(), QLocale::German);
    EXPECT_EQ(CodePageForLocaleName(ProgramLocale().name().toStdString()), 1252);
    SetProgramLocale("C");
    EXPECT_EQ(ProgramLocale().name(), "en_US"); // C answers as en-US
    SetProgramLocale("zh_Hant");
    EXPECT_EQ(CodePageForLocaleName(ProgramLocale().name().toStdString()), 950);
    SetProgramLocale("");
}

} // namespace
} // namespace z9
