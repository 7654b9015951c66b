// No file or log that a submission writes holds a password in plain text:
// the task account's password, a password field's value, and one given on the
// command line, through a submission that succeeds and through each kind of
// failure that writes to the error log.
#include "common/Settings.h"
#include "submitter/base/ReportError.h"
#include "submitter/base/SubmitterKeys.h"
#include "submitter/submission/PasswordCipher.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/FakeQueueServer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Z9SubRun.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::RunZ9Sub;

const std::string kAccount = "Tr0ub4dor&3x";
const std::string kField = "Summer-2025!Q";
const std::string kGiven = "Pin-9Q7xZ";

EnvironRecord Password(const std::string& variable, const std::string& plain, const std::string& min) {
    EnvironRecord r;
    r.Step = "1";
    r.Caption = variable;
    r.Variable = variable;
    r.Type = "0";
    r.Format = "*";
    r.Value = ScrambleValue(plain);
    r.Min = min;
    return r;
}

std::string WriteTask(const fs::path& folder, const std::string& name, const std::string& fieldMin) {
    TaskRecord t;
    t.TaskName = "Secret";
    t.User = "anna";
    t.Domain = "office";
    t.Server = "host1";
    t.Password = HexEncode(PasswordCipher(kAccount, "E"));
    StepRecord s;
    s.StepName = "Upload";
    s.Execute = "1";
    t.Steps = {s};
    t.Environs = {Password("FTP_PASSWORD", kField, fieldMin), Password("PIN", "x", "")};
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "2";
    const std::string path = (folder / name).string();
    EXPECT_TRUE(SaveTask(path, t, true)) << LastTaskError();
    return path;
}

// Every regular file below folder that holds one of the texts, with the text.
std::vector<std::string> FilesHolding(const fs::path& folder, const std::vector<std::string>& texts) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = test::ReadFileBytes(entry.path());
        for (const std::string& text : texts)
            if (bytes.find(text) != std::string::npos)
                found.push_back(fs::relative(entry.path(), folder).string() + " holds " + text);
    }
    return found;
}

TEST(NoPlainPassword, NeitherAQueuedTaskNorTheLogNorTheRegistryHoldsOne) {
    test::TempFolder tmp;
    test::ScopedEnv computer("Z9_NETBIOS_NAME", "WS7");
    test::ScopedEnv domain("USERDOMAIN", "OFFICE");
    // The workstation key makes the submission keep a profile in the registry too.
    ASSERT_EQ(CreateKey(kWorkstationKey), 0);
    test::FakeQueueServer server("HOST1");
    const QStringList assign = {"Z9EnvVar:", QString::fromStdString("1-PIN=" + kGiven)};

    // Queued.
    const std::string good = WriteTask(tmp.Path(), "good.z9f", "");
    test::ProgramRun run = RunZ9Sub(tmp, QStringList{QString::fromStdString(good), "/s"} + assign, &server);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.log;
    ASSERT_EQ(server.Queue().QueuedTasks().size(), 1u);

    // A password too short for its field: the message names the field, masked.
    const std::string shortOne = WriteTask(tmp.Path(), "short.z9f", "30");
    run = RunZ9Sub(tmp, QStringList{QString::fromStdString(shortOne), "/s"} + assign, &server);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.log.find("Value: " + std::string(kField.size(), '*')), std::string::npos) << run.log;
    // What a run was given may still stand in the log: only its owner reads it.
    const fs::perms others = fs::perms::group_all | fs::perms::others_all;
    EXPECT_EQ(fs::status(tmp.Path() / kErrorLogName).permissions() & others, fs::perms::none);

    // The server refuses the account.
    server.Answer("Denied");
    run = RunZ9Sub(tmp, QStringList{QString::fromStdString(good), "/s"} + assign, &server);
    EXPECT_NE(run.exitCode, 0);

    // No server at all.
    fs::remove_all(tmp.UncRoot() / "HOST1");
    run = RunZ9Sub(tmp, QStringList{QString::fromStdString(good), "/s"} + assign);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.log.find("Task was not submitted successfully!"), std::string::npos) << run.log;

    std::vector<std::string> secrets;
    for (const std::string& plain : {kAccount, kField, kGiven}) {
        secrets.push_back(plain);
        secrets.push_back(HexEncode(plain));
    }
    EXPECT_EQ(FilesHolding(tmp.Path(), secrets), std::vector<std::string>{});
    // The search itself finds what is there.
    tmp.Write("probe.txt", "x" + kGiven + "x");
    EXPECT_EQ(FilesHolding(tmp.Path(), secrets), std::vector<std::string>{"probe.txt holds " + kGiven});
}

} // namespace
} // namespace z9
