// Links started for real: a small program reports what it received.
#include "common/DesktopIntegration.h"
#include "common/Program.h"
#include "common/Registry.h"
#include "common/Settings.h"
#include "menu/app/ExpandEnvVars.h"
#include "menu/app/ShellRun.h"
#include "tests/support/DesktopSupport.h"
#include "tests/support/LaunchWatch.h"
#include "tests/support/TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::ArgDumpReport;
using test::LaunchWatch;
using test::ScopedEnv;
using test::TempFolder;

class Launch : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = test::CopyArgDump(temp_.Path() / "bin" / "argdump");
        fs::create_directories(temp_.Path() / "work");
    }
    void TearDown() override { SetProgramFolder(""); }

    // Where the next start reports.
    fs::path Expect(const std::string& name) { return watch_.ReportTo(temp_.Path() / (name + ".txt")); }

    TempFolder temp_;
    LaunchWatch watch_;
    fs::path program_;
};

TEST_F(Launch, ArgumentsFollowTheWindowsRules) {
    fs::path out = Expect("args");
    LaunchLink(program_.string() + R"( plain "two words" say\"hi\" C:\Jobs\pay.z9f "" "a ""q"" b" end\\)");
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"plain", "two words", "say\"hi\"", "C:\\Jobs\\pay.z9f",
                                                      "", "a \"q\" b", "end\\\\"}));
    EXPECT_NE(report->session, ::getsid(0)) << "started in a session of its own";
    EXPECT_GT(report->session, 0);
    EXPECT_EQ(report->inheritedFds, "");
}

TEST_F(Launch, TheMenusDescriptorsStayWithTheMenu) {
    int open = ::open((temp_.Path() / "held").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(open, 3);
    fs::path out = Expect("fds");
    LaunchLink(program_.string() + " x /Z9 " + (temp_.Path() / "work").string());
    auto report = watch_.WaitForReport(out);
    ::close(open);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->inheritedFds, "");
}

TEST_F(Launch, TheSwitchSetsTheWorkingFolder) {
    fs::path out = Expect("folder");
    const fs::path work = temp_.Path() / "work";
    LaunchLink(program_.string() + " one /Z9-  " + work.string());
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->cwd, work.string());
    EXPECT_EQ(report->args, (std::vector<std::string>{"one"}));

    // "+" with no folder goes through the shell in our own folder; the window state has no Linux meaning.
    out = Expect("maximised");
    LaunchLink(program_.string() + " two /Z9+");
    report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->cwd, temp_.Path().string());
    EXPECT_EQ(report->args, (std::vector<std::string>{"two"}));
}

TEST_F(Launch, EnvironmentVariablesAreExpandedBeforeTheStart) {
    ScopedEnv prog("Z9T_PROG", program_.string());
    ScopedEnv arg("Z9T_ARG", "from the environment");
    fs::path out = Expect("env");
    LaunchLink(ExpandEnvVars("%Z9T_PROG% \"%Z9T_ARG%\" %Z9T_UNSET_NAME%"));
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"from the environment", "%Z9T_UNSET_NAME%"}));
}

TEST_F(Launch, Z9SubLinksStartTheSubmitterInTheProgramsFolder) {
    // A folder whose name holds "z9" and "Z9" in every place a switch could hide.
    const fs::path folder = temp_.Path() / "opt" / "z9" / "Z9+bin";
    test::CopyArgDump(folder / "Z9Sub");
    SetProgramFolder(folder.string());
    fs::path out = Expect("z9sub");
    LaunchLink("z9sub /home/lisa/jobs/pay.z9f");
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"/home/lisa/jobs/pay.z9f"}));

    out = Expect("z9sub-folder");
    LaunchLink("\"Z9SUB\" \"/home/lisa/my jobs/pay.z9f\" /Z9 " + (temp_.Path() / "work").string());
    report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"/home/lisa/my jobs/pay.z9f"}));
    EXPECT_EQ(report->cwd, (temp_.Path() / "work").string());
}

TEST_F(Launch, ATaskFileOpensInTheSubmitterItsAssociationNames) {
    test::CopyArgDump(temp_.Path() / "z9" / "Z9Sub");
    SetProgramFolder((temp_.Path() / "z9").string());
    WriteClassesEntries(AssociationEntries(FileType{".Z9F", "Zorvan File", "Z9Sub"}), false);
    fs::path task = temp_.Write("jobs/pay.z9f", "task");
    fs::path out = Expect("task");
    LaunchLink(task.string());
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{task.string()}));
}

TEST_F(Launch, ADocumentOpensInTheProgramOfItsTypeInTheRegistry) {
    const fs::path viewer = test::CopyArgDump(temp_.Path() / "viewer" / "view");
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, ".ZZT", "", "Zorvan Test"), 0);
    ASSERT_EQ(SetStringValue(RegRoot::ClassesRoot, "Zorvan Test\\shell\\open\\command", "",
                             "\"" + viewer.string() + "\" %1"),
              0);
    fs::path doc = temp_.Write("docs/week.zzt", "data");
    fs::path out = Expect("doc");
    ShellRunResult resolved = ShellRun(nullptr, doc.string() + " extra", "", kResolveOnly);
    EXPECT_EQ(resolved.kind, 0);
    EXPECT_EQ(resolved.executable, viewer.string());
    LaunchLink(doc.string() + " extra");
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{doc.string(), "extra"}));
}

TEST_F(Launch, ADocumentOpensInTheDesktopsDefaultApplication) {
    const fs::path viewer = test::CopyArgDump(temp_.Path() / "viewer" / "z9view");
    ASSERT_TRUE(test::AddMimeType("application/x-zorvan-test", "*.z9tst"));
    test::AddDesktopEntry("zorvan-testview.desktop", "\"" + viewer.string() + "\" %f",
                          {"application/x-zorvan-test"});
    test::SetDefaultApplication("application/x-zorvan-test", "zorvan-testview.desktop");
    ASSERT_EQ(test::XdgDefault("application/x-zorvan-test"), "zorvan-testview.desktop");

    fs::path doc = temp_.Write("docs/week.z9tst", "data");
    EXPECT_EQ(ShellRun(nullptr, doc.string(), "", kResolveOnly).executable, viewer.string());
    fs::path out = Expect("mime");
    LaunchLink(doc.string());
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{doc.string()}));
}

TEST_F(Launch, WhatHasNoProgramGoesToTheDesktopsOpener) {
    // A stand-in for the desktop's opener, first on PATH.
    test::CopyArgDump(temp_.Path() / "opener" / "xdg-open");
    ScopedEnv path("PATH", (temp_.Path() / "opener").string() + ":" + EnvVar("PATH"));
    fs::path out = Expect("url");
    LaunchLink("https://example.invalid/report?id=7");
    auto report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"https://example.invalid/report?id=7"}));

    fs::path doc = temp_.Write("notes.z9unknown", "text");
    out = Expect("unassociated");
    LaunchLink(doc.string());
    report = watch_.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{doc.string()}));
}

TEST_F(Launch, LinksThatNameNothingStartNothing) {
    test::MessageRecorder messages;
    test::CopyArgDump(temp_.Path() / "opener" / "xdg-open");
    ScopedEnv path("PATH", (temp_.Path() / "opener").string() + ":" + EnvVar("PATH"));
    fs::path out = Expect("nothing");
    const std::string huge = "/tmp/" + std::string(100 * 1024, 'x');
    const std::vector<std::string> links = {std::string("/Z9"),
                                            std::string("/Z9+ ") + temp_.Path().string(),
                                            std::string(""),
                                            (temp_.Path() / "missing" / "run").string() + " -a",
                                            std::string("z9-no-such-program-anywhere arg"),
                                            (temp_.Path() / "missing.txt").string(),
                                            "\"" + program_.string() + " unterminated",
                                            huge,
                                            "\"" + std::string(100 * 1024, ' '),
                                            program_.string() + " /Z9 " +
                                                (temp_.Path() / "no-folder").string()};
    for (const std::string& link : links) {
        LaunchLink(link);
        EXPECT_TRUE(watch_.NothingStarted()) << link.substr(0, 80);
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
} // namespace z9
