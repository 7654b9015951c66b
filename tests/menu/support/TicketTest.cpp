#include "menu/support/Ticket.h"

#include "common/Settings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMail = "help@zorvan.example";
constexpr const char* kTitle = "Zorvan Menu 1.0.0";

TicketAnswers ExampleAnswers() {
    TicketAnswers answers;
    answers.replyAddress = "anna@example.com";
    answers.counts = {"1", "0", "0", "0"};
    answers.serverSystems = "2000-2003";
    answers.description = "The backup task stops at step two.";
    return answers;
}

TEST(TicketTextTest, CountsAreCopiedAsTypedAndUncountedServerSystemsStillListed) {
    TicketAnswers answers = ExampleAnswers();
    answers.counts = {"0", "00", "12", "3"};
    answers.serverSystems = "XP";
    answers.workstationSystems = "2000-Me-98";
    answers.description = "First line of the problem\r\nsecond line";
    TicketResult result = AssembleTicket(answers, kMail, kTitle);
    ASSERT_FALSE(result.problem) << result.problem->message;
    EXPECT_NE(result.text.find("\r\nServers: 0, 00, XP\r\nWorkstations: 12, 3, 2000-Me-98\r\n"
                               "First line of the problem\r\nsecond line\r\n<< Zorvan Trouble Ticket >>"),
              std::string::npos)
        << result.text;
}

TEST(TicketTextTest, GreetingLetterPartsAreSeparatedByBlankLines) {
    const std::string& letter = GreetingLetter();
    EXPECT_EQ(letter.substr(0, 25), "Dear Zorvan customer,\r\n\r\n");
    EXPECT_EQ(letter.substr(letter.size() - 32), "\r\n\r\nYour Zorvan Development Team");
    size_t breaks = 0;
    for (size_t at = letter.find("\r\n"); at != std::string::npos; at = letter.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 6u);
    // No line feed or carriage return stands alone.
    EXPECT_EQ(std::count(letter.begin(), letter.end(), '\n'), 6);
    EXPECT_EQ(std::count(letter.begin(), letter.end(), '\r'), 6);
    EXPECT_NE(letter.find(".\r\n\r\nWhat we can do for you?"), std::string::npos);
}

TEST(TickedSystemsTest, TickedCaptionsInIndexOrderJoinedByDashes) {
    auto boxes = [](std::vector<bool> ticks) {
        std::vector<SystemBox> row;
        for (size_t i = 0; i < ticks.size(); ++i)
            row.push_back({kWorkstationSystems[i], ticks[i]});
        return row;
    };
    EXPECT_EQ(TickedSystems(boxes({false, false, false, false, false, false})), "");
    EXPECT_EQ(TickedSystems(boxes({true, false, false, false, false, false})), "2000");
    EXPECT_EQ(TickedSystems(boxes({false, false, false, false, false, true})), "Other");
    EXPECT_EQ(TickedSystems(boxes({true, true, true, true, true, true})), "2000-XP-NT 4.0-Me-98-Other");
    EXPECT_EQ(TickedSystems(boxes({false, true, false, true, false, false})), "XP-Me");
}

struct CheckCase {
    const char* what;
    std::function<void(TicketAnswers&)> change;
    const char* message; // nullptr: a ticket comes out
    int style;
    TicketField focus;
};

TEST(TicketChecksTest, EachCheckStopsTheTicketWithItsMessageAndField) {
    const char* address = "Please enter your e-mail where do you want to recive our reply.";
    const char* counts = "You have to enter at least one server or workstation.";
    const char* systems = "You have to enter at least one operating system.";
    const char* mismatch = "There was an error creating Trouble Ticket.\n\nType mismatch";
    const CheckCase cases[] = {
        {"empty address", [](auto& a) { a.replyAddress = ""; }, address, 48, TicketField::ReplyAddress},
        {"address before counts",
         [](auto& a) {
             a.replyAddress = "x";
             a.counts = {"abc", "0", "0", "0"};
         },
         address, 48, TicketField::ReplyAddress},
        {"counts before systems",
         [](auto& a) {
             a.counts = {"0", "0", "0", "0"};
             a.serverSystems = "";
         },
         counts, 48, TicketField::WorkstationsExisting},
        {"systems before description",
         [](auto& a) {
             a.counts[3] = "1";
             a.description = "short";
         },
         systems, 48, TicketField::WorkstationSystems},
        {"pasted sign only", [](auto& a) { a.counts[1] = "-"; }, mismatch, 0, TicketField::None},
        {"blanks around a count", [](auto& a) { a.counts[0] = " 2 "; }, nullptr, 0, TicketField::None},
        {"planned servers only, none ticked",
         [](auto& a) {
             a.counts = {"0", "4", "0", "0"};
             a.serverSystems = "";
         },
         systems, 48, TicketField::ServerSystems},
        {"workstations only: server systems not needed",
         [](auto& a) {
             a.counts = {"0", "0", "5", "0"};
             a.serverSystems = "";
             a.workstationSystems = "XP";
         },
         nullptr, 0, TicketField::None},
        {"a line break counts as two characters", [](auto& a) { a.description = "123456789\r\n123456789"; },
         nullptr, 0, TicketField::None},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        TicketAnswers answers = ExampleAnswers();
        c.change(answers);
        TicketResult result = AssembleTicket(answers, kMail, kTitle);
        if (!c.message) {
            EXPECT_FALSE(result.problem) << result.problem->message;
            EXPECT_FALSE(result.text.empty());
            continue;
        }
        ASSERT_TRUE(result.problem);
        EXPECT_EQ(result.problem->message, c.message);
        EXPECT_EQ(result.problem->style, c.style);
        EXPECT_EQ(result.problem->focus, c.focus);
        EXPECT_TRUE(result.text.empty());
    }
}

TEST(SupportMailTest, MenuSettingOverridesTheDefault) {
    TempFolder folder;
    EXPECT_EQ(SupportMailAddress(), "support@zorvan.example");
    {
        // Read from the menu program's key whatever key is current.
        AppKeyScope other("Brindle\\Zorvan Submitter");
        ASSERT_EQ(SetStringValue(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings",
                                 "SupportMail", "desk@zorvan.example"),
                  0);
        EXPECT_EQ(SupportMailAddress(), "desk@zorvan.example");
    }
    // An emptied value does not leave the ticket without its first line.
    ASSERT_EQ(
        SetStringValue(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings", "SupportMail", ""),
        0);
    EXPECT_EQ(SupportMailAddress(), "support@zorvan.example");
}

class TicketFileTest : public ::testing::Test {
protected:
    TempFolder folder_;
    MessageRecorder messages_;

    std::string Write(const fs::path& path, const std::string& text = "ticket") {
        const std::string shown = "C:\\Shown\\" + path.filename().string();
        if (WriteTicketFile(shown, path.string(), text)) return {};
        EXPECT_EQ(messages_.Messages().size(), 1u);
        if (messages_.Messages().empty()) return "<no message>";
        EXPECT_EQ(messages_.Messages()[0].style, 0);
        const std::string prefix = "Cannot write your Trouble Ticket to file: " + shown + "!\n\n";
        const std::string& text0 = messages_.Messages()[0].text;
        EXPECT_EQ(text0.substr(0, prefix.size()), prefix);
        return text0.size() > prefix.size() ? text0.substr(prefix.size()) : "<no reason>";
    }
};

TEST_F(TicketFileTest, WritesTheTicketWithClosingBreakAndReplacesAnOldFileWhole) {
    const fs::path path = folder_.Write("out/ticket.txt", std::string(5000, 'o'));
    EXPECT_EQ(Write(path, "line 1\r\nline 2"), "");
    EXPECT_EQ(ReadFileBytes(path), "line 1\r\nline 2\r\n");
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(FolderEntries(path.parent_path()), std::vector<std::string>{"ticket.txt"});
}

TEST_F(TicketFileTest, FolderOrMissingFolderAsPathGivesTheReasonAndLeavesNothing) {
    fs::create_directories(folder_.Path() / "tickets");
    EXPECT_EQ(Write(folder_.Path() / "tickets"), "Access is denied.");
    EXPECT_TRUE(FolderEntries(folder_.Path() / "tickets").empty());
    messages_.Clear();
    EXPECT_EQ(Write(folder_.Path() / "missing" / "ticket.txt"), "The system cannot find the path specified.");
    EXPECT_FALSE(fs::exists(folder_.Path() / "missing"));
}

// Writes into a folder that is a read-only file system. Root passes every
// permission check, so for root the folder becomes a read-only mount in a
// child process of its own; elsewhere the folder loses its write permission.
TEST_F(TicketFileTest, ReadOnlyLocationGivesTheReasonAndLeavesNothing) {
    const fs::path locked = folder_.Path() / "locked";
    fs::create_directories(locked);
    const std::string path = (locked / "ticket.txt").string();
    if (geteuid() != 0) {
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(Write(path), "Access is denied.");
        fs::permissions(locked, fs::perms::owner_all);
        EXPECT_TRUE(FolderEntries(locked).empty());
        return;
    }
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        std::string report;
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("z9readonly", locked.c_str(), "tmpfs", MS_RDONLY, nullptr) != 0) {
            report = std::string("skip:") + std::strerror(errno);
        } else {
            std::string message;
            SetMessageHandler([&message](const std::string& text, int style, const std::string&) {
                message = std::to_string(style) + "|" + text;
                return static_cast<int>(vbOK);
            });
            const bool written = WriteTicketFile(path, path, "ticket");
            report = std::string(written ? "written" : "refused") + "|" +
                     std::to_string(FolderEntries(locked).size()) + "|" + message;
        }
        const ssize_t sent = write(pipeFds[1], report.data(), report.size());
        _exit(sent == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    close(pipeFds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
    if (report.rfind("skip:", 0) == 0)
        GTEST_SKIP() << "running as root and no read-only mount can be made here: " << report.substr(5);
    EXPECT_EQ(report,
              "refused|0|0|Cannot write your Trouble Ticket to file: " + path + "!\n\nRead-only file system");
}

} // namespace
} // namespace z9::test
