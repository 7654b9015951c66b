// The example menus are what their README promises, and everything they link
// to in the examples folder is there.
#include "common/PathParts.h"
#include "menu/document/MenuDocument.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace z9 {
namespace {

namespace fs = std::filesystem;

std::string Types(const MenuDocument& doc) {
    std::string types;
    for (std::size_t i = 0; i < doc.Count(); ++i)
        types += static_cast<char>('0' + doc.Item(i).Type);
    return types;
}

TEST(MenuExamplesTest, TheMainMenuHoldsEveryKindOfItem) {
    test::MessageRecorder messages;
    MenuDocument doc;
    const fs::path file = test::ExamplesDir() / "main-menu.z9m";
    ASSERT_TRUE(doc.OpenP8M(file.string()));
    EXPECT_EQ(Types(doc), "124133335133307452");

    const std::string bytes = test::ReadFileBytes(file);
    EXPECT_EQ(MenuFileText(SplitMenuLines(bytes)), bytes) << "every line ends with CR LF";

    std::vector<std::string> links;
    for (std::size_t i = 0; i < doc.Count(); ++i)
        if (doc.Item(i).Type == vLink) links.push_back(doc.Item(i).Link);
    EXPECT_EQ(links,
              (std::vector<std::string>{"Z9SUB nightly-backup.z9f", "legacy-report.z9f",
                                        "./ftp-upload-passwords.z9f", "Z9SUB \"ftp-upload-passwords.z9f\"",
                                        "reports.z9m", "notepad.exe databases.txt /Z9+", "databases.txt"}));
    EXPECT_EQ(FileExtension("reports.z9m"), "Z9M");
    for (const char* target : {"nightly-backup.z9f", "legacy-report.z9f", "ftp-upload-passwords.z9f",
                               "reports.z9m", "databases.txt"})
        EXPECT_TRUE(fs::is_regular_file(test::ExamplesDir() / target)) << target;

    const MenuItem closing = doc.Item(doc.Count() - 1);
    EXPECT_EQ(closing.Caption, "Questions? Call the help desk\r\non extension 4711.");
    EXPECT_EQ(doc.Item(3).Font.Name, "Arial");
    EXPECT_EQ(doc.Item(7).Caption, "R&D <beta> upload");
    EXPECT_EQ(doc.Item(10).Caption, "Reports \x96 \xDC"
                                    "bersicht");
    EXPECT_EQ(doc.Summaries()[13], "Type = vNotVisible");
    EXPECT_EQ(doc.Summaries()[14], "Type = , Caption = Calendar (a later version)");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(MenuExamplesTest, TheSecondMenuLinksBack) {
    test::MessageRecorder messages;
    MenuDocument doc;
    ASSERT_TRUE(doc.OpenP8M((test::ExamplesDir() / "reports.z9m").string()));
    EXPECT_EQ(Types(doc), "123352243");
    EXPECT_EQ(doc.Item(8).Link, "main-menu.z9m");
    EXPECT_TRUE(doc.Item(6).Font.Strikethrough);
    EXPECT_TRUE(fs::is_regular_file(test::ExamplesDir() / "payroll-export-protected.z9f"));
}

} // namespace
} // namespace z9
