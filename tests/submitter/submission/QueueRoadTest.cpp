// A task's whole road into a queue served by the development server: location,
// credentials, task folder, files and the queued task file.
#include "QueueFixture.h"

#include "submitter/submission/Credentials.h"
#include "submitter/submission/JobQueue.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <filesystem>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

class QueueRoadTest : public QueueTest {
protected:
    QueueRoadTest() {
        task_.TaskFiles = {{folder_.Write("work/tools.zip", "ZIP").string(), "", "1"}};
        task_.Environs = {Env("1", "IN", "2", folder_.Write("work/input.csv", "a,b\r\n").string(), "True"),
                          Env("1", "OUT", "0", "C:\\Out"), Env("2", "PIN", "0", "3F2A", "Password")};
        SetCounts(task_);
    }

    // The phases as the submit window runs them; false at the first that fails.
    bool Submit(int n) {
        std::string location = GetQueueLocation(task_.Server, task_.Password, task_.User);
        if (location.empty() ||
            CheckCredentials(task_.User, task_.Password, task_.Domain, task_.Server, location) != 1)
            return false;
        task_.ServerPath = location;
        if (!PrepareTaskFolder(task_, nullptr) || !TransferTaskFiles(task_)) return false;
        path_ = QueuedTaskPath(task_, ComputerName(), n);
        task_.Password = HexEncode(task_.Password);
        bool dropped = DropTask(task_, path_, nullptr);
        task_.Password = HexDecode(task_.Password);
        return dropped;
    }

    std::string Key() const { return MakeRequestKey(ComputerName(), WinUserDomain(), WinUserName()); }

    TaskRecord task_ = MakeTask();
    std::string path_;
};

TEST_F(QueueRoadTest, SubmissionLandsInTheQueue) {
    SetSubmitMode(true);
    std::string enciphered = task_.Password;
    ASSERT_TRUE(Submit(4711)) << ErrorLog();
    EXPECT_EQ(ErrorLog(), "");

    EXPECT_TRUE(fs::exists(server_.InQ() / (Key() + ".urf")));
    EXPECT_TRUE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    fs::path taskFolder = server_.TaskFolder("OFFICE", "ANNA", "Backup");
    EXPECT_TRUE(fs::exists(taskFolder / "Zorvan.ctf"));
    EXPECT_EQ(ReadFileBytes(taskFolder / "tools.zip"), "ZIP");
    EXPECT_EQ(ReadFileBytes(taskFolder / "input.csv"), "a,b\r\n");

    ASSERT_EQ(server_.Queue().QueuedTasks(),
              std::vector<fs::path>{server_.InQ() / "WS7-OFFICE-ANNA-Backup-4711.z9f"});
    TaskRecord queued;
    ASSERT_TRUE(LoadTask((server_.InQ() / "WS7-OFFICE-ANNA-Backup-4711.z9f").string(), queued, true))
        << LastTaskError();
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
    ASSERT_TRUE(Submit(1));
    fs::remove(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf");
    ASSERT_TRUE(Submit(2));
    EXPECT_FALSE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    EXPECT_EQ(server_.Queue().QueuedTasks().size(), 2u);
    EXPECT_EQ(ErrorLog(), "");
}

TEST_F(QueueRoadTest, FailedPhaseStopsTheRoad) {
    SetSubmitMode(true);
    server_.Answer("Denied");
    EXPECT_FALSE(Submit(3));
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
    ServerTaskFactory previous = SetServerTaskFactory([] { return nullptr; });
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
    std::string location = GetQueueLocation(t.Server, t.Password, t.User);
    ASSERT_EQ(location, "E:\\Jobs\\");
    ASSERT_EQ(CheckCredentials(t.User, t.Password, t.Domain, t.Server, location), 1);
    t.ServerPath = location;
    ASSERT_TRUE(PrepareTaskFolder(t, nullptr));
    EXPECT_TRUE(fs::exists(folder.UncRoot() / "DEVQ" / "$JQ" / "LAB" / "ANNA" / "Backup" / "Zorvan.ctf"));
    ASSERT_TRUE(TransferTaskFiles(t));
    t.Password = HexEncode(t.Password);
    ASSERT_TRUE(DropTask(t, QueuedTaskPath(t, "WS9", 5), nullptr));

    ASSERT_TRUE(server.waitForFinished(20000));
    EXPECT_EQ(server.exitCode(), 0);
    std::string out = server.readAll().toStdString();
    fs::path queued = folder.UncRoot() / "DEVQ" / "$JQ" / "$InQ" / "WS9-LAB-ANNA-Backup-5.z9f";
    EXPECT_NE(out.find("queued task file " + queued.string()), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(queued));
    EXPECT_TRUE(messages.Messages().empty());
    SetServerTaskFactory(previous);
}

} // namespace
} // namespace z9::test
