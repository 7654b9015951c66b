// The Linux launcher on real files and processes.
#include "common/Launcher.h"
#include "common/DesktopIntegration.h"
#include "common/Program.h"
#include "common/Registry.h"
#include "common/Settings.h"
#include "tests/support/DesktopSupport.h"
#include "tests/support/LaunchWatch.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::LaunchWatch;
using test::ScopedEnv;
using test::TempFolder;

class SystemLauncherTest : public ::testing::Test {
protected:
    // The path the buffer holds, or what the code was.
    std::string LookUp(const std::string& file, const std::string& folder = "") {
        std::string buffer;
        long code = SystemLauncher().LookUpExecutable(file, folder, buffer);
        EXPECT_EQ(buffer.size(), kExecutableBufferSize);
        if (code <= 32) {
            EXPECT_EQ(buffer, std::string(kExecutableBufferSize, '\0'));
            return "error " + std::to_string(code);
        }
        size_t end = buffer.find('\0');
        EXPECT_EQ(buffer.find_first_not_of('\0', end), std::string::npos) << "NULs fill the rest";
        return buffer.substr(0, end);
    }

    fs::path Expect(const std::string& name) { return watch_.ReportTo(temp_.Path() / (name + ".txt")); }

    TempFolder temp_;
    LaunchWatch watch_;
};

TEST_F(SystemLauncherTest, ProgramsAreTheirOwnExecutable) {
    const fs::path tool = test::CopyArgDump(temp_.Path() / "bin" / "z9tool");
    ScopedEnv path("PATH", (temp_.Path() / "bin").string() + ":" + EnvVar("PATH"));
    EXPECT_EQ(LookUp(tool.string()), tool.string());
    EXPECT_EQ(LookUp("z9tool"), tool.string()) << "a bare name on PATH";
    EXPECT_EQ(LookUp("z9tool", (temp_.Path() / "bin").string()), tool.string());
    EXPECT_EQ(LookUp("bin/z9tool"), tool.string()) << "relative to our folder";
    EXPECT_EQ(LookUp("\\bin\\z9tool", temp_.Path().string()), "error 2")
        << "a path from the root stays one; there are no drives to add";
}

TEST_F(SystemLauncherTest, FailuresAnswerWithTheShellsCodes) {
    temp_.Write("plain.nothing-opens-this", "x");
    EXPECT_EQ(LookUp(""), "error 2");
    EXPECT_EQ(LookUp((temp_.Path() / "missing.exe").string()), "error 2");
    EXPECT_EQ(LookUp("z9-no-such-program-anywhere"), "error 2");
    EXPECT_EQ(LookUp(temp_.Path().string()), "error 31") << "a folder";
    EXPECT_EQ(LookUp("plain.nothing-opens-this"), "error 31");
    EXPECT_FALSE(SystemLauncher().DriveLetters());

    // A program whose path does not fit the answer is not found rather than cut.
    fs::path deep = temp_.Path();
    while (deep.string().size() < 240)
        deep /= std::string(40, 'd');
    const fs::path far = test::CopyArgDump(deep / "program");
    ASSERT_GT(far.string().size(), kExecutableBufferSize);
    EXPECT_EQ(LookUp(far.string()), "error 2");
}

TEST_F(SystemLauncherTest, OurAssociationComesFirst) {
    const fs::path sub = test::CopyArgDump(temp_.Path() / "z9" / "Z9Sub");
    SetProgramFolder(sub.parent_path().string());
    WriteClassesEntries(AssociationEntries(FileType{".Z9F", "Zorvan File", "Z9Sub"}), false);
    SetProgramFolder("");
    const fs::path task = temp_.Write("jobs/pay.Z9F", "task");
    EXPECT_EQ(LookUp(task.string()), sub.string());
    // Even a task file someone made executable opens in the submitter.
    fs::permissions(task, fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_EQ(LookUp(task.string()), sub.string());

    // An association whose program is gone answers nothing.
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, ".zzt", "", "Gone"), 0);
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, "Gone\\shell\\open\\command", "", "/nowhere/prog %1"), 0);
    EXPECT_EQ(LookUp(temp_.Write("a.zzt", "x").string()), "error 31");
    // A bare program name in the command is looked up on PATH.
    ScopedEnv path("PATH", (temp_.Path() / "z9").string());
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, "Gone\\shell\\open\\command", "", "Z9Sub \"%1\""), 0);
    EXPECT_EQ(LookUp((temp_.Path() / "a.zzt").string()), sub.string());
}

TEST_F(SystemLauncherTest, TheDesktopsDefaultApplicationOpensOtherDocuments) {
    const fs::path viewer = test::CopyArgDump(temp_.Path() / "apps" / "viewer");
    ASSERT_TRUE(test::AddMimeType("application/x-zorvan-sheet", "*.zsheet"));
    test::AddDesktopEntry("zorvan-sheet.desktop", viewer.string() + " --sheet %U",
                          {"application/x-zorvan-sheet"});
    const fs::path doc = temp_.Write("Week.ZSHEET", "1,2");
    EXPECT_EQ(LookUp(doc.string()), viewer.string())
        << "the only entry for the type, any letter case of the name";
}

TEST_F(SystemLauncherTest, ShellOpenRunsProgramsAndOpensDocuments) {
    const fs::path tool = test::CopyArgDump(temp_.Path() / "bin" / "tool");
    fs::create_directories(temp_.Path() / "work");
    fs::path out = Expect("program");
    EXPECT_EQ(SystemLauncher().ShellOpen(nullptr, tool.string(), " a \"b c\" ",
                                         (temp_.Path() / "work").string(), SW_SHOWMAXIMIZED_MODE),
              kShellSuccess);
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"a", "b c"}));
    EXPECT_EQ(report->cwd, (temp_.Path() / "work").string());

    // A document with an association opens in its program, with its path.
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, ".zdoc", "", "ZDoc"), 0);
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, "ZDoc\\shell\\open\\command", "",
                             "\"" + tool.string() + "\" %1"),
              0);
    const fs::path doc = temp_.Write("my docs/a.zdoc", "x");
    out = Expect("document");
    EXPECT_EQ(SystemLauncher().ShellOpen(nullptr, doc.string(), "", "", 1), kShellSuccess);
    report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{doc.string()}));

    EXPECT_EQ(SystemLauncher().ShellOpen(nullptr, tool.string(), "", (temp_.Path() / "nowhere").string(), 1),
              SE_ERR_PNF_CODE);
    EXPECT_EQ(SystemLauncher().ShellOpen(nullptr, (temp_.Path() / "missing").string(), "", "", 1),
              SE_ERR_FNF_CODE);
    EXPECT_EQ(SystemLauncher().ShellOpen(nullptr, "  ", "", "", 1), SE_ERR_FNF_CODE);
    EXPECT_TRUE(watch_.NothingStarted());
}

TEST_F(SystemLauncherTest, StartProcessSplitsTheCommandLine) {
    const fs::path tool = test::CopyArgDump(temp_.Path() / "my bin" / "tool");
    fs::create_directories(temp_.Path() / "work");
    fs::path out = Expect("process");
    EXPECT_TRUE(SystemLauncher().StartProcess("\"" + tool.string() + "\" x\\\"y \"\" z",
                                              (temp_.Path() / "work").string(), SW_SHOWMINIMIZED_MODE));
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"x\"y", "", "z"}));
    EXPECT_EQ(report->cwd, (temp_.Path() / "work").string());

    // The program is found from our folder, not from the new one.
    out = Expect("relative");
    EXPECT_TRUE(SystemLauncher().StartProcess("\"my bin/tool\" r", (temp_.Path() / "work").string(), 1));
    report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"r"}));

    const fs::path text = temp_.Write("notes.txt", "x");
    EXPECT_FALSE(SystemLauncher().StartProcess(text.string(), "", 1)) << "a document is no program";
    EXPECT_FALSE(SystemLauncher().StartProcess((temp_.Path() / "missing").string(), "", 1));
    EXPECT_FALSE(
        SystemLauncher().StartProcess("\"" + tool.string() + "\"", (temp_.Path() / "nowhere").string(), 1));
    EXPECT_FALSE(SystemLauncher().StartProcess("", "", 1));
    EXPECT_TRUE(watch_.NothingStarted());
}

TEST_F(SystemLauncherTest, NamesAndArgumentsCrossInTheHostsEncoding) {
    // "Übersicht" in the ANSI code page (1252 for the C locale) is UTF-8 on disk.
    const fs::path tool = test::CopyArgDump(temp_.Path() /
                                            "\xC3\x9C"
                                            "bersicht" /
                                            "run");
    const std::string ansiTool = (temp_.Path() /
                                  "\xDC"
                                  "bersicht" /
                                  "run")
                                     .string();
    EXPECT_EQ(LookUp(ansiTool), ansiTool);
    fs::path out = Expect("encoding");
    EXPECT_TRUE(SystemLauncher().StartProcess("\"" + ansiTool +
                                                  "\" Gr\xFC\xDF"
                                                  "e",
                                              "", 1));
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"Gr\xC3\xBC\xC3\x9F"
                                                      "e"}));
}

} // namespace
} // namespace z9
