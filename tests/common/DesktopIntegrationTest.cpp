// Our file types registered with the desktop in the test's own XDG folders,
// checked with the desktop's own tools.
#include "common/DesktopIntegration.h"
#include "common/DesktopDatabase.h"
#include "common/Launcher.h"
#include "common/Program.h"
#include "tests/support/DesktopSupport.h"
#include "tests/support/LaunchWatch.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

// The two programs' types, as they register them.
const DesktopFileType kTask{
    {".Z9F", "Zorvan File", "Z9Sub"}, "application/x-zorvan-task", "Zorvan Submitter"};
const DesktopFileType kMenu{{".Z9M", "Zorvan Menu", "Z9Menu"}, "application/x-zorvan-menu", "Zorvan Menu"};

class DesktopIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = temp_.Path() / "my z9" / "bin";
        test::CopyArgDump(folder_ / "Z9Menu");
        test::CopyArgDump(folder_ / "Z9Sub");
        SetProgramFolder(folder_.string());
    }
    void TearDown() override { SetProgramFolder(""); }

    // The arguments the program the desktop chooses gets when the desktop
    // opens file, as a file manager does on a double-click.
    std::vector<std::string> OpenedByDesktop(const fs::path& file) {
        test::LaunchWatch watch;
        const fs::path out = watch.ReportTo(temp_.Path() / "opened.txt");
        fs::remove(out);
        test::RunCommand("gio open " + test::ShellQuote(file.string()) + " 2>/dev/null");
        auto report = watch.WaitForReport(out);
        return report ? report->args : std::vector<std::string>{"<nothing started>"};
    }

    fs::path DataHome() const { return EnvVar("XDG_DATA_HOME"); }
    fs::path MimeApps() const { return fs::path(EnvVar("XDG_CONFIG_HOME")) / "mimeapps.list"; }

    test::TempFolder temp_;
    fs::path folder_;
};

TEST_F(DesktopIntegrationTest, AMenuFileOpensInTheMenuProgram) {
    EXPECT_TRUE(RegisterDesktopFileType(kMenu, true));
    EXPECT_TRUE(fs::exists(DataHome() / "mime" / "packages" / "x-zorvan-menu.xml"));
    EXPECT_EQ(test::XdgDefault("application/x-zorvan-menu"), "zorvan-z9menu.desktop");
    // The MIME database was rebuilt: the glob is in it, in any letter case.
    EXPECT_EQ(MimeTypeForFileName("/home/lisa/Start.Z9M"), "application/x-zorvan-menu");
    EXPECT_EQ(test::RunCommand("gio info -a standard::content-type " +
                               test::ShellQuote(temp_.Write("a.z9m", "1").string()) +
                               " 2>/dev/null | grep content-type"),
              "  standard::content-type: application/x-zorvan-menu");
    // The entry's program has a blank in its folder.
    EXPECT_EQ(DesktopEntryProgram("zorvan-z9menu.desktop"), (folder_ / "Z9Menu").string());

    // A file with no association of ours in the registry now finds the program through the desktop.
    std::string buffer;
    ASSERT_GT(SystemLauncher().LookUpExecutable((temp_.Path() / "a.z9m").string(), "", buffer), 32);
    EXPECT_EQ(buffer.substr(0, buffer.find('\0')), (folder_ / "Z9Menu").string());
}

TEST_F(DesktopIntegrationTest, TheDesktopOpensTheFileWithItsPath) {
    RegisterDesktopFileType(kMenu, true);
    const fs::path menu = temp_.Write("menus/Main Menu.z9m", "1");
    EXPECT_EQ(OpenedByDesktop(menu), (std::vector<std::string>{menu.string()}));
}

TEST_F(DesktopIntegrationTest, NothingIsWrittenTwice) {
    ASSERT_TRUE(RegisterDesktopFileType(kTask, true));
    const fs::path entry = DataHome() / "applications" / "zorvan-z9sub.desktop";
    const std::string before = test::ReadFileBytes(entry);
    fs::last_write_time(entry, fs::last_write_time(entry) - std::chrono::hours(1));
    const auto stamp = fs::last_write_time(entry);
    EXPECT_FALSE(RegisterDesktopFileType(kTask, true));
    EXPECT_EQ(fs::last_write_time(entry), stamp);

    // A copy started from another folder takes the type over.
    const fs::path moved = temp_.Path() / "elsewhere";
    test::CopyArgDump(moved / "Z9Sub");
    SetProgramFolder(moved.string());
    EXPECT_TRUE(RegisterDesktopFileType(kTask, true));
    EXPECT_NE(test::ReadFileBytes(entry), before);
    EXPECT_EQ(DesktopEntryProgram("zorvan-z9sub.desktop"), (moved / "Z9Sub").string());
    EXPECT_EQ(test::XdgDefault("application/x-zorvan-task"), "zorvan-z9sub.desktop");
}

TEST_F(DesktopIntegrationTest, TheEntryIsValidWhateverTheFolderIsCalled) {
    // (A '%' in the folder is written as "%%", which we read back, but GIO
    // looks for the program before it undoes that and so never finds it.)
    const fs::path odd = temp_.Path() / "it's $HOME \"q\" `z9` (x)";
    test::CopyArgDump(odd / "Z9Sub");
    SetProgramFolder(odd.string());
    RegisterDesktopFileType(kTask, true);
    const fs::path entry = DataHome() / "applications" / "zorvan-z9sub.desktop";
    EXPECT_EQ(test::RunCommand("desktop-file-validate " + test::ShellQuote(entry.string()) + " 2>&1"), "");
    EXPECT_EQ(DesktopEntryProgram("zorvan-z9sub.desktop"), (odd / "Z9Sub").string());
    const fs::path percent = temp_.Path() / "100% \\ done";
    test::CopyArgDump(percent / "Z9Sub");
    SetProgramFolder(percent.string());
    RegisterDesktopFileType(kTask, true);
    EXPECT_EQ(test::RunCommand("desktop-file-validate " + test::ShellQuote(entry.string()) + " 2>&1"), "");
    EXPECT_EQ(DesktopEntryProgram("zorvan-z9sub.desktop"), (percent / "Z9Sub").string());
    SetProgramFolder(odd.string());
    RegisterDesktopFileType(kTask, true);

    const fs::path task = temp_.Write("pay.z9f", "1");
    EXPECT_EQ(OpenedByDesktop(task), (std::vector<std::string>{task.string()}));
}

TEST_F(DesktopIntegrationTest, TheUsersOtherDefaultsStay) {
    temp_.Write("home/.config/mimeapps.list", "[Added Associations]\ntext/plain=ed.desktop;\n\n"
                                              "[Default Applications]\ntext/plain=ed.desktop\n"
                                              "application/x-zorvan-task=other.desktop\n");
    RegisterDesktopFileType(kTask, true);
    EXPECT_EQ(test::ReadFileBytes(MimeApps()), "[Added Associations]\ntext/plain=ed.desktop;\n\n"
                                               "[Default Applications]\ntext/plain=ed.desktop\n"
                                               "application/x-zorvan-task=zorvan-z9sub.desktop\n");
    RegisterDesktopFileType(kMenu, true);
    EXPECT_EQ(test::ReadFileBytes(MimeApps()), "[Added Associations]\ntext/plain=ed.desktop;\n\n"
                                               "[Default Applications]\n"
                                               "application/x-zorvan-menu=zorvan-z9menu.desktop\n"
                                               "text/plain=ed.desktop\n"
                                               "application/x-zorvan-task=zorvan-z9sub.desktop\n");
}

TEST_F(DesktopIntegrationTest, WhereOpeningBelongsToAnotherProgramWeAreOnlyOffered) {
    temp_.Write("home/.config/mimeapps.list",
                "[Default Applications]\napplication/x-zorvan-task=ws.desktop\n");
    test::AddDesktopEntry("ws.desktop", (folder_ / "Z9Menu").string() + " %f", {"application/x-zorvan-task"});
    EXPECT_TRUE(RegisterDesktopFileType(kTask, false));
    EXPECT_TRUE(fs::exists(DataHome() / "applications" / "zorvan-z9sub.desktop"));
    EXPECT_EQ(test::ReadFileBytes(MimeApps()),
              "[Default Applications]\napplication/x-zorvan-task=ws.desktop\n");
    EXPECT_EQ(test::XdgDefault("application/x-zorvan-task"), "ws.desktop");
}

} // namespace
} // namespace z9
