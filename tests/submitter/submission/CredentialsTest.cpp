#include "QueueFixture.h"

#include "submitter/submission/Credentials.h"
#include "submitter/submission/JobQueue.h"
#include "submitter/taskfile/Container.h"

#include <filesystem>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

class CredentialsTest : public QueueTest {
protected:
    std::string Key() const { return MakeRequestKey(ComputerName(), WinUserDomain(), WinUserName()); }
    fs::path Request() const { return server_.InQ() / (Key() + ".urf"); }
    fs::path Reply() const { return server_.JobR() / (Key() + ".urr"); }
    int Check() {
        return CheckCredentials(task_.User, task_.Password, task_.Domain, "HOST1", server_.Location());
    }
    // The server stays silent; instead the reply is written with these bytes after `seconds`.
    void ReplyWith(const std::string& bytes, int seconds = 1) {
        server_.Answer(std::nullopt);
        long long start = clock_.SleptMs();
        clock_.OnSleep([this, bytes, seconds, start](int) {
            if (clock_.SleptMs() - start == seconds * 1000LL)
                folder_.Write(fs::relative(Reply(), folder_.Path()).string(), bytes);
        });
    }
    const std::string& Only() {
        EXPECT_EQ(messages_.Messages().size(), 1u);
        static const std::string none;
        return messages_.Messages().empty() ? none : messages_.Messages()[0].text;
    }
    TaskRecord task_ = MakeTask();
};

TEST_F(CredentialsTest, GrantedRequestAndReplyFiles) {
    EXPECT_EQ(
        Key(), "OFFICE-WS7-" + [] {
            std::string u = WinUserName();
            for (char& c : u)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return u;
        }());
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(ReadFileBytes(Request()), "\"CREDENTIALS\",\"ANNA\",\"" + HexEncode(task_.Password) +
                                            "\",\"OFFICE\",\"" + Key() + ".urr\"\r\n");
    EXPECT_EQ(HexEncode(task_.Password).size(), 80u);
    EXPECT_FALSE(fs::exists(Reply()));
    EXPECT_EQ(clock_.SleptMs(), 1000);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CredentialsTest, ReadingRuleOfTheReply) {
    for (const std::string reply :
         {"Granted", "\"Granted\"\r\n", "Granted,more,fields\r\n", "  \"Granted\",x"}) {
        ReplyWith(reply, 3);
        EXPECT_EQ(Check(), 1) << reply;
        EXPECT_FALSE(fs::exists(Reply())) << reply;
    }
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CredentialsTest, DeniedShowsUserAndDomain) {
    server_.Answer("Denied");
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(Only(), "The password you specified is incorrect or your account is inactive.\n\n"
                      "See your network administrator for your password or to activate your account.\n\n"
                      "User: ANNA\n\nDomain: OFFICE");
    EXPECT_EQ(messages_.Messages()[0].style, 48);
    EXPECT_FALSE(fs::exists(Reply()));
}

TEST_F(CredentialsTest, OtherAnswerIsShownUnchanged) {
    server_.Answer("Account expired");
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(Only(), "Account expired");
    EXPECT_FALSE(fs::exists(Reply()));
}

TEST_F(CredentialsTest, EmptyAnswerIsAnUnknownError) {
    ReplyWith(" , Granted\r\n");
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(Only(), "Unknown error has occurred while validating credentials.");
    EXPECT_FALSE(fs::exists(Reply()));
}

TEST_F(CredentialsTest, UnwritableRequestGivesTheDescription) {
    fs::remove_all(server_.InQ());
    EXPECT_EQ(Check(), 0);
    // The request cannot be created in a missing folder: the system names the path, as for a task file.
    EXPECT_EQ(Only(), "Unknown error has occurred while validating credentials.\n\n"
                      "The system cannot find the path specified.");
    EXPECT_EQ(clock_.SleptMs(), 0);
}

TEST_F(CredentialsTest, WaitsThirtySecondsInVirtualTime) {
    server_.ReplyDelay(29);
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(clock_.SleptMs(), 29000);

    // The 30th attempt is the last one that reads a reply.
    server_.ReplyDelay(30);
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(clock_.SleptMs(), 29000 + 30000);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CredentialsTest, NoReplyWithinThirtySeconds) {
    server_.ReplyDelay(31);
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(Only(),
              "There has been no response from the Zorvan Server in 30 seconds.\n\nPlease try again later.");
    EXPECT_EQ(clock_.SleptMs(), 30000);
    // One sleep lets pending events run first, then 30 attempts.
    EXPECT_EQ(clock_.Sleeps(), 31);
    EXPECT_TRUE(fs::exists(Request()));
}

TEST_F(CredentialsTest, SubmitModeLogsTheRefusal) {
    SetSubmitMode(true);
    server_.Answer(std::nullopt);
    EXPECT_EQ(Check(), 0);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_NE(ErrorLog().find(" - There has been no response from the Zorvan Server in 30 seconds.\n\n"
                              "Please try again later.\r\n"),
              std::string::npos);
}

} // namespace
} // namespace z9::test
