#include "common/Arguments.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using Words = std::vector<std::string>;

TEST(SplitArguments, TheCRuntimesRules) {
    EXPECT_EQ(SplitArguments(R"(p "abc" d e)"), (Words{"p", "abc", "d", "e"}));
    EXPECT_EQ(SplitArguments(R"(p a\\b d"e f"g h)"), (Words{"p", R"(a\\b)", "de fg", "h"}));
    EXPECT_EQ(SplitArguments(R"(p a\\\"b c d)"), (Words{"p", R"(a\"b)", "c", "d"}));
    EXPECT_EQ(SplitArguments(R"(p a\\\\"b c" d e)"), (Words{"p", R"(a\\b c)", "d", "e"}));
    EXPECT_EQ(SplitArguments(R"(p a"b"" c d)"), (Words{"p", R"(ab" c d)"}));
    EXPECT_EQ(SplitArguments("p \"\" x\t\t\"\""), (Words{"p", "", "x", ""}));
    EXPECT_EQ(SplitArguments(R"(p C:\Jobs\ end\)"), (Words{"p", R"(C:\Jobs\)", R"(end\)"}));
}

TEST(SplitArguments, TheProgramKnowsNoEscapes) {
    EXPECT_EQ(SplitArguments(R"("C:\My Tools\x.exe" -v)"), (Words{R"(C:\My Tools\x.exe)", "-v"}));
    EXPECT_EQ(SplitArguments(R"(C:\a\"b c)"), (Words{R"(C:\a\"b)", "c"}));
    EXPECT_EQ(SplitArguments(R"("C:\dir\"x y)"), (Words{R"(C:\dir\)", "x", "y"}));
    EXPECT_EQ(SplitArguments("  \"unterminated name"), (Words{"unterminated name"}));
    EXPECT_TRUE(SplitArguments(" \t ").empty());
    EXPECT_TRUE(SplitArguments("").empty());
}

TEST(SplitArguments, AnUnterminatedQuoteRunsToTheEnd) {
    EXPECT_EQ(SplitArguments("p \"a b\\\\"), (Words{"p", "a b\\\\"}));
    std::string big = "p \"" + std::string(100000, '\\');
    auto words = SplitArguments(big);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].size(), 100000u);
}

} // namespace
} // namespace z9
