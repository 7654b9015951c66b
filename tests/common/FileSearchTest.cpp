#include "common/FileSearch.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

TEST(FileSearchTest, FindsTheFirstMatchAndFolders) {
    test::TempFolder folder; // also the current folder
    folder.Write("JobR/KEY.urr", "x");
    folder.Write("JobR/a.txt", "x");
    fs::create_directories(folder.Path() / "empty");
    EXPECT_EQ(FindFileName("JobR\\KEY.urr"), "KEY.urr");
    EXPECT_EQ(FindFileName("JobR\\OTHER.urr"), "");
    EXPECT_EQ(FindFileName("JobR\\*.TXT"), "a.txt");
    EXPECT_EQ(FindFileName("JobR\\?.txt"), "a.txt");
    EXPECT_EQ(FindFileName("JobR\\k*.*"), "KEY.urr");
    EXPECT_EQ(FindFileName("nowhere\\*.*"), "");
    EXPECT_EQ(FindFileName("JobR\\"), "");
    // An existing folder lists at least itself, even when empty.
    EXPECT_EQ(FindFileName("empty\\*.*"), ".");
    EXPECT_EQ(FindFileName("empty\\*.z9m"), "");

    EXPECT_TRUE(IsExistingFile("JobR\\a.txt"));
    EXPECT_TRUE(IsExistingFile("JobR\\*.urr"));
    EXPECT_TRUE(IsExistingFile(folder.Write("local.txt", "x").string()));
    EXPECT_TRUE(IsExistingFile("local.txt"));
    EXPECT_FALSE(IsExistingFile("empty"));
    EXPECT_FALSE(IsExistingFile("JobR\\c.txt"));
    EXPECT_FALSE(IsExistingFile(""));
}

#ifndef _WIN32
// Linux finds a server's share below its stand-in root (Windows asks the network),
// and lists a folder in byte order: of several matches, the first in that order.
TEST(FileSearchTest, SharesThroughTheirStandInAndTheFirstOfSeveralInByteOrder) {
    test::TempFolder folder;
    folder.Write("unc/S/$JQ/$JobR/KEY.urr", "x");
    folder.Write("unc/S/$JQ/$JobR/b.txt", "x");
    folder.Write("unc/S/$JQ/$JobR/a.txt", "x");
    EXPECT_EQ(FindFileName("\\\\S\\$JQ\\$JobR\\KEY.urr"), "KEY.urr");
    EXPECT_EQ(FindFileName("\\\\S\\$JQ\\$JobR\\*.TXT"), "a.txt");
    EXPECT_TRUE(IsExistingFile("\\\\S\\$JQ\\$JobR\\*.urr"));
    EXPECT_FALSE(IsExistingFile("\\\\S\\$JQ\\$JobR\\c.txt"));

    folder.Write("menus/Zeta.Z9M", "z");
    folder.Write("menus/alpha.z9m", "a");
    EXPECT_EQ(FindFileName("menus\\*.z9m"), "Zeta.Z9M"); // upper case first
}
#endif

TEST(FileSearchTest, FirstMenuAndPicturesOfAFolder) {
    test::TempFolder folder;
    folder.Write("menus/Zeta.Z9M", "z");
    folder.Write("menus/alpha.z9m", "a");
    folder.Write("menus/logo.bmp", "b");
    folder.Write("menus/logo2.BMP", "b");
    fs::create_directories(folder.Path() / "menus" / "sub.z9m");
    EXPECT_EQ(MatchingNames("menus/*.z9m", false), (std::vector<std::string>{"Zeta.Z9M", "alpha.z9m"}));
    EXPECT_EQ(MatchingNames("menus/*.z9m", true),
              (std::vector<std::string>{"Zeta.Z9M", "alpha.z9m", "sub.z9m"}));
    EXPECT_EQ(ExpandWildcards("menus\\logo*.bmp"),
              (std::vector<std::string>{"menus\\logo.bmp", "menus\\logo2.BMP"}));
    EXPECT_EQ(ExpandWildcards("menus\\none*.gif"), std::vector<std::string>{});
    EXPECT_EQ(MatchingNames("menus\\", true), std::vector<std::string>{});
}

TEST(FileSearchTest, WildcardsFollowTheSystemsRules) {
    EXPECT_TRUE(MatchesWildcard("Report", "report.*"));
    EXPECT_TRUE(MatchesWildcard("report.txt", "*.*"));
    EXPECT_TRUE(MatchesWildcard("noext", "*.*"));
    EXPECT_FALSE(MatchesWildcard("report.txt", "*.csv"));
    EXPECT_TRUE(MatchesWildcard("a.tar.gz", "*.gz"));
    EXPECT_TRUE(MatchesWildcard("ab", "a?"));
    EXPECT_FALSE(MatchesWildcard("a", "a?"));
    EXPECT_TRUE(MatchesWildcard("x", "***"));
    EXPECT_FALSE(MatchesWildcard("abc", "a*d"));
    EXPECT_TRUE(HasWildcards("C:\\x\\*.txt"));
    EXPECT_FALSE(HasWildcards("C:\\a*b\\plain.txt")); // only the last part counts
    EXPECT_EQ(ExpandWildcards("C:\\x\\plain.txt"), (std::vector<std::string>{"C:\\x\\plain.txt"}));
}

} // namespace
} // namespace z9
