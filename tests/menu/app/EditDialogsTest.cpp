#include "menu/app/EditDialogs.h"
#include "FakeLauncher.h"
#include "tests/support/DialogSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::DialogRecorder;
using test::FakeLauncher;
using test::RecordedDialog;

FontChoice Caption() {
    FontChoice font;
    font.name = "Times New Roman";
    font.size = 12;
    font.bold = true;
    font.underline = true;
    font.charset = 204;
    font.color = 0x0000FF;
    return font;
}

TEST(ChangeFont, TheDialogStartsFromTheCaptionFontAndColourWithTheFaceCutTo30) {
    DialogRecorder dialogs;
    FontChoice caption = Caption();
    ChangeCaptionFont(caption, nullptr);
    caption.name = std::string(30, 'F');
    ChangeCaptionFont(caption, nullptr);
    caption.name = std::string(31, 'G') + "H";
    ChangeCaptionFont(caption, nullptr);

    ASSERT_EQ(dialogs.Dialogs().size(), 3u);
    EXPECT_EQ(dialogs.Dialogs()[0].kind, RecordedDialog::Font);
    EXPECT_EQ(dialogs.Dialogs()[0].font, Caption())
        << "size, style, effects, script and colour as the box has them";
    EXPECT_EQ(dialogs.Dialogs()[1].font.name, std::string(30, 'F'));
    FontChoice cut = caption;
    cut.name = std::string(30, 'G');
    EXPECT_EQ(dialogs.Dialogs()[2].font, cut);
}

TEST(ChangeFont, TheBoxTakesTheChosenFontWithSizesAbove100CutTo100AndCancelGivesNothing) {
    DialogRecorder dialogs;
    FontChoice chosen;
    chosen.name = "Arial";
    chosen.size = 10.5;
    chosen.italic = true;
    chosen.strikeout = true;
    chosen.charset = 161;
    chosen.color = 0xFFFFFF;
    dialogs.AnswerFont(chosen);
    EXPECT_EQ(ChangeCaptionFont(Caption(), nullptr), chosen);

    chosen.size = 100;
    dialogs.AnswerFont(chosen);
    EXPECT_EQ(ChangeCaptionFont(Caption(), nullptr)->size, 100);
    chosen.size = 100.1;
    dialogs.AnswerFont(chosen);
    EXPECT_EQ(ChangeCaptionFont(Caption(), nullptr)->size, 100);
    chosen.size = 1638;
    dialogs.AnswerFont(chosen);
    const std::optional<FontChoice> big = ChangeCaptionFont(Caption(), nullptr);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->size, 100);
    EXPECT_EQ(big->name, "Arial") << "only the size is cut";
    EXPECT_EQ(big->color, 0xFFFFFF);

    dialogs.AnswerCancel();
    EXPECT_FALSE(ChangeCaptionFont(Caption(), nullptr));
}

TEST(BrowseFilterIndex, TheExtensionOfTheStartingTextPicksTheFileType) {
    EXPECT_EQ(BrowseFilterIndex("C:\\Menus\\main.z9m"), 1);
    EXPECT_EQ(BrowseFilterIndex("C:\\Jobs\\Backup.Z9F"), 2);
    EXPECT_EQ(BrowseFilterIndex("notepad.exe"), 3);
    EXPECT_EQ(BrowseFilterIndex("\"C:\\Prog\\other.exe\""), 3) << "a quoted path keeps its type";
    EXPECT_EQ(BrowseFilterIndex("readme.txt"), 4);
    EXPECT_EQ(BrowseFilterIndex("Z9SUB"), 4);
    EXPECT_EQ(BrowseFilterIndex(""), 4);
    EXPECT_EQ(BrowseFilterIndex("C:\\old.z9m\\file"), 4) << "the last '.' may sit in a folder name";
    EXPECT_EQ(BrowseFilterIndex("archive.z9m.bak"), 4);
}

TEST(QuotedPath, EachQuoteIsAddedOnlyWhenMissing) {
    EXPECT_EQ(QuotedPath("C:\\Prog\\other.exe"), "\"C:\\Prog\\other.exe\"");
    EXPECT_EQ(QuotedPath("\"C:\\Prog\\other.exe\""), "\"C:\\Prog\\other.exe\"");
    EXPECT_EQ(QuotedPath("\"C:\\Prog\\other.exe"), "\"C:\\Prog\\other.exe\"");
    EXPECT_EQ(QuotedPath("C:\\Prog\\other.exe\""), "\"C:\\Prog\\other.exe\"");
    EXPECT_EQ(QuotedPath("\""), "\"\"") << "a lone quote opens; it does not also close";
    EXPECT_EQ(QuotedPath(""), "\"\"");
}

TEST(InsertPath, TheBrowseDialogStartsFromTheSelectionWithItsFileType) {
    DialogRecorder dialogs;
    dialogs.AnswerPath("C:\\Jobs\\pay.z9f");
    EXPECT_EQ(InsertPath("C:\\Jobs\\old.z9f", nullptr), "C:\\Jobs\\pay.z9f");
    dialogs.AnswerCancel();
    EXPECT_EQ(InsertPath("", nullptr), "");

    ASSERT_EQ(dialogs.Dialogs().size(), 2u);
    const RecordedDialog& first = dialogs.Dialogs()[0];
    EXPECT_EQ(first.kind, RecordedDialog::OpenFile);
    EXPECT_EQ(first.title, "Browse");
    EXPECT_EQ(first.filters, (std::vector<FileFilter>{{"Zorvan Menu (*.z9m)", "*.z9m"},
                                                      {"Zorvan File (*.z9f)", "*.z9f"},
                                                      {"EXE File (*.exe)", "*.exe"},
                                                      {"All Files (*.*)", "*.*"}}));
    EXPECT_EQ(first.filterIndex, 2);
    EXPECT_EQ(first.initialFile, "C:\\Jobs\\old.z9f");
    EXPECT_FALSE(first.mustExist) << "a path to a file still to be made may be inserted";
    EXPECT_EQ(dialogs.Dialogs()[1].filterIndex, 4);
    EXPECT_EQ(dialogs.Dialogs()[1].initialFile, "");
}

TEST(BrowseCommand, OnlyTheProgramPartOfTheCommandIsReplaced) {
    FakeLauncher launcher;
    DialogRecorder dialogs;
    dialogs.AnswerPath("C:\\Prog\\other.exe");
    EXPECT_EQ(BrowseCommand("Z9SUB C:\\Jobs\\a.z9f /Z9+", "", nullptr),
              "\"C:\\Prog\\other.exe\" C:\\Jobs\\a.z9f /Z9+");
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].initialFile, "Z9SUB") << "the program part, not the whole command";
    EXPECT_EQ(dialogs.Dialogs()[0].filterIndex, 4);

    dialogs.AnswerPath("C:\\New Tools\\run.exe");
    EXPECT_EQ(BrowseCommand("\"C:\\My Tools\\run.exe\" -v \"a b\" /Z9-C:\\Work", "", nullptr),
              "\"C:\\New Tools\\run.exe\" -v \"a b\" /Z9-C:\\Work");
    EXPECT_EQ(dialogs.Dialogs()[1].initialFile, "C:\\My Tools\\run.exe") << "without its quotes";
    EXPECT_EQ(dialogs.Dialogs()[1].filterIndex, 3);

    dialogs.AnswerPath("C:\\Menus\\b.z9m");
    EXPECT_EQ(BrowseCommand("", "", nullptr), "\"C:\\Menus\\b.z9m\"")
        << "an empty command gets the path alone";
    EXPECT_TRUE(launcher.starts.empty()) << "Browse only resolves the old command";
}

TEST(BrowseCommand, ASelectionIsReplacedByTheQuotedPathAndCancelChangesNothing) {
    FakeLauncher launcher;
    DialogRecorder dialogs;
    dialogs.AnswerPath("C:\\Jobs\\b.z9f");
    EXPECT_EQ(BrowseCommand("Z9SUB C:\\Jobs\\a.z9f /Z9+", "C:\\Jobs\\a.z9f", nullptr), "\"C:\\Jobs\\b.z9f\"");
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].initialFile, "C:\\Jobs\\a.z9f");
    EXPECT_EQ(dialogs.Dialogs()[0].filterIndex, 2);

    dialogs.AnswerCancel();
    EXPECT_FALSE(BrowseCommand("Z9SUB C:\\Jobs\\a.z9f /Z9+", "", nullptr));
    dialogs.AnswerCancel();
    EXPECT_FALSE(BrowseCommand("Z9SUB C:\\Jobs\\a.z9f", "a.z9f", nullptr));
}

} // namespace
} // namespace z9
