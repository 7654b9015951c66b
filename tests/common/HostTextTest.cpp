// Text crossing into the host and back: the host speaks UTF-8, the programs the
// ANSI code page. Arguments, environment values, file names and found names
// all pass the same door, in code page 1252 and in 1251.
#include "common/HostText.h"
#include "common/CodePage.h"
#include "common/FileSearch.h"
#include "common/HostPath.h"
#include "common/Program.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

// The same names in UTF-8 (as Linux stores them) and in their code pages.
const std::string kUmlautUtf8 = "\xC3\x9C"
                                "bersicht.csv"; // Übersicht.csv
const std::string kUmlaut1252 = "\xDC"
                                "bersicht.csv";
const std::string kCyrillicUtf8 = "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.csv"; // Отчёт.csv
const std::string kCyrillic1251 = "\xCE\xF2\xF7\xB8\xF2.csv";

class HostTextTest : public ::testing::Test {
protected:
    void TearDown() override { SetAnsiCodePage(0); }
};

TEST_F(HostTextTest, NamesComeBackOnlyWhenTheCodePageHoldsThem) {
    std::string ansi;
    SetAnsiCodePage(1252);
    EXPECT_TRUE(FromHostName(kUmlautUtf8, ansi));
    EXPECT_EQ(ansi, kUmlaut1252);
    EXPECT_EQ(ToHostText(kUmlaut1252), kUmlautUtf8);
    EXPECT_FALSE(FromHostName(kCyrillicUtf8, ansi)) << "became " << ansi;
    // Bytes that are no UTF-8 at all name no text either.
    EXPECT_FALSE(FromHostName("bad\xFF.csv", ansi));

    SetAnsiCodePage(1251);
    EXPECT_TRUE(FromHostName(kCyrillicUtf8, ansi));
    EXPECT_EQ(ansi, kCyrillic1251);
    EXPECT_EQ(ToHostText(kCyrillic1251), kCyrillicUtf8);
    EXPECT_FALSE(FromHostName(kUmlautUtf8, ansi)) << "became " << ansi;
    EXPECT_TRUE(FromHostName("plain.txt", ansi));
    EXPECT_EQ(ansi, "plain.txt");
}

TEST_F(HostTextTest, FileNamesWrittenInTheCodePageFindTheFilesLinuxStoresInUtf8) {
    test::TempFolder folder;
    folder.Write("Daten/" + kUmlautUtf8, "de");
    folder.Write("Daten/" + kCyrillicUtf8, "ru");
    const std::string daten = folder.Path().string() + "\\Daten\\";

    SetAnsiCodePage(1252);
    EXPECT_EQ(HostFileName(daten + kUmlaut1252), (folder.Path() / "Daten" / kUmlautUtf8).string());
    EXPECT_TRUE(IsExistingFile(daten + kUmlaut1252));
    EXPECT_EQ(FindFileName(daten + "*bersicht.csv"), kUmlaut1252);
    // The Cyrillic name cannot be written in 1252: the search passes over it
    // rather than hand back a name of question marks that stands for other files.
    EXPECT_EQ(MatchingNames(daten + "*.csv", false), std::vector<std::string>{kUmlaut1252});
    EXPECT_EQ(ExpandWildcards(daten + "*.csv"), std::vector<std::string>{daten + kUmlaut1252});
    EXPECT_FALSE(IsExistingFile(daten + "?????.csv"));

    SetAnsiCodePage(1251);
    EXPECT_TRUE(IsExistingFile(daten + kCyrillic1251));
    EXPECT_EQ(MatchingNames(daten + "*.csv", false), std::vector<std::string>{kCyrillic1251});
    EXPECT_EQ(FindFileName(daten + "*.csv"), kCyrillic1251);
}

TEST_F(HostTextTest, ArgumentsEnvironmentAndFoldersArriveInTheCodePage) {
    SetAnsiCodePage(1252);
    std::string label = "1-LABEL=Gr\xC3\xBC\xC3\x9F"
                        "e"; // Grüße
    char program[] = "Z9Sub";
    char file[] = "task.z9f";
    char* argv[] = {program, file, label.data(), nullptr};
    EXPECT_EQ(JoinArguments(3, argv), "task.z9f 1-LABEL=Gr\xFC\xDF"
                                      "e");
    test::ScopedEnv user("USERNAME", "J\xC3\xBCrgen"); // Jürgen
    EXPECT_EQ(EnvText("USERNAME"), "J\xFCrgen");

    SetAnsiCodePage(1251);
    std::string value = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"; // Привет
    char* russian[] = {program, value.data(), nullptr};
    EXPECT_EQ(JoinArguments(2, russian), "\xCF\xF0\xE8\xE2\xE5\xF2");
    test::ScopedEnv named("\xD0\x98\xD0\x9C\xD0\xAF", "x"); // a variable named ИМЯ
    EXPECT_EQ(EnvText("\xC8\xCC\xDF"), "x");

    test::TempFolder folder;
    fs::create_directories(folder.Path() / kCyrillicUtf8);
    const std::string inside = folder.Path().string() + "/" + kCyrillic1251;
    ASSERT_TRUE(SetCurrentFolder(inside));
    EXPECT_EQ(CurrentFolder(), inside);
    EXPECT_TRUE(SetCurrentFolder(folder.Path().string()));
}

} // namespace
} // namespace z9
