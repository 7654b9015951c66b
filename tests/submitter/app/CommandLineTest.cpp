#include "submitter/app/CommandLine.h"

#include "common/Program.h"

#include <gtest/gtest.h>

using namespace z9;
using Parts = std::vector<std::string>;

TEST(CommandLine, HelpOnlyForTheWholeTrimmedLine) {
    for (const char* line : {"/?", "   /?  ", "--help", "-h", " -h "}) {
        CommandLine c = ParseCommandLine(line);
        EXPECT_TRUE(c.help) << line;
        EXPECT_FALSE(c.HasFileName()) << line;
    }
    // Only the exact spellings: a file may well be called -H or --helper.
    for (const char* line : {"-H", "--helper", "--help x", "-help"})
        EXPECT_FALSE(ParseCommandLine(line).help) << line;
    CommandLine quoted = ParseCommandLine("\"/?\"");
    EXPECT_FALSE(quoted.help);
    EXPECT_EQ(quoted.parts, Parts{"\"/?\""});
    CommandLine more = ParseCommandLine("/? x");
    EXPECT_FALSE(more.help);
    EXPECT_EQ(more.parts, Parts{"/? x"});
}

TEST(CommandLine, EmptyLineNamesNothing) {
    for (const char* line : {"", "    "}) {
        CommandLine c = ParseCommandLine(line);
        EXPECT_FALSE(c.help);
        EXPECT_FALSE(c.submitMode);
        EXPECT_FALSE(c.HasFileName());
    }
}

TEST(CommandLine, SwitchNeedsABlankBeforeIt) {
    CommandLine c = ParseCommandLine("/s a.z9f");
    EXPECT_FALSE(c.submitMode);
    EXPECT_EQ(c.parts, Parts{"/s a.z9f"});

    CommandLine upper = ParseCommandLine("a.z9f /S");
    EXPECT_TRUE(upper.submitMode);
    EXPECT_EQ(upper.parts, Parts{"a.z9f"});
}

TEST(CommandLine, SwitchAloneIsASubmitRunWithoutAFile) {
    for (const char* line : {"/s", " /S "}) {
        CommandLine c = ParseCommandLine(line);
        EXPECT_TRUE(c.submitMode) << line;
        EXPECT_FALSE(c.HasFileName()) << line;
    }
}

TEST(CommandLine, SwitchAfterAnAssignmentBelongsToItsValue) {
    CommandLine c = ParseCommandLine("a.z9f Z9EnvVar: 1-X=/s");
    EXPECT_FALSE(c.submitMode);
    EXPECT_EQ(c.parts, (Parts{"a.z9f", " 1-X=/s"}));

    // Only the first " /s" counts; a later one stays in the value.
    CommandLine both = ParseCommandLine("a.z9f /s Z9EnvVar: 1-X=b /s");
    EXPECT_TRUE(both.submitMode);
    EXPECT_EQ(both.parts, (Parts{"a.z9f", " 1-X=b /s"}));
}

TEST(CommandLine, QuotedPathWithSwitchAndTwoAssignments) {
    CommandLine c =
        ParseCommandLine("\"C:\\My Tasks\\a.z9f\" /s Z9EnvVar: 2-OUT=C:\\tmp Z9EnvVar: 2-DEBUG=checked");
    EXPECT_TRUE(c.submitMode);
    ASSERT_EQ(c.parts.size(), 3u);
    EXPECT_EQ(StripQuotes(c.parts[0]), "C:\\My Tasks\\a.z9f");
    EXPECT_EQ(c.parts[1], " 2-OUT=C:\\tmp");
    EXPECT_EQ(c.parts[2], " 2-DEBUG=checked");
}

TEST(CommandLine, AssignmentKeywordIgnoresCaseAndBlanksInPathsStay) {
    CommandLine c = ParseCommandLine("/home/me/My Tasks/a b.z9f z9envvar: 1-A=x y ZZ9ENVVAR: 2-B=z");
    EXPECT_FALSE(c.submitMode);
    EXPECT_EQ(c.parts, (Parts{"/home/me/My Tasks/a b.z9f", " 1-A=x y ZZ9ENVVAR: 2-B=z"}));
}

TEST(CommandLine, StripQuotesDropsEachEndOnItsOwn) {
    EXPECT_EQ(StripQuotes("\"a.z9f\""), "a.z9f");
    EXPECT_EQ(StripQuotes("\"a.z9f"), "a.z9f");
    EXPECT_EQ(StripQuotes("a.z9f\""), "a.z9f");
    EXPECT_EQ(StripQuotes("\"\""), "\"\""); // too short
    EXPECT_EQ(StripQuotes("\"a\""), "a");
    EXPECT_EQ(StripQuotes("\"\"a.z9f\"\""), "\"a.z9f\"");
}

TEST(CommandLine, JoinArgumentsWithSingleBlanks) {
    char prog[] = "Z9Sub", a[] = "/home/me/My Tasks/a.z9f", s[] = "/s", e[] = "Z9EnvVar:", v[] = "1-X=a  b";
    char* argv[] = {prog, a, s, e, v};
    std::string line = JoinArguments(5, argv);
    EXPECT_EQ(line, "/home/me/My Tasks/a.z9f /s Z9EnvVar: 1-X=a  b");
    CommandLine c = ParseCommandLine(line);
    EXPECT_TRUE(c.submitMode);
    EXPECT_EQ(c.parts, (Parts{"/home/me/My Tasks/a.z9f", " 1-X=a  b"}));
    EXPECT_EQ(JoinArguments(1, argv), "");
}

TEST(CommandLine, HelpTextAndTitle) {
    // The text scripts and users see, line by line, joined with CR LF.
    const char* lines[] = {
        "Command Line Format: Z9Sub \"Z9F File Name\" [/s] [Z9EnvVar: StepNumber-VariableName=String]",
        "",
        "   /s - Submit task (this switch must be before Z9EnvVar switches)",
        "   Z9EnvVar - Used to set shown environment variable; names are case-sensitive; can be repeated "
        "multiple times;",
        "       to set check to checked state write 'checked' as value of variable;",
        "       to set combo value enter index (0,..,n-1) of element you want to select;",
        "",
        "If '/s' switch is defined any errors will be written to 'Z9SubError.log' in current directory.",
    };
    std::string expected;
    for (size_t i = 0; i < std::size(lines); ++i)
        expected += (i ? "\r\n" : "") + std::string(lines[i]);
    EXPECT_EQ(HelpText(), expected);
    EXPECT_EQ(WindowTitle(1, 0, 291), "Zorvan Submitter 1.0.291");
}
