#include "submitter/base/ReportError.h"

#include "common/Desktop.h"

#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <ctime>
#include <filesystem>

namespace z9 {
namespace {

using test::FakeClock;
using test::MessageRecorder;
using test::ReadFileBytes;
using test::TempFolder;

// 5 March 2024, 14:07:09 local time.
TimePoint LocalTime() {
    std::tm tm{};
    tm.tm_year = 124;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 14;
    tm.tm_min = 7;
    tm.tm_sec = 9;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

class ReportErrorTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseLocale("en_US");
        clock_.Set(LocalTime());
    }
    std::string Log() const { return ReadFileBytes(folder_.Path() / "Z9SubError.log"); }

    TempFolder folder_;
    FakeClock clock_;
};

TEST_F(ReportErrorTest, SubmitModeWritesOneLinePerEntryInTheCurrentFolder) {
    MessageRecorder messages;
    SetSubmitMode(true);
    ReportError("Filename required.\n\nPlease enter filename in the command line and try again.", 48);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(Log(),
              "3/5/2024 2:07:09 PM - Filename required.\n\nPlease enter filename in the command line and try "
              "again.\r\n");
    // Another locale writes its own general date and time.
    UseLocale("de_DE");
    ReportError("second", 16);
    EXPECT_EQ(Log().substr(Log().find("\r\n") + 2), GeneralDateTimeText(LocalTime()) + " - second\r\n");
}

TEST_F(ReportErrorTest, LogIsAppendedNeverTruncated) {
    folder_.Write("Z9SubError.log", "earlier entry\r\n");
    AppendErrorLog("one");
    AppendErrorLog("two");
    EXPECT_EQ(Log(), "earlier entry\r\n3/5/2024 2:07:09 PM - one\r\n3/5/2024 2:07:09 PM - two\r\n");
}

#ifndef _WIN32
TEST_F(ReportErrorTest, ANewLogIsReadableByItsOwnerOnly) {
    const mode_t before = ::umask(0); // not even a permissive umask opens it to others
    AppendErrorLog("first");
    ::umask(before);
    EXPECT_EQ(std::filesystem::status(folder_.Path() / kErrorLogName).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(Log(), "3/5/2024 2:07:09 PM - first\r\n");
}
#endif

TEST_F(ReportErrorTest, LogFollowsTheCurrentFolder) {
    std::filesystem::create_directories(folder_.Path() / "elsewhere");
    ASSERT_TRUE(SetCurrentFolder((folder_.Path() / "elsewhere").string()));
    AppendErrorLog("moved");
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "elsewhere" / "Z9SubError.log"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Z9SubError.log"));
}

TEST_F(ReportErrorTest, InteractiveShowsABoxUnlessLogOnly) {
    MessageRecorder messages;
    ReportError("Shown.", 64);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Shown.");
    EXPECT_EQ(messages.Messages()[0].style, 64);
    EXPECT_EQ(messages.Messages()[0].title, AppTitle());
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Z9SubError.log"));

    ReportError("Logged.", 16, true);
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(Log(), "3/5/2024 2:07:09 PM - Logged.\r\n");
}

TEST_F(ReportErrorTest, ReportToPersonWaitsForNobodyOnAScreenlessRun) {
    // The tests run on the offscreen platform: nobody can answer a box there.
    EXPECT_FALSE(PersonCanAnswer());
    MessageRecorder messages;
    ReportToPerson("Asked.", 48);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].style, 48);
    EXPECT_EQ(messages.Messages()[0].title, AppTitle());

    SetSubmitMode(true);
    ReportToPerson("Logged instead.", 48);
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(Log(), "3/5/2024 2:07:09 PM - Logged instead.\r\n");
}

TEST_F(ReportErrorTest, ReportToPersonAsksAPersonWhoSitsAtTheScreenEvenInSubmitMode) {
    struct Attended : DesktopBackend {
        bool PersonCanAnswer() override { return true; }
        bool PushBusyCursor() override { return false; }
        void PopBusyCursor() override {}
    } attended;
    DesktopBackend* previous = Desktop::Install(&attended);
    MessageRecorder messages;
    SetSubmitMode(true);
    ReportToPerson("Asked.", 48);
    ReportError("Logged.", 16);
    Desktop::Install(previous);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Asked."});
    EXPECT_EQ(Log(), "3/5/2024 2:07:09 PM - Logged.\r\n");
}

} // namespace
} // namespace z9
