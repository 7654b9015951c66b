#include "common/Dialogs.h"
#include "common/Program.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <filesystem>
#include <gtest/gtest.h>

namespace z9 {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

// The file types of a file field: three pairs, closed by a double zero.
const std::string kFieldFilter =
    "All Files (*.*)\0*.*\0Text Documents (*.txt)\0*.txt\0Batch Files (*.cmd,*.bat)\0*.cmd;*.bat\0\0"s;

TEST(FileFilterTest, PairsSeparatedByZeroBecomeQtFilters) {
    std::vector<FileFilter> filters = ParseFileFilter(kFieldFilter);
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0], (FileFilter{"All Files (*.*)", "*.*"}));
    EXPECT_EQ(filters[2], (FileFilter{"Batch Files (*.cmd,*.bat)", "*.cmd;*.bat"}));
    EXPECT_EQ(QtNameFilter(filters[0]), "All Files (*.*) (*)");
    EXPECT_EQ(QtNameFilter(filters[1]), "Text Documents (*.txt) (*.txt)");
    EXPECT_EQ(QtNameFilter(filters[2]), "Batch Files (*.cmd,*.bat) (*.cmd *.bat)");
    EXPECT_EQ(QtNameFilter({"Odd", " *.a ;; *.b "}), "Odd (*.a *.b)");
    EXPECT_EQ(QtNameFilter({"Nothing", ""}), "Nothing (*)");

    // Without the closing zeros, and with a description that lost its pattern.
    EXPECT_EQ(ParseFileFilter("Zorvan Menu (*.z9m)\0*.z9m"s),
              (std::vector<FileFilter>{{"Zorvan Menu (*.z9m)", "*.z9m"}}));
    EXPECT_EQ(ParseFileFilter("A\0*.a\0B"s), (std::vector<FileFilter>{{"A", "*.a"}}));
    EXPECT_TRUE(ParseFileFilter("").empty());
}

class OpenFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(temp.Path() / "prog");
        fs::create_directories(temp.Path() / "data");
        SetProgramFolder((temp.Path() / "prog").string());
    }
    std::string Folder(const std::string& name) const { return (temp.Path() / name).string(); }

    test::TempFolder temp;
};

TEST_F(OpenFileDialogTest, NextDialogStartsWhereTheLastEndedAndTheProgramFolderIsCurrentAgain) {
    test::DialogRecorder dialogs;
    std::string chosen = Folder("data") + "/task.z9f";
    dialogs.AnswerPath(chosen);
    EXPECT_EQ(OpenFileDialog("Browse", "/ignored", kFieldFilter, 1, true, nullptr), chosen);
    EXPECT_EQ(CurrentFolder(), Folder("prog"));
    EXPECT_EQ(LastDialogFolder(), Folder("data"));

    dialogs.AnswerPath(Folder("prog") + "/menu.z9m");
    EXPECT_EQ(OpenFileDialog("Open", Folder("prog"), "Zorvan Menu (*.z9m)\0*.z9m\0"s, 1, false, nullptr),
              Folder("prog") + "/menu.z9m");

    ASSERT_EQ(dialogs.Dialogs().size(), 2u);
    const test::RecordedDialog& first = dialogs.Dialogs()[0];
    EXPECT_EQ(first.kind, test::RecordedDialog::OpenFile);
    EXPECT_EQ(first.title, "Browse");
    EXPECT_EQ(first.startFolder, ""); // the current folder, at first
    EXPECT_EQ(first.filters, ParseFileFilter(kFieldFilter));
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_TRUE(first.mustExist);
    const test::RecordedDialog& second = dialogs.Dialogs()[1];
    EXPECT_EQ(second.startFolder, Folder("data")); // not the folder the caller named
    EXPECT_FALSE(second.mustExist);
    EXPECT_EQ(LastDialogFolder(), Folder("prog"));
}

TEST_F(OpenFileDialogTest, CancelGivesEmptyTextAndKeepsWhereTheUserBrowsed) {
    test::DialogRecorder dialogs;
    SetLastDialogFolder(Folder("data"));
    SetCurrentFolder(Folder("data"));
    dialogs.AnswerCancel(Folder("home"));
    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 2, true, nullptr), "");
    EXPECT_EQ(LastDialogFolder(), Folder("home"));
    EXPECT_EQ(CurrentFolder(), Folder("prog"));

    // A cancel that does not say where it ended leaves the last folder alone.
    dialogs.AnswerCancel();
    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 2, true, nullptr), "");
    EXPECT_EQ(LastDialogFolder(), Folder("home"));
    EXPECT_EQ(dialogs.Dialogs().back().filterIndex, 2);
}

TEST_F(OpenFileDialogTest, APathTooLongForTheBufferIsRefusedAndTheDialogOpensAgain) {
    test::DialogRecorder dialogs;
    test::MessageRecorder messages;
    std::string deep = Folder("data") + "/" + std::string(240, 'd');
    std::string tooLong = deep + "/" + std::string(20, 'f') + ".txt";
    ASSERT_GT(tooLong.size(), kMaxOpenFilePath);
    std::string fits = Folder("data") + "/short.txt";
    ASSERT_LE(fits.size(), kMaxOpenFilePath);
    dialogs.AnswerPath(tooLong);
    dialogs.AnswerPath(fits);

    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 1, false, nullptr), fits);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].style, vbExclamation);
    EXPECT_NE(messages.Messages()[0].text.find(tooLong), std::string::npos);
    ASSERT_EQ(dialogs.Dialogs().size(), 2u);
    EXPECT_EQ(dialogs.Dialogs()[1].startFolder, deep);
    EXPECT_EQ(CurrentFolder(), Folder("prog"));

    // A path of exactly 255 characters still fits.
    std::string edge = Folder("data") + "/";
    edge += std::string(kMaxOpenFilePath - edge.size(), 'e');
    dialogs.AnswerPath(edge);
    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 1, false, nullptr), edge);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST(BrowseForFolderTest, ChosenCancelledAndTooLongFolders) {
    test::DialogRecorder dialogs;
    test::MessageRecorder messages;
    dialogs.AnswerPath("/srv/share");
    EXPECT_EQ(BrowseForFolder("Please select a folder:", nullptr), "/srv/share");
    dialogs.AnswerCancel();
    EXPECT_EQ(BrowseForFolder("Please select a folder:", nullptr), "");

    std::string tooLong = "/" + std::string(kMaxFolderPath, 'x');
    dialogs.AnswerPath(tooLong);
    dialogs.AnswerCancel();
    EXPECT_EQ(BrowseForFolder("Please select a folder:", nullptr), "");
    EXPECT_EQ(messages.Messages().size(), 1u);
    ASSERT_EQ(dialogs.Dialogs().size(), 4u);
    EXPECT_EQ(dialogs.Dialogs()[0].kind, test::RecordedDialog::BrowseFolder);
    EXPECT_EQ(dialogs.Dialogs()[0].title, "Please select a folder:");
    EXPECT_EQ(dialogs.Dialogs()[3].startFolder, tooLong);
}

TEST(FontDialogTest, AnswersComeBackAndCancelGivesNothing) {
    test::DialogRecorder dialogs;
    FontChoice start{"Tahoma", 8.25, false, false, false, false, 0, 0x0000FF};
    FontChoice chosen{"Times New Roman", 12, true, true, false, true, 204, 0x00FF00};
    dialogs.AnswerFont(chosen);
    EXPECT_EQ(FontDialog(start, nullptr), chosen);
    EXPECT_EQ(FontDialog(start, nullptr), std::nullopt);
    ASSERT_EQ(dialogs.Dialogs().size(), 2u);
    EXPECT_EQ(dialogs.Dialogs()[0].font, start);
}

void OnModalDialog(std::function<void(QFileDialog*)> action) {
    test::OnModal<QFileDialog>(std::move(action));
}

TEST_F(OpenFileDialogTest, QtDialogGetsTheFiltersAndGivesThePath) {
    // The real dialog, not the test main's guard.
    OpenFileHandler guard = SetOpenFileHandler({});
    temp.Write("data/notes.txt", "x");
    SetLastDialogFolder(Folder("data"));
    QStringList filters;
    QString selected;
    QString directory;
    OnModalDialog([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        directory = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(Folder("data") + "/notes.txt"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 2, true, nullptr), Folder("data") + "/notes.txt");
    EXPECT_EQ(filters, QStringList({"All Files (*.*) (*)", "Text Documents (*.txt) (*.txt)",
                                    "Batch Files (*.cmd,*.bat) (*.cmd *.bat)"}));
    EXPECT_EQ(selected, "Text Documents (*.txt)"); // shown without the patterns Qt adds
    EXPECT_EQ(directory.toStdString(), Folder("data"));
    EXPECT_EQ(CurrentFolder(), Folder("prog"));

    // Cancelled after moving to another folder: the next dialog starts there.
    OnModalDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(QString::fromStdString(Folder("home")));
        dialog->reject();
    });
    EXPECT_EQ(OpenFileDialog("Browse", "", kFieldFilter, 9, true, nullptr), "");
    EXPECT_EQ(LastDialogFolder(), Folder("home"));
    SetOpenFileHandler(guard);
}

} // namespace
} // namespace z9
