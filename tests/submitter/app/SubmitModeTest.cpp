// Z9Sub started as scripts start it: /s, no display, reports in Z9SubError.log.
#include "submitter/app/CommandLine.h"
#include "submitter/base/ReportError.h"
#include "submitter/submission/PasswordCipher.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/FakeQueueServer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Z9SubRun.h"

#include <gtest/gtest.h>

using namespace z9;
using z9::test::ProgramRun;
using z9::test::RunZ9Sub;
using z9::test::TempFolder;

namespace {

// The texts of the log's entries: each line is "<date and time> - <text>" CR LF.
std::vector<std::string> Entries(const std::string& log) {
    std::vector<std::string> texts;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        size_t dash = line.find(" - ");
        texts.push_back(dash == std::string::npos ? line : line.substr(dash + 3));
        start = end + 2;
    }
    return texts;
}

std::string SaveTask(const TempFolder& tmp, std::vector<EnvironRecord> environs, const std::string& name) {
    TaskRecord t;
    t.TaskName = "Scripted";
    StepRecord s;
    s.StepName = "Only";
    s.Execute = "1";
    t.Steps = {s};
    t.Environs = std::move(environs);
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = std::to_string(t.Environs.size());
    std::string path = (tmp.Path() / name).string();
    EXPECT_TRUE(z9::SaveTask(path, t, true));
    return path;
}

EnvironRecord Var(std::string name, std::string type) {
    EnvironRecord r;
    r.Step = "1";
    r.Variable = std::move(name);
    r.Type = std::move(type);
    return r;
}

const std::string kInvalid = "Error in Command Line: Passed environment variables are invalid.";

} // namespace

TEST(StartUp, HelpWithoutADisplayGoesToTheTerminal) {
    std::string expected = HelpText();
    for (size_t at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at))
        expected.erase(at, 1);
    expected += "\n";
    ASSERT_NE(expected.find("Command Line Format: Z9Sub"), std::string::npos);
    TempFolder tmp;
    // No display at all, and the windowless platform asked for by name, where no box can be closed.
    for (const QString& platform : {QString(), QStringLiteral("offscreen")})
        for (const char* ask : {"/?", "--help", "-h"}) {
            ProgramRun run = RunZ9Sub(tmp, {ask}, nullptr, platform);
            ASSERT_TRUE(run.finished) << ask << " on " << platform.toStdString();
            EXPECT_EQ(run.exitCode, 0) << ask;
            EXPECT_EQ(run.output, expected) << ask;
            EXPECT_EQ(run.log, "") << ask;
        }
}

TEST(SubmitMode, SwitchAloneAsksForAFileName) {
    TempFolder tmp;
    ProgramRun run = RunZ9Sub(tmp, {"/s"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(Entries(run.log),
              std::vector<std::string>{
                  "Filename required.\n\nPlease enter filename in the command line and try again."});
    // A second run appends.
    ProgramRun again = RunZ9Sub(tmp, {"/S"});
    EXPECT_EQ(Entries(again.log).size(), 2u);
}

TEST(SubmitMode, LoadErrorGoesToTheLog) {
    TempFolder tmp;
    tmp.Write("broken dir/broken.z9f", "Zorvan File Version 1.0\r\n<ZORVAN>\r\n<GENERAL>\r\n<TASKNAME>x\r\n");
    std::string path = (tmp.Path() / "broken dir" / "broken.z9f").string();
    // Split across arguments like a shell does with a path that holds a blank.
    ProgramRun run = RunZ9Sub(tmp, {QString::fromStdString(path), "/s"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    TaskRecord scratch;
    ASSERT_FALSE(LoadTask(path, scratch, true));
    EXPECT_EQ(Entries(run.log), std::vector<std::string>{LastTaskError()});
    EXPECT_NE(run.log.find("Invalid Data: TASKNAME"), std::string::npos);
}

TEST(SubmitMode, RejectedAssignmentWritesBothMessages) {
    TempFolder tmp;
    std::string path = SaveTask(tmp, {Var("X", "0")}, "a.z9f");
    ProgramRun run = RunZ9Sub(tmp, {QString::fromStdString(path), "/s", "Z9EnvVar:", "1-Y=1"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(Entries(run.log), (std::vector<std::string>{
                                    "Environment variable 'Y' does not exist or is protected.", kInvalid}));

    ProgramRun malformed =
        RunZ9Sub(tmp, {"\"" + QString::fromStdString(path) + "\"", "/s", "Z9EnvVar:", "X=1"});
    EXPECT_NE(malformed.exitCode, 0);
    EXPECT_EQ(Entries(malformed.log).back(), kInvalid);
    EXPECT_EQ(Entries(malformed.log).size(), 3u);
}

TEST(SubmitMode, InconsistentRecordsEndTheRun) {
    TempFolder tmp;
    EnvironRecord number = Var("N", "1");
    number.Value = "abc";
    number.Min = "1";
    number.Max = "10";
    std::string path = SaveTask(tmp, {number}, "a.z9f");
    ProgramRun run = RunZ9Sub(tmp, {QString::fromStdString(path), "/s"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(Entries(run.log),
              (std::vector<std::string>{
                  "Invalid value in current field.\n\nField Type: 1\n\nVariable Name: N\n\nValue: abc\n\nMin "
                  "Value: 1\n\nMax Value: 10\n\n",
                  "The environment variables in task are entered incorrectly.\n\nPlease notify system "
                  "administrator.\n\nZorvan program cannot continue."}));
}

TEST(SubmitMode, SuccessfulRunQueuesTheTaskAndExitsWithZero) {
    TempFolder tmp;
    ::setenv("Z9_NETBIOS_NAME", "WS7", 1);
    ::setenv("USERDOMAIN", "OFFICE", 1);
    z9::test::FakeQueueServer server("HOST1");
    TaskRecord t;
    t.TaskName = "Backup";
    t.User = "anna";
    t.Domain = "office";
    t.Server = "host1";
    t.Password = HexEncode(PasswordCipher("Tr0ub4dor&3", "E"));
    StepRecord s;
    s.StepName = "Copy";
    s.Execute = "1";
    t.Steps = {s};
    EnvironRecord out = Var("OUT", "0");
    out.Max = "40";
    t.Environs = {out};
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "1";
    std::string path = (tmp.Path() / "backup.z9f").string();
    ASSERT_TRUE(z9::SaveTask(path, t, true));

    ProgramRun run =
        RunZ9Sub(tmp, {QString::fromStdString(path), "/s", "Z9EnvVar:", "1-OUT=D:\\dump /s"}, &server);
    ::unsetenv("Z9_NETBIOS_NAME");
    ::unsetenv("USERDOMAIN");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.log, "");
    auto queued = server.Queue().QueuedTasks();
    ASSERT_EQ(queued.size(), 1u);
    TaskRecord sent;
    ASSERT_TRUE(LoadTask(queued[0].string(), sent, true));
    EXPECT_EQ(sent.Environs[0].Value, "D:\\dump /s");
    EXPECT_EQ(sent.User, "ANNA");
}

// A value typed on the command line and a file name the task writes in its
// code page reach the queue in that code page, while the host speaks UTF-8.
TEST(SubmitMode, TextAndFileNamesCrossTheHostInTheCodePage) {
    struct Case {
        const char* locale;
        QString typed;        // as the shell hands it over (UTF-8)
        std::string value;    // the same in the code page
        std::string hostName; // the data file's name on the disk (UTF-8)
        std::string ansiName; // the same in the code page
    };
    const Case cases[] = {
        {"de_DE.UTF-8", QStringLiteral("Grüße"),
         "Gr\xFC\xDF"
         "e",
         "Übersicht.csv",
         "\xDC"
         "bersicht.csv"},
        {"ru_RU.UTF-8", QStringLiteral("Привет"), "\xCF\xF0\xE8\xE2\xE5\xF2", "Отчёт.csv",
         "\xCE\xF2\xF7\xB8\xF2.csv"},
    };
    for (const Case& c : cases) {
        TempFolder tmp;
        z9::test::ScopedEnv locale("LC_ALL", c.locale);
        z9::test::ScopedEnv computer("Z9_NETBIOS_NAME", "WS7");
        z9::test::ScopedEnv domain("USERDOMAIN", "OFFICE");
        z9::test::FakeQueueServer server("HOST1");
        tmp.Write("Daten/" + c.hostName, "rows");
        TaskRecord t;
        t.TaskName = "Backup";
        t.User = "anna";
        t.Domain = "office";
        t.Server = "host1";
        t.Password = HexEncode(PasswordCipher("Tr0ub4dor&3", "E"));
        StepRecord s;
        s.StepName = "Copy";
        s.Execute = "1";
        t.Steps = {s};
        EnvironRecord label = Var("LABEL", "0");
        label.Max = "40";
        t.Environs = {label};
        // Written as the system writes it: '\' and the code page.
        t.TaskFiles = {{tmp.Path().string() + "\\Daten\\" + c.ansiName, "", "1"}};
        t.NumberSteps = "1";
        t.NumberTaskFiles = "1";
        t.NumberEnviron = "1";
        std::string path = (tmp.Path() / "backup.z9f").string();
        ASSERT_TRUE(z9::SaveTask(path, t, true));

        ProgramRun run =
            RunZ9Sub(tmp, {QString::fromStdString(path), "/s", "Z9EnvVar:", "1-LABEL=" + c.typed}, &server);
        ASSERT_TRUE(run.finished) << c.locale;
        EXPECT_EQ(run.exitCode, 0) << c.locale;
        EXPECT_EQ(run.log, "") << c.locale;
        auto queued = server.Queue().QueuedTasks();
        ASSERT_EQ(queued.size(), 1u) << c.locale;
        TaskRecord sent;
        ASSERT_TRUE(LoadTask(queued[0].string(), sent, true));
        EXPECT_EQ(sent.Environs[0].Value, c.value) << c.locale;
        EXPECT_EQ(z9::test::ReadFileBytes(server.TaskFolder("OFFICE", "ANNA", "Backup") / c.hostName), "rows")
            << c.locale;
    }
}

TEST(SubmitMode, AnArgumentTheCodePageCannotHoldIsRefused) {
    TempFolder tmp;
    z9::test::ScopedEnv locale("LC_ALL", "de_DE.UTF-8"); // code page 1252: no Cyrillic
    std::string path = SaveTask(tmp, {Var("LABEL", "0")}, "a.z9f");
    // Read as "??????" the value, or a file name, would be another one.
    ProgramRun run = RunZ9Sub(tmp, {QString::fromStdString(path), "/s", "Z9EnvVar:", "1-LABEL=Привет"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Entries(run.log),
              std::vector<std::string>{"The command line holds a name or value that cannot be written in the "
                                       "system's character set.\n\nArgument: 1-LABEL=??????"});
}

TEST(SubmitMode, FailedSubmissionExitsNonZero) {
    TempFolder tmp;
    std::string path = SaveTask(tmp, {Var("X", "0")}, "a.z9f"); // its server has no queue share
    ProgramRun run = RunZ9Sub(tmp, {QString::fromStdString(path), "/s"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(
        run.log.ends_with(" - Error: Following phase in submit process failed:\r\nCreating Connection And "
                          "Validating Credentials...\r\nTask was not submitted successfully!\r\n"))
        << run.log;
}
