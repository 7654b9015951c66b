// A task's whole road into a queue served by the development server: location,
// credentials, task folder, files and the queued task file.
#include "QueueFixture.h"

#include "submitter/submission/Credentials.h"
#include "submitter/submission/JobQueue.h"
#include "submitter/submission/Submission.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <filesystem>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

// The submit window's side of the phases, recorded.
class RecordingDisplay : public SubmitDisplay {
public:
    void PicCC(int phase, int picture) override { pictures.push_back({phase, picture}); }
    void SetStatus(const std::string& text) override { status = text; }
    void SetTimeText(const std::string&) override {}
    void SetTaskCaptions(const TaskRecord&) override {}
    void SetCloseEnabled(bool enabled) override { closeEnabled = enabled; }

    std::vector<std::pair<int, int>> pictures;
    std::string status;
    bool closeEnabled = true;
};

// The pictures of phases that ran one after the other, the last with `last`.
std::vector<std::pair<int, int>> Phases(int count, int last) {
    std::vector<std::pair<int, int>> shown;
    for (int p = 0; p < count; ++p) {
        shown.push_back({p, kPicRunning});
        shown.push_back({p, p + 1 == count ? last : kPicDone});
    }
    return shown;
}

// The one task file in the queue.
fs::path OnlyQueuedTask(FakeQueueServer& server) {
    std::vector<fs::path> queued = server.Queue().QueuedTasks();
    return queued.size() == 1 ? queued.front() : fs::path();
}

class QueueRoadTest : public QueueTest {
protected:
    QueueRoadTest() {
        task_.TaskFiles = {{folder_.Write("work/tools.zip", "ZIP").string(), "", "1"}};
        task_.Environs = {Env("1", "IN", "2", folder_.Write("work/input.csv", "a,b\r\n").string(), "True"),
                          Env("1", "OUT", "0", "C:\\Out"), Env("2", "PIN", "0", "3F2A", "Password")};
        SetCounts(task_);
    }

    // The submission's phases as the submit window runs them.
    bool Submit() {
        display_ = RecordingDisplay();
        return z9::Submit(task_, display_, &failedPhase_);
    }

    std::string Key() const { return MakeRequestKey(ComputerName(), WinUserDomain(), WinUserName()); }

    TaskRecord task_ = MakeTask();
    RecordingDisplay display_;
    std::string failedPhase_;
};

TEST_F(QueueRoadTest, SubmissionLandsInTheQueue) {
    SetSubmitMode(true);
    std::string enciphered = task_.Password;
    ASSERT_TRUE(Submit()) << ErrorLog();
    EXPECT_EQ(ErrorLog(), "");
    EXPECT_EQ(display_.pictures, Phases(4, kPicDone));
    EXPECT_EQ(display_.status, kStatusSucceeded);
    EXPECT_TRUE(display_.closeEnabled);
    EXPECT_EQ(failedPhase_, "");

    EXPECT_TRUE(fs::exists(server_.InQ() / (Key() + ".urf")));
    EXPECT_TRUE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    fs::path taskFolder = server_.TaskFolder("OFFICE", "ANNA", "Backup");
    EXPECT_TRUE(fs::exists(taskFolder / "Zorvan.ctf"));
    EXPECT_EQ(ReadFileBytes(taskFolder / "tools.zip"), "ZIP");
    EXPECT_EQ(ReadFileBytes(taskFolder / "input.csv"), "a,b\r\n");

    // Named computer-DOMAIN-USER-TASKNAME-n with the number the submission drew.
    const fs::path queuedFile = OnlyQueuedTask(server_);
    const std::string name = queuedFile.filename().string();
    const std::string prefix = "WS7-OFFICE-ANNA-Backup-";
    ASSERT_EQ(name.rfind(prefix, 0), 0u) << name;
    ASSERT_GT(name.size(), prefix.size() + 4);
    const std::string number = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    EXPECT_EQ(name.substr(name.size() - 4), ".z9f");
    EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << name;
    EXPECT_LE(std::stoi(number), 9998);
    TaskRecord queued;
    ASSERT_TRUE(LoadTask(queuedFile.string(), queued, true)) << LastTaskError();
    EXPECT_EQ(queued.ServerPath, "C:\\ZorvanQueue\\");
    EXPECT_EQ(queued.Password, HexEncode(enciphered));
    EXPECT_EQ(queued.Steps[0].Environment,
              "\x02SET IN=C:\\ZorvanQueue\\OFFICE\\ANNA\\Backup\\input.csv\x02SET OUT=C:\\Out");
    EXPECT_EQ(queued.Steps[1].Environment, "\x02SETP PIN=3F2A");
    EXPECT_EQ(queued.SubServer, "WS7");
    EXPECT_EQ(queued.SubDomain, "OFFICE");
    EXPECT_EQ(queued.SubUser, WinUserName());
    EXPECT_EQ(task_.Password, enciphered); // back in its in-memory form

    // The server saw it all, in order.
    server_.Poll();
    const auto& events = server_.Events();
    ASSERT_EQ(events.size(), 5u) << ::testing::PrintToString(events);
    EXPECT_EQ(events[0].rfind("answered ANNA@OFFICE with Granted", 0), 0u);
    EXPECT_EQ(events[4].rfind("queued task file ", 0), 0u);

    // The plain password reached no file: not the queue, not the log.
    EXPECT_TRUE(FilesContaining(folder_.Path(), kPlainPassword).empty());
}

TEST_F(QueueRoadTest, SecondSubmissionFindsTheFolder) {
    SetSubmitMode(true); // the files copied the first time are replaced without asking
    ASSERT_TRUE(Submit());
    fs::remove(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf");
    clock_.Set(clock_.Now() + std::chrono::seconds(1)); // another moment draws another number
    ASSERT_TRUE(Submit());
    EXPECT_FALSE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    EXPECT_EQ(server_.Queue().QueuedTasks().size(), 2u);
    EXPECT_EQ(ErrorLog(), "");
}

TEST_F(QueueRoadTest, FailedPhaseStopsTheRoad) {
    SetSubmitMode(true);
    server_.Answer("Denied");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(display_.pictures, Phases(1, kPicFailed));
    EXPECT_EQ(failedPhase_, kPhaseCaptions[0]);
    EXPECT_EQ(display_.status, kStatusFailed);
    EXPECT_FALSE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    EXPECT_TRUE(server_.Queue().QueuedTasks().empty());
    EXPECT_NE(ErrorLog().find("The password you specified is incorrect"), std::string::npos);
    EXPECT_TRUE(FilesContaining(folder_.Path(), kPlainPassword).empty());
}

// The development server as its own program, in real time.
TEST(QueueServerProgramTest, AnswersARealSubmission) {
    TempFolder folder;
    ScopedEnv computer("Z9_NETBIOS_NAME", "WS9");
    ScopedEnv domain("USERDOMAIN", "LAB");
    SetServerTaskFactory([] { return nullptr; });
    MessageRecorder messages;

    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(QString::fromStdString((BinDir() / "Z9QueueServer").string()),
                 {"--server", "DEVQ", "--location", "E:\\Jobs\\", "--until-task", "--timeout", "60",
                  "--poll-ms", "50"});
    ASSERT_TRUE(server.waitForStarted(10000));
    // QPath appears once the queue is published.
    fs::path qpath = folder.UncRoot() / "DEVQ" / "$JQ" / "$JobQ" / "QPath";
    for (int i = 0; i < 200 && !fs::exists(qpath); ++i)
        Clock::Sleep(25);
    ASSERT_EQ(ReadFileBytes(qpath), "\"E:\\Jobs\\\"\r\n");

    TaskRecord t = MakeTask();
    t.Server = "DEVQ";
    t.Domain = "LAB";
    SetCounts(t);
    RecordingDisplay display;
    ASSERT_TRUE(Submit(t, display)) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(t.ServerPath, "E:\\Jobs\\");
    EXPECT_TRUE(fs::exists(folder.UncRoot() / "DEVQ" / "$JQ" / "LAB" / "ANNA" / "Backup" / "Zorvan.ctf"));

    ASSERT_TRUE(server.waitForFinished(20000));
    EXPECT_EQ(server.exitCode(), 0);
    std::string out = server.readAll().toStdString();
    std::vector<std::string> queued;
    for (const auto& entry : fs::directory_iterator(folder.UncRoot() / "DEVQ" / "$JQ" / "$InQ"))
        if (entry.path().extension() == ".z9f") queued.push_back(entry.path().string());
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(fs::path(queued[0]).filename().string().rfind("WS9-LAB-ANNA-Backup-", 0), 0u);
    EXPECT_NE(out.find("queued task file " + queued[0]), std::string::npos) << out;
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
} // namespace z9::test
