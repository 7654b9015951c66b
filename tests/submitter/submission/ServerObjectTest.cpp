#include "QueueFixture.h"

#include "submitter/submission/Credentials.h"
#include "submitter/submission/JobQueue.h"
#include "submitter/taskfile/TaskFile.h"

#include <filesystem>
#include <map>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

// What the stand-in for the server's class answers, and what it was asked.
struct ServerScript {
    std::string queueLocation;
    std::string answer = "Granted";
    std::map<std::string, bool> madeLevels = {{"1", true}, {"2", true}, {"3", true}};
    bool submitted = true;
    std::string failIn; // member that throws
    std::vector<std::string> calls;
    int created = 0;
    int alive = 0;
};

class ScriptedServerTask : public ServerTask {
public:
    explicit ScriptedServerTask(ServerScript& s) : s_(s) { ++s_.alive; }
    ~ScriptedServerTask() override { --s_.alive; }
    std::string QueueLocation() override {
        Call("QueueLocation");
        return s_.queueLocation;
    }
    std::string ValidateCredentials(const std::string& user, const std::string& password,
                                    const std::string& domain, const std::string& key) override {
        Call("ValidateCredentials " + user + " " + password + " " + domain + " " + key);
        return s_.answer;
    }
    bool MkP8Dir(const std::string& user, const std::string& domain, const std::string& path,
                 const std::string& level) override {
        Call("MkP8Dir " + user + " " + domain + " " + path + " " + level);
        return s_.madeLevels[level];
    }
    bool SubmitTask(const std::string& fileName) override {
        Call("SubmitTask " + fileName);
        return s_.submitted;
    }

private:
    void Call(const std::string& call) {
        s_.calls.push_back(call);
        if (call.rfind(s_.failIn, 0) == 0 && !s_.failIn.empty()) throw RunTimeError("Automation error");
    }
    ServerScript& s_;
};

class ServerObjectTest : public QueueTest {
protected:
    ServerObjectTest() {
        script_.queueLocation = (folder_.Path() / "localq").string() + "/";
        fs::create_directories(folder_.Path() / "localq" / "$InQ");
        SetServerTaskFactory([this] {
            ++script_.created;
            return std::make_unique<ScriptedServerTask>(script_);
        });
        task_.Server = "WS7";
        task_.ServerPath = script_.queueLocation;
    }
    ~ServerObjectTest() override { EXPECT_EQ(script_.alive, 0); }
    std::string Key() const { return MakeRequestKey(ComputerName(), WinUserDomain(), WinUserName()); }
    ServerScript script_;
    TaskRecord task_ = MakeTask();
};

TEST_F(ServerObjectTest, OnlyTheLocalOrUnnamedServerGetsAnObject) {
    EXPECT_NE(CreateServerTask("ws7"), nullptr);
    EXPECT_NE(CreateServerTask(""), nullptr);
    EXPECT_EQ(CreateServerTask("HOST1"), nullptr);
    EXPECT_EQ(script_.created, 2);
}

TEST_F(ServerObjectTest, QueueLocationComesFromTheObject) {
    EXPECT_EQ(GetQueueLocation("ws7", task_.Password, "ANNA"), script_.queueLocation);
    EXPECT_EQ(script_.calls, std::vector<std::string>{"QueueLocation"});
    // The share of the local computer is never looked at.
    EXPECT_FALSE(fs::exists(folder_.UncRoot() / "WS7"));
    EXPECT_TRUE(messages_.Messages().empty());

    script_.queueLocation.clear();
    EXPECT_EQ(GetQueueLocation("WS7", task_.Password, "ANNA"), "");
    script_.failIn = "QueueLocation";
    EXPECT_EQ(GetQueueLocation("WS7", task_.Password, "ANNA"), "");
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{"Server Connection Failed Or Zorvan Server Is Not Configured!\n\n",
                                        "Server Connection Failed Or Zorvan Server Is Not Configured!\n\n"
                                        "Automation error"}));
}

TEST_F(ServerObjectTest, CredentialsGoToTheObjectWithThePlainPassword) {
    EXPECT_EQ(CheckCredentials("ANNA", task_.Password, "OFFICE", "WS7", script_.queueLocation), 1);
    EXPECT_EQ(script_.calls, std::vector<std::string>{"ValidateCredentials ANNA " +
                                                      std::string(kPlainPassword) + " OFFICE " + Key()});
    EXPECT_TRUE(fs::is_empty(folder_.Path() / "localq" / "$InQ"));
    EXPECT_EQ(clock_.SleptMs(), 0);

    // $LOCALUSER$ and $LOCALS$ are passed on unchanged.
    script_.calls.clear();
    EXPECT_EQ(CheckCredentials("$LOCALUSER$", task_.Password, "$LOCALS$", "WS7", script_.queueLocation), 1);
    EXPECT_EQ(script_.calls.at(0).rfind("ValidateCredentials $LOCALUSER$ ", 0), 0u);

    script_.answer = "Denied";
    EXPECT_EQ(CheckCredentials("ANNA", task_.Password, "OFFICE", "WS7", script_.queueLocation), 0);
    script_.answer = "";
    EXPECT_EQ(CheckCredentials("ANNA", task_.Password, "OFFICE", "WS7", script_.queueLocation), 0);
    script_.failIn = "ValidateCredentials";
    EXPECT_EQ(CheckCredentials("ANNA", task_.Password, "OFFICE", "WS7", script_.queueLocation), 0);
    ASSERT_EQ(messages_.Messages().size(), 3u);
    EXPECT_EQ(messages_.Texts()[0].rfind("The password you specified is incorrect", 0), 0u);
    EXPECT_EQ(messages_.Texts()[1], "Unknown error has occurred while validating credentials.");
    EXPECT_EQ(messages_.Texts()[2],
              "Unknown error has occurred while validating credentials.\n\nAutomation error");
}

TEST_F(ServerObjectTest, FolderLevelsStopAtTheFirstRefusal) {
    ScriptedServerTask object(script_);
    EXPECT_TRUE(PrepareTaskFolder(task_, &object));
    std::string base = script_.queueLocation + "OFFICE";
    EXPECT_EQ(script_.calls, (std::vector<std::string>{"MkP8Dir ANNA OFFICE " + base + " 1",
                                                       "MkP8Dir ANNA OFFICE " + base + "\\ANNA 2",
                                                       "MkP8Dir ANNA OFFICE " + base + "\\ANNA\\Backup 3"}));
    EXPECT_EQ(clock_.Sleeps(), 0); // no waiting for Zorvan.ctf
    EXPECT_TRUE(fs::is_empty(folder_.Path() / "localq" / "$InQ"));

    script_.calls.clear();
    script_.madeLevels["2"] = false;
    EXPECT_FALSE(PrepareTaskFolder(task_, &object));
    EXPECT_EQ(script_.calls.size(), 2u);
    EXPECT_TRUE(messages_.Messages().empty());

    script_.failIn = "MkP8Dir";
    EXPECT_FALSE(PrepareTaskFolder(task_, &object));
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"Unable to connect to Zorvan Server.\n\nAutomation error"});
}

TEST_F(ServerObjectTest, QueuedTaskIsHandedToTheObjectByName) {
    ScriptedServerTask object(script_);
    SetCounts(task_);
    std::string path = QueuedTaskPath(task_, "WS7", 7);
    EXPECT_EQ(path, script_.queueLocation + "$InQ\\WS7-OFFICE-ANNA-Backup-7.z9f");
    EXPECT_TRUE(DropTask(task_, path, &object));
    EXPECT_EQ(script_.calls, std::vector<std::string>{"SubmitTask WS7-OFFICE-ANNA-Backup-7.z9f"});
    EXPECT_TRUE(fs::exists(folder_.Path() / "localq" / "$InQ" / "WS7-OFFICE-ANNA-Backup-7.z9f"));

    script_.submitted = false;
    EXPECT_FALSE(DropTask(task_, path, &object));
    script_.failIn = "SubmitTask";
    EXPECT_FALSE(DropTask(task_, path, &object));
    EXPECT_TRUE(messages_.Messages().empty());
}

} // namespace
} // namespace z9::test
