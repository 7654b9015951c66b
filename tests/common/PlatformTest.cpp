#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace z9 {
namespace {

#ifndef _WIN32
TEST(HostPathTest, UncPathsLandUnderTheUncRoot) {
    test::TempFolder folder;
    std::string root = folder.UncRoot().string();
    EXPECT_EQ(UncRoot(), root);
    EXPECT_EQ(HostPath("\\\\SRV1\\$JQ\\$InQ\\a.z9f"), root + "/SRV1/$JQ/$InQ/a.z9f");
    EXPECT_EQ(HostPath("//SRV1/$JQ"), root + "/SRV1/$JQ");
    EXPECT_EQ(HostPath("C:\\tasks\\x.z9f"), "C:/tasks/x.z9f");
    EXPECT_EQ(HostPath("/home/u/x.z9f"), "/home/u/x.z9f");
    EXPECT_FALSE(IsUncPath("\\\\"));
    EXPECT_FALSE(IsUncPath("\\x"));
}

TEST(HostPathTest, DefaultUncRootWhenUnset) {
    test::TempFolder folder;
    test::ScopedEnv unset("Z9_UNC_ROOT", std::nullopt);
    EXPECT_EQ(UncRoot(), "/mnt/unc");
}
#else
TEST(HostPathTest, WindowsTakesPathsAsTheyAreWritten) {
    EXPECT_EQ(HostPath("\\\\SRV1\\$JQ\\$InQ\\a.z9f"), "\\\\SRV1\\$JQ\\$InQ\\a.z9f");
    EXPECT_EQ(HostPath("C:\\tasks\\x.z9f"), "C:\\tasks\\x.z9f");
    EXPECT_TRUE(IsUncPath("\\\\SRV1\\$JQ"));
    EXPECT_FALSE(IsUncPath("C:\\tasks"));
}
#endif

TEST(SystemErrorTextTest, WindowsWordingForOurOwnCodes) {
    EXPECT_FALSE(ErrnoText(EIO).empty());
    EXPECT_EQ(SystemErrorText(1326).find_first_of("\r\n"), std::string::npos); // no line break left
    if (test::RunningUnderWine()) GTEST_SKIP() << "Wine words its message table differently from Windows";
    EXPECT_EQ(SystemErrorText(53), "The network path was not found.");
    EXPECT_EQ(SystemErrorText(5), "Access is denied.");
    EXPECT_EQ(ErrnoText(ENOENT), "The system cannot find the file specified.");
    EXPECT_EQ(ErrnoText(EACCES), "Access is denied.");
}

TEST(SystemErrorTextTest, TheMessageTableComesFirst) {
#ifdef _WIN32
    // The system's own table answers, even for codes this layer never words itself.
    EXPECT_FALSE(MessageTableText(5).empty());
    EXPECT_EQ(SystemErrorText(5), MessageTableText(5));
    EXPECT_EQ(SystemErrorText(1392), MessageTableText(1392));
    EXPECT_NE(SystemErrorText(1392).find_last_not_of("\r\n"), std::string::npos);
#else
    EXPECT_EQ(MessageTableText(5), ""); // Linux has none: the layer's own words stand in
    EXPECT_EQ(SystemErrorText(1392), "Unknown error 1392.");
#endif
    EXPECT_EQ(MessageTableText(0x7FFFFFF0), "");
}

TEST(ClockTest, FakeClockAdvancesWithoutRealTime) {
    test::FakeClock fake;
    TimePoint start = Clock::Now();
    int seen = 0;
    fake.OnSleep([&](int) { ++seen; });
    for (int i = 0; i < 30; ++i)
        Clock::SleepProcessingEvents(1000);
    EXPECT_EQ(Clock::Now() - start, std::chrono::seconds(30));
    EXPECT_EQ(seen, 30);
    EXPECT_EQ(fake.Sleeps(), 30);
}

TEST(MessageBoxTest, RecorderAnswersAndDefaultTitleIsTheProgramTitle) {
    test::MessageRecorder recorder;
    SetAppTitle("Zorvan Submitter");
    recorder.Answer(vbNo);
    EXPECT_EQ(MessageBox("Overwrite?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(MessageBox("Done.", vbInformation, "Other"), vbOK);
    ASSERT_EQ(recorder.Messages().size(), 2u);
    EXPECT_EQ(recorder.Messages()[0].title, "Zorvan Submitter");
    EXPECT_EQ(recorder.Messages()[0].style, vbYesNo | vbQuestion);
    EXPECT_EQ(recorder.Messages()[1].title, "Other");
}

TEST(ProgramTest, ProgramFileUsesTheProgramFolderAndSuffix) {
    SetProgramFolder("/opt/z9");
    EXPECT_EQ(ProgramFile("Z9Sub"), std::string("/opt/z9") + PathSeparator() + "Z9Sub" + ExeSuffix());
#ifdef _WIN32
    EXPECT_EQ(ProgramFile("Z9Sub"), "/opt/z9\\Z9Sub.exe");
#else
    EXPECT_EQ(ProgramFile("Z9Sub"), "/opt/z9/Z9Sub");
#endif
    SetProgramFolder("");
    EXPECT_FALSE(ProgramFolder().empty());
    EXPECT_EQ(ProgramFolder(), ExecutableFolder());
}

TEST(ProgramTest, EnvironmentVariablesAreSetAndRemoved) {
    ASSERT_TRUE(SetEnvVar("Z9_TEST_VARIABLE", std::string("a b\\c")));
    EXPECT_EQ(EnvVar("Z9_TEST_VARIABLE"), "a b\\c");
    ASSERT_TRUE(SetEnvVar("Z9_TEST_VARIABLE", std::nullopt));
    EXPECT_EQ(std::getenv("Z9_TEST_VARIABLE"), nullptr);
    {
        test::ScopedEnv scoped("Z9_TEST_VARIABLE", "inside");
        EXPECT_EQ(EnvVar("Z9_TEST_VARIABLE"), "inside");
    }
    EXPECT_EQ(std::getenv("Z9_TEST_VARIABLE"), nullptr);
}

TEST(ProgramTest, AWindowSystemIsThereWhenTheSessionNamesOne) {
#ifdef _WIN32
    EXPECT_TRUE(WindowSystemPresent());
#else
    test::ScopedEnv x11("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_FALSE(WindowSystemPresent());
    {
        test::ScopedEnv display("DISPLAY", ":99");
        EXPECT_TRUE(WindowSystemPresent());
    }
    test::ScopedEnv display("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(WindowSystemPresent());
#endif
}

TEST(ProgramTest, TheCommandLineAfterTheProgramsName) {
    // What the submitter reads on Windows, where the arguments keep their quotes and blanks.
    EXPECT_EQ(CommandLineAfterProgram("\"C:\\Program Files\\Z9Sub.exe\"  \"C:\\My Tasks\\a.z9f\" /s"),
              "\"C:\\My Tasks\\a.z9f\" /s");
    EXPECT_EQ(CommandLineAfterProgram("Z9Sub.exe\t a.z9f  Z9EnvVar: 1-X=a  b"), "a.z9f  Z9EnvVar: 1-X=a  b");
    EXPECT_EQ(CommandLineAfterProgram("Z9Sub.exe"), "");
    EXPECT_EQ(CommandLineAfterProgram("\"C:\\unclosed a.z9f"), "");
    EXPECT_EQ(CommandLineAfterProgram(""), "");
}

TEST(LocaleValueTest, TheSystemsOwnValuesWhereItKeepsThem) {
#ifdef _WIN32
    // Windows keeps the locale's values itself; its ANSI code page is the one
    // the code page door uses.
    std::optional<std::string> codePage = SystemLocaleValue(LOCALE_IDEFAULTANSICODEPAGE_ID);
    ASSERT_TRUE(codePage.has_value());
    EXPECT_EQ(*codePage, std::to_string(SystemAnsiCodePage()));
    std::optional<std::string> date = SystemLocaleValue(LOCALE_SSHORTDATE_ID);
    ASSERT_TRUE(date.has_value());
    EXPECT_NE(date->find('M'), std::string::npos) << *date;
    EXPECT_NE(date->find('y'), std::string::npos) << *date;
    EXPECT_EQ(SystemLocaleValue(0x7FFF), std::string()); // no such value: empty
#else
    // Linux keeps none: the values are derived from the locale's data instead.
    EXPECT_FALSE(SystemLocaleValue(LOCALE_SSHORTDATE_ID).has_value());
#endif
}

} // namespace
} // namespace z9
