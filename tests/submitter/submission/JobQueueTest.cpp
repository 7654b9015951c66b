#include "QueueFixture.h"

#include "submitter/submission/JobQueue.h"
#include "submitter/submission/ShellCopy.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"

#include <filesystem>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

TEST(QueueLineTest, QuotesEveryFieldAndEndsWithCrLf) {
    EXPECT_EQ(QueueLine({"DIRECTORY", "ANNA", "OFFICE", "C:\\Q\\OFFICE", "1"}),
              "\"DIRECTORY\",\"ANNA\",\"OFFICE\",\"C:\\Q\\OFFICE\",\"1\"\r\n");
    // A double quote in a value is written as it is.
    EXPECT_EQ(QueueLine({"a\"b", ""}), "\"a\"b\",\"\"\r\n");
}

TEST(FirstFieldTest, ReadsQuotedAndPlainFields) {
    EXPECT_EQ(FirstField("D:\\Queue\\\r\nmore"), "D:\\Queue\\");
    EXPECT_EQ(FirstField("\"D:\\Queue\\\",x"), "D:\\Queue\\");
    EXPECT_EQ(FirstField("  Granted  ,other\r\n"), "Granted");
    EXPECT_EQ(FirstField("\t\" Account, expired \" trailing"), " Account, expired ");
    EXPECT_EQ(FirstField("Granted"), "Granted");
    EXPECT_EQ(FirstField(""), "");
    EXPECT_EQ(FirstField("   \r\nGranted"), "");
    // A quoted field runs to the closing quote, even over a line break; an unclosed one stops at the line
    // end.
    EXPECT_EQ(FirstField("\"Granted\r\nx\""), "Granted\r\nx");
    EXPECT_EQ(FirstField("\"Granted\r\nx"), "Granted");
}

TEST(PathTest, NamePartsAndQueuePaths) {
    TempFolder folder;
    ScopedEnv computer("Z9_NETBIOS_NAME", "WS7");
    EXPECT_TRUE(IsLocalServer("ws7"));
    EXPECT_FALSE(IsLocalServer("WS70"));
    EXPECT_EQ(InQueuePath("HOST1", "C:\\Q\\"), "\\\\HOST1\\$JQ\\$InQ\\");
    EXPECT_EQ(ReplyQueuePath("HOST1", "C:\\Q\\"), "\\\\HOST1\\$JQ\\$JobR\\");
    EXPECT_EQ(InQueuePath("Ws7", "C:\\Q\\"), "C:\\Q\\$InQ\\");
    EXPECT_EQ(ReplyQueuePath("WS7", "C:\\Q\\"), "C:\\Q\\$JobR\\");

    TaskRecord t = MakeTask();
    t.ServerPath = "C:\\Q\\";
    // The worked example: computer WS7, domain OFFICE, user ANNA, task Backup, n = 4711.
    EXPECT_EQ(QueuedTaskPath(t, "WS7", 4711), "\\\\HOST1\\$JQ\\$InQ\\WS7-OFFICE-ANNA-Backup-4711.z9f");
    EXPECT_EQ(TaskFolder(t), "\\\\HOST1\\$JQ\\OFFICE\\ANNA\\Backup\\");
    t.Server = "WS7";
    EXPECT_EQ(TaskFolder(t), "C:\\Q\\OFFICE\\ANNA\\Backup\\");
}

TEST(QueueFolderTest, AnExistingFolderIsReachableEvenWhenEmpty) {
    TempFolder folder;
    fs::create_directories(folder.UncRoot() / "S" / "$JQ" / "empty");
    EXPECT_TRUE(QueueFolderReachable("\\\\S\\$JQ\\empty"));
    EXPECT_TRUE(QueueFolderReachable("\\\\S\\$JQ\\empty\\"));
    EXPECT_FALSE(QueueFolderReachable("\\\\S\\$JQ\\missing\\"));
    EXPECT_FALSE(QueueFolderReachable("\\\\T\\$JQ\\$JobQ\\"));
}

TEST(NumberValueTest, ReadsLeadingWholeNumber) {
    EXPECT_EQ(NumberValue("5"), 5);
    EXPECT_EQ(NumberValue(" 2abc"), 2);
    EXPECT_EQ(NumberValue("-3"), -3);
    EXPECT_EQ(NumberValue(""), 0);
    EXPECT_EQ(NumberValue("x1"), 0);
}

TEST(WriteQueueFileTest, LeavesOnlyTheFinishedFile) {
    TempFolder folder;
    fs::create_directories(folder.UncRoot() / "S" / "$JQ" / "$InQ");
    WriteQueueFile("\\\\S\\$JQ\\$InQ\\a.urf", "one");
    WriteQueueFile("\\\\S\\$JQ\\$InQ\\a.urf", "two");
    EXPECT_EQ(ReadFileBytes(folder.UncRoot() / "S" / "$JQ" / "$InQ" / "a.urf"), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.UncRoot() / "S" / "$JQ" / "$InQ"), {}), 1);
    EXPECT_THROW(WriteQueueFile("\\\\S\\$JQ\\missing\\a.urf", "x"), RunTimeError);
}

// ---- GetQueueLocation ----

using QueueLocationTest = QueueTest;

TEST_F(QueueLocationTest, ReadsQPathThroughTheShare) {
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "C:\\ZorvanQueue\\");
    folder_.Write("unc/HOST1/$JQ/$JobQ/QPath", "D:\\Queue\\\r\nsecond line\r\n");
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "D:\\Queue\\");
    folder_.Write("unc/HOST1/$JQ/$JobQ/QPath", "\"D:\\Queue\\\",x");
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "D:\\Queue\\");
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(QueueLocationTest, EmptyOrMissingQPathIsReported) {
    folder_.Write("unc/HOST1/$JQ/$JobQ/QPath", "  ,x\r\n");
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "");
    fs::remove(folder_.UncRoot() / "HOST1" / "$JQ" / "$JobQ" / "QPath");
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "");
    ASSERT_EQ(messages_.Messages().size(), 2u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Server Connection Failed Or Zorvan Server Is Not Configured!\n\n");
    EXPECT_EQ(messages_.Messages()[0].style, 48);
    EXPECT_EQ(messages_.Messages()[1].text, "Server Connection Failed Or Zorvan Server Is Not Configured!\n\n"
                                            "The system cannot find the file specified.");
}

TEST_F(QueueLocationTest, MissingShareReportsTheSystemTextOnly) {
    EXPECT_EQ(GetQueueLocation("NOSUCH", MakeTask().Password, "ANNA"), "");
    ASSERT_EQ(messages_.Texts(), std::vector<std::string>{"The network path was not found."});
    EXPECT_EQ(messages_.Messages()[0].style, 48);
}

TEST_F(QueueLocationTest, ConnectsWhenJobQCannotBeListed) {
    // The share is there but $JobQ is not reachable yet: the connection is made,
    // then QPath is still missing.
    fs::remove_all(folder_.UncRoot() / "HOST1" / "$JQ" / "$JobQ");
    EXPECT_EQ(GetQueueLocation("HOST1", MakeTask().Password, "ANNA"), "");
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"Server Connection Failed Or Zorvan Server Is Not Configured!\n\n"
                                       "The system cannot find the file specified."});
}

TEST_F(QueueLocationTest, SubmitModeWritesTheLog) {
    SetSubmitMode(true);
    EXPECT_EQ(GetQueueLocation("NOSUCH", MakeTask().Password, "ANNA"), "");
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_NE(ErrorLog().find(" - The network path was not found.\r\n"), std::string::npos);
}

// ---- Task folder ----

using TaskFolderTest = QueueTest;

TEST_F(TaskFolderTest, RequestsThreeLevelsAndWaitsForTheControlFile) {
    TaskRecord t = MakeTask();
    t.ServerPath = server_.Location();
    server_.FolderDelay(14);
    EXPECT_TRUE(PrepareTaskFolder(t, nullptr));
    EXPECT_EQ(ReadFileBytes(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"),
              "\"DIRECTORY\",\"ANNA\",\"OFFICE\",\"C:\\ZorvanQueue\\OFFICE\",\"1\"\r\n"
              "\"DIRECTORY\",\"ANNA\",\"OFFICE\",\"C:\\ZorvanQueue\\OFFICE\\ANNA\",\"2\"\r\n"
              "\"DIRECTORY\",\"ANNA\",\"OFFICE\",\"C:\\ZorvanQueue\\OFFICE\\ANNA\\Backup\",\"3\"\r\n");
    EXPECT_TRUE(fs::exists(server_.TaskFolder("OFFICE", "ANNA", "Backup") / "Zorvan.ctf"));
    EXPECT_EQ(clock_.SleptMs(), 14000);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(TaskFolderTest, GivesUpSilentlyAfterFifteenSeconds) {
    TaskRecord t = MakeTask();
    t.ServerPath = server_.Location();
    server_.FolderDelay(16);
    EXPECT_FALSE(PrepareTaskFolder(t, nullptr));
    EXPECT_EQ(clock_.Sleeps(), 15);
    EXPECT_EQ(clock_.SleptMs(), 15000);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(TaskFolderTest, ExistingControlFileSendsNoRequest) {
    TaskRecord t = MakeTask();
    t.ServerPath = server_.Location();
    fs::create_directories(server_.TaskFolder("OFFICE", "ANNA", "Backup"));
    folder_.Write("unc/HOST1/$JQ/OFFICE/ANNA/Backup/Zorvan.ctf", "");
    EXPECT_TRUE(PrepareTaskFolder(t, nullptr));
    EXPECT_FALSE(fs::exists(server_.InQ() / "Dir-Backup-ANNA-OFFICE.urf"));
    EXPECT_EQ(clock_.Sleeps(), 0);
}

TEST_F(TaskFolderTest, UnwritableRequestIsReported) {
    TaskRecord t = MakeTask();
    t.ServerPath = server_.Location();
    fs::remove_all(server_.InQ());
    EXPECT_FALSE(PrepareTaskFolder(t, nullptr));
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Unable to connect to Zorvan Server.\n\n"
                                                          "The system cannot find the path specified."});
    EXPECT_EQ(clock_.Sleeps(), 0);
}

// ---- Transfer ----

class TransferTest : public QueueTest {
protected:
    TransferTest() {
        task_.ServerPath = server_.Location();
        fs::create_directories(server_.TaskFolder("OFFICE", "ANNA", "Backup"));
    }
    fs::path Dest(const std::string& name) { return server_.TaskFolder("OFFICE", "ANNA", "Backup") / name; }
    TaskRecord task_ = MakeTask();
};

TEST_F(TransferTest, CopiesTaskFilesAndSelectedFileFields) {
    std::string a = folder_.Write("data/a.txt", "AAA").string();
    std::string b = folder_.Write("data/b.csv", "BBB").string();
    std::string c = folder_.Write("data/c.txt", "CCC").string();
    task_.TaskFiles = {{a, "", "1"}, {c, "", "0"}, {"\\nowhere\\x", "", "yes"}};
    task_.Environs = {Env("1", "IN", "2", b, "True"),
                      Env("1", "PLAIN", "2", c, "False"),                  // not copied: FORMAT not True
                      Env("2", "OTHER", "2", "\\missing\\d.txt", "True"),  // step 2 not selected
                      Env("9", "STRAY", "2", "\\missing\\e.txt", "True")}; // no such step
    SetCounts(task_);
    EXPECT_TRUE(TransferTaskFiles(task_));
    EXPECT_EQ(ReadFileBytes(Dest("a.txt")), "AAA");
    EXPECT_EQ(ReadFileBytes(Dest("b.csv")), "BBB");
    EXPECT_FALSE(fs::exists(Dest("c.txt")));
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(TransferTest, MissingFilesAreListedAndNothingIsCopied) {
    std::string a = folder_.Write("data/a.txt", "AAA").string();
    task_.TaskFiles = {{a, "", "1"}, {"/no/first.txt", "", "1"}};
    task_.Environs = {Env("1", "IN", "2", "", "True"), Env("1", "IN2", "2", "/no/second.txt", "True")};
    SetCounts(task_);
    EXPECT_FALSE(TransferTaskFiles(task_));
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Error: Following files do not exist:\r\n"
                                                          "/no/first.txt\r\n\r\n/no/second.txt"});
    EXPECT_EQ(messages_.Messages()[0].style, 48);
    EXPECT_FALSE(fs::exists(Dest("a.txt")));
}

TEST_F(TransferTest, ReplacingAskesInteractivelyAndNotInSubmitMode) {
    std::string a = folder_.Write("data/a.txt", "NEW").string();
    task_.TaskFiles = {{a, "", "1"}};
    SetCounts(task_);
    folder_.Write("unc/HOST1/$JQ/OFFICE/ANNA/Backup/a.txt", "OLD");

    messages_.Answer(vbNo);
    EXPECT_TRUE(TransferTaskFiles(task_));
    EXPECT_EQ(ReadFileBytes(Dest("a.txt")), "OLD");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].style, vbYesNoCancel | vbQuestion);

    messages_.Answer(vbCancel);
    EXPECT_FALSE(TransferTaskFiles(task_));
    EXPECT_EQ(ReadFileBytes(Dest("a.txt")), "OLD");

    messages_.Answer(vbYes);
    EXPECT_TRUE(TransferTaskFiles(task_));
    EXPECT_EQ(ReadFileBytes(Dest("a.txt")), "NEW");
    EXPECT_EQ(messages_.Messages().size(), 3u);

    folder_.Write("data/a.txt", "NEWER");
    SetSubmitMode(true);
    EXPECT_TRUE(TransferTaskFiles(task_));
    EXPECT_EQ(ReadFileBytes(Dest("a.txt")), "NEWER");
    EXPECT_EQ(messages_.Messages().size(), 3u);
    EXPECT_EQ(ErrorLog(), "");
}

TEST(ShellCopyTest, ListFormAndProgress) {
    TempFolder folder;
    std::string a = folder.Write("a.txt", "A").string();
    std::string list = MakeCopyList({a, a});
    EXPECT_EQ(list, a + '\0' + a + '\0' + '\0');
    EXPECT_EQ(SplitCopyList(list), (std::vector<std::string>{a, a}));

    struct Counting : CopyProgress {
        std::vector<int>* seen;
        int cancelAt;
        bool Advance(int done) override {
            seen->push_back(done);
            return done != cancelAt;
        }
    };
    std::vector<int> seen;
    int cancelAt = 0;
    CopyProgressFactory previous = SetCopyProgressFactory([&](int count) {
        seen.push_back(-count);
        auto p = std::make_unique<Counting>();
        p->seen = &seen;
        p->cancelAt = cancelAt;
        return p;
    });
    std::string b = folder.Write("b.txt", "B").string();
    EXPECT_EQ(ShellCopyFiles(MakeCopyList({a, b}), (folder.Path() / "out").string(), kCopyFlagsInteractive),
              0);
    EXPECT_EQ(seen, (std::vector<int>{-2, 1, 2}));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "out" / "b.txt"), "B");
    // Silent: no progress window; a cancelled progress stops the copy.
    seen.clear();
    EXPECT_EQ(ShellCopyFiles(MakeCopyList({a}), (folder.Path() / "out2").string(), kCopyFlagsSubmitMode), 0);
    EXPECT_TRUE(seen.empty());
    cancelAt = 1;
    EXPECT_EQ(ShellCopyFiles(MakeCopyList({a, b}), (folder.Path() / "out3").string(),
                             kCopyFlagsInteractive | kCopyNoConfirmation),
              kCopyCancelled);
    EXPECT_FALSE(fs::exists(folder.Path() / "out3" / "b.txt"));
    SetCopyProgressFactory(previous);

    // A file that cannot be read fails; silently with no error window.
    EXPECT_NE(ShellCopyFiles(MakeCopyList({(folder.Path() / "gone").string()}), folder.Path().string(),
                             kCopyFlagsSubmitMode),
              0);
}

TEST(ShellCopyTest, WildcardsCopyEveryMatchingFileButNoFolder) {
    TempFolder folder;
    folder.Write("data/one.TXT", "1");
    folder.Write("data/two.txt", "2");
    folder.Write("data/three.csv", "3");
    fs::create_directories(folder.Path() / "data" / "sub.txt");
    std::string data = (folder.Path() / "data").string();
    EXPECT_EQ(ShellCopyFiles(MakeCopyList({data + "\\*.txt"}), (folder.Path() / "out").string(),
                             kCopyFlagsSubmitMode),
              0);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "out" / "one.TXT"), "1");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "out" / "two.txt"), "2");
    EXPECT_FALSE(fs::exists(folder.Path() / "out" / "three.csv"));
    EXPECT_FALSE(fs::exists(folder.Path() / "out" / "sub.txt"));
    // A pattern that matches no file is a failure, not an empty success.
    EXPECT_NE(ShellCopyFiles(MakeCopyList({data + "/*.doc"}), (folder.Path() / "out").string(),
                             kCopyFlagsSubmitMode),
              0);
}

// ---- The queued task file ----

using DropTaskTest = QueueTest;

TEST_F(DropTaskTest, RebuildsEnvironmentsStampsIdentityAndWrites) {
    TaskRecord t = MakeTask();
    t.ServerPath = "C:\\ZorvanQueue\\";
    t.Environs = {Env("1", "OUT", "0", "C:\\Out"), Env("1", "PW", "0", "0A1B", "Password"),
                  Env("2", "IN", "2 file", "C:\\Data\\in.txt", "True"),
                  Env("2", "LOG", "2", "C:\\Data\\log.txt", "False"), Env(" 1x", "N", "1", "5")};
    SetCounts(t);
    t.Password = HexEncode(t.Password); // as the task file carries it
    std::string path = QueuedTaskPath(t, ComputerName(), 42);
    ASSERT_TRUE(DropTask(t, path, nullptr));

    EXPECT_EQ(t.Steps[0].Environment, "\x02SET OUT=C:\\Out\x02SETP PW=0A1B\x02SET N=5");
    // A file field of an unselected step still points where the file lies on the server.
    EXPECT_EQ(t.Steps[1].Environment,
              "\x02SET IN=C:\\ZorvanQueue\\OFFICE\\ANNA\\Backup\\in.txt\x02SET LOG=C:\\Data\\log.txt");
    EXPECT_EQ(t.SubServer, "WS7");
    EXPECT_EQ(t.SubDomain, "OFFICE");
    EXPECT_EQ(t.SubUser, WinUserName());

    fs::path file = server_.InQ() / "WS7-OFFICE-ANNA-Backup-42.z9f";
    TaskRecord back;
    ASSERT_TRUE(LoadTask(file.string(), back, true)) << LastTaskError();
    EXPECT_EQ(back, t);
    // Nothing else was left in $InQ.
    EXPECT_EQ(std::distance(fs::directory_iterator(server_.InQ()), {}), 1);
}

TEST_F(DropTaskTest, StepWithoutRecordsGetsAnEmptyEnvironment) {
    TaskRecord t = MakeTask();
    SetCounts(t);
    ASSERT_TRUE(DropTask(t, QueuedTaskPath(t, "WS7", 1), nullptr));
    EXPECT_EQ(t.Steps[0].Environment, "");
}

TEST_F(DropTaskTest, SaveFailureIsReportedInTheLogInSubmitMode) {
    TaskRecord t = MakeTask();
    SetCounts(t);
    fs::remove_all(server_.InQ());
    SetSubmitMode(true);
    EXPECT_FALSE(DropTask(t, QueuedTaskPath(t, "WS7", 1), nullptr));
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_NE(ErrorLog().find(" - SAVETASK ERROR:\n\n\tThe system cannot find the path specified.\r\n"),
              std::string::npos)
        << ErrorLog();
}

TEST_F(DropTaskTest, SaveFailureShowsItsCriticalMessage) {
    TaskRecord t = MakeTask();
    SetCounts(t);
    fs::remove_all(server_.InQ());
    EXPECT_FALSE(DropTask(t, QueuedTaskPath(t, "WS7", 1), nullptr));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].style, 16);
    EXPECT_EQ(messages_.Messages()[0].text.rfind("SAVETASK ERROR:", 0), 0u);
}

} // namespace
} // namespace z9::test
