#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace z9 {
namespace {

class CodePageTest : public ::testing::Test {
protected:
};

TEST_F(CodePageTest, EveryByteOf1252SurvivesARoundTrip) {
    SetAnsiCodePage(1252);
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::u16string text = AnsiToUtf16(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(Utf16ToAnsi(text), all);
    // Defined characters map to their Unicode twins, the five undefined bytes to C1 controls.
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x9F], u'\u0178');
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(static_cast<int>(text[undefined]), undefined);
    EXPECT_EQ(text[0xE9], u'\u00E9');
}

TEST_F(CodePageTest, OtherCodePagesAndUnmappableCharacters) {
    SetAnsiCodePage(1251);
    EXPECT_EQ(AnsiToUtf16("\xC0\xE1"), u"Аб");
    EXPECT_EQ(Utf16ToAnsi(u"Аб€"), "\xC0\xE1\x88");
    SetAnsiCodePage(1252);
    EXPECT_EQ(Utf16ToAnsi(u"a\u4E2Db"), "a?b");
    EXPECT_EQ(Utf16ToAnsi(u"a\U0001F600b"), "a?b"); // one character, one '?'
    // No look-alike stands in for a letter the code page lacks.
    EXPECT_EQ(Utf16ToAnsi(u"\u0105\u0141"), "??");
    // A lone surrogate is no character either.
    EXPECT_EQ(Utf16ToAnsi(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a?b");
    SetAnsiCodePage(932);
    EXPECT_EQ(AnsiToUtf16("\x93\xFA\x96\x7B"), u"日本");
    EXPECT_EQ(Utf16ToAnsi(u"日本"), "\x93\xFA\x96\x7B");
    EXPECT_EQ(Utf16ToAnsi(u"a\U0001F600b\u0E01c"), "a?b?c");
    // The code page can also be named with each call.
    EXPECT_EQ(Utf16ToAnsi(u"\u00C9", 1252), "\xC9");
    EXPECT_EQ(AnsiToUtf16("\xC9", 1251), u"Й");
}

struct PublishedTable {
    int codePage;
    std::array<char16_t, 256> units; // 0xFFFF: the byte is undefined
};

const std::vector<PublishedTable>& PublishedTables() {
    static const std::vector<PublishedTable> tables = {
#include "data/ansi-code-pages.inc"
    };
    return tables;
}

// Every single-byte code page against its published table, every byte both
// ways: the Hebrew and Vietnamese pages hold letters that can take combining
// marks, and a table built without care lost exactly those.
TEST_F(CodePageTest, EverySingleByteCodePageMatchesItsPublishedTable) {
    ASSERT_EQ(PublishedTables().size(), 10u);
    for (const PublishedTable& published : PublishedTables()) {
        const int cp = published.codePage;
        int wrong = 0;
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::u16string text = AnsiToUtf16(byte, cp);
            ASSERT_EQ(text.size(), 1u) << cp << " byte " << b;
            if (published.units[b] != 0xFFFF) {
                if (text[0] != published.units[b] || Utf16ToAnsi(text, cp) != byte) ++wrong;
                EXPECT_EQ(static_cast<int>(text[0]), static_cast<int>(published.units[b]))
                    << "code page " << cp << " byte " << std::hex << b;
                EXPECT_EQ(Utf16ToAnsi(std::u16string(1, published.units[b]), cp), byte)
                    << "code page " << cp << " character " << std::hex
                    << static_cast<int>(published.units[b]);
            } else {
                // A byte the code page leaves undefined still comes back as itself.
                EXPECT_EQ(Utf16ToAnsi(text, cp), byte) << "code page " << cp << " byte " << std::hex << b;
            }
        }
        EXPECT_EQ(wrong, 0) << "code page " << cp;
    }
}

TEST_F(CodePageTest, HebrewAndVietnameseWordsBothWays) {
    EXPECT_EQ(AnsiToUtf16("\xF9\xEC\xE5\xED", 1255), u"\u05E9\u05DC\u05D5\u05DD");
    EXPECT_EQ(Utf16ToAnsi(u"\u05E9\u05DC\u05D5\u05DD", 1255), "\xF9\xEC\xE5\xED");
    // A letter and a combining tone mark stay two characters, as they are two bytes.
    EXPECT_EQ(AnsiToUtf16("Vi\xEA\xF2t", 1258), u"Vi\u00EA\u0323t");
    EXPECT_EQ(Utf16ToAnsi(u"Vi\u00EA\u0323t", 1258), "Vi\xEA\xF2t");
}

// The east Asian converters stay open between calls: nothing a call leaves
// half done (a lead byte without its second byte, a lone surrogate) reaches the
// next call, and threads converting at once do not share a converter.
TEST_F(CodePageTest, EastAsianConversionsShareNothingBetweenCallsOrThreads) {
    EXPECT_EQ(AnsiToUtf16("a\x93", 932).substr(0, 1), u"a");
    EXPECT_EQ(AnsiToUtf16("\x96\x7B", 932), u"本");
    EXPECT_EQ(Utf16ToAnsi(std::u16string(u"a") + char16_t(0xD800), 932), "a?");
    EXPECT_EQ(Utf16ToAnsi(u"本", 932), "\x96\x7B");
    AnsiToUtf16("\xB1", 936);
    EXPECT_EQ(AnsiToUtf16("\xB8\xB1", 936), u"副");

    struct Sample {
        int codePage;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Sample> samples = {
        {932, "\x93\xFA\x96\x7B\x8C\xEA", u"日本語"},
        {936, "\xB9\xA4\xD7\xCA\xCA\xFD\xBE\xDD", u"工资数据"},
        {950, "\xA4\xE9\xA5\xBB", u"日本"},
        {949, "\xC7\xD1\xB1\xB9", u"한국"},
    };
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 400; ++i) {
                const Sample& s = samples[static_cast<std::size_t>(i + t) % samples.size()];
                if (AnsiToUtf16(s.bytes, s.codePage) != s.text) ++wrong;
                if (Utf16ToAnsi(s.text, s.codePage) != s.bytes) ++wrong;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST_F(CodePageTest, CodePageFollowsTheLocaleName) {
    EXPECT_EQ(CodePageForLocaleName("C"), 1252);
    EXPECT_EQ(CodePageForLocaleName("POSIX"), 1252);
    EXPECT_EQ(CodePageForLocaleName("en_US"), 1252);
    EXPECT_EQ(CodePageForLocaleName("de_DE.UTF-8"), 1252);
    EXPECT_EQ(CodePageForLocaleName("ru_RU.UTF-8"), 1251);
    EXPECT_EQ(CodePageForLocaleName("sr_RS@latin"), 1251);
    EXPECT_EQ(CodePageForLocaleName("pl_PL"), 1250);
    EXPECT_EQ(CodePageForLocaleName("ja_JP"), 932);
    EXPECT_EQ(CodePageForLocaleName("zh_TW"), 950);
    EXPECT_EQ(CodePageForLocaleName("zh-HK"), 950);
    EXPECT_EQ(CodePageForLocaleName("zh_Hant"), 950);
    EXPECT_EQ(CodePageForLocaleName("zh_CN"), 936);
    EXPECT_EQ(CodePageForLocaleName("zh_Hans_SG"), 936);
    EXPECT_EQ(CodePageForLocaleName("lt_LT"), 1257);
    EXPECT_EQ(CodePageForLocaleName("TR_tr"), 1254);
    EXPECT_EQ(CodePageForLocaleName("he_IL"), 1255);
    EXPECT_EQ(CodePageForLocaleName("th_TH"), 874);
}

TEST_F(CodePageTest, AChosenCodePageOutranksANamedLocale) {
    SetProgramLocale("ru_RU");
    EXPECT_TRUE(ProgramLocaleNamed());
    EXPECT_EQ(ProgramLocaleName(), "ru_RU");
    EXPECT_EQ(AnsiCodePage(), 1251);
    SetAnsiCodePage(932);
    EXPECT_EQ(AnsiCodePage(), 932);
    SetAnsiCodePage(0);
    SetProgramLocale("");
    EXPECT_FALSE(ProgramLocaleNamed());
    EXPECT_EQ(AnsiCodePage(), SystemAnsiCodePage());
}

} // namespace
} // namespace z9
