#include "common/Clock.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "common/Program.h"
#include "common/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace z9 {
namespace {

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
    unsetenv("Z9_UNC_ROOT");
    EXPECT_EQ(UncRoot(), "/mnt/unc");
}

TEST(SystemErrorTextTest, WindowsWordingForOurOwnCodes) {
    EXPECT_EQ(SystemErrorText(53), "The network path was not found.");
    EXPECT_EQ(ErrnoText(ENOENT), "The system cannot find the file specified.");
    EXPECT_EQ(ErrnoText(EACCES), "Access is denied.");
    EXPECT_FALSE(ErrnoText(EIO).empty());
}

TEST(ClockTest, FakeClockAdvancesWithoutRealTime) {
    test::FakeClock fake;
    TimePoint start = Clock::Now();
    int seen = 0;
    fake.OnSleep([&](int) { ++seen; });
    for (int i = 0; i < 30; ++i) Clock::SleepProcessingEvents(1000);
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
    EXPECT_EQ(ProgramFile("Z9Sub"), std::string("/opt/z9/Z9Sub") + ExeSuffix());
    SetProgramFolder("");
    EXPECT_FALSE(ProgramFolder().empty());
}

} // namespace
} // namespace z9
