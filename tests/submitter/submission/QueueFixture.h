#pragma once
// What the job-queue tests share: a private queue under the test's UNC root
// served by the fake server in virtual time, a fixed identity for this
// computer, and a task to submit.
#include "submitter/base/ReportError.h"
#include "submitter/submission/Identity.h"
#include "submitter/submission/PasswordCipher.h"
#include "submitter/submission/ServerTask.h"
#include "submitter/taskfile/TaskRecord.h"
#include "tests/support/FakeQueueServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace z9::test {

inline constexpr const char* kPlainPassword = "Tr0ub4dor&3";

// Task Backup of ANNA in OFFICE for the remote server HOST1: step 1 runs, step 2 does not.
inline TaskRecord MakeTask() {
    TaskRecord t;
    t.TaskName = "Backup";
    t.User = "ANNA";
    t.Domain = "OFFICE";
    t.Server = "HOST1";
    t.Password = PasswordCipher(kPlainPassword, "E");
    t.Steps.resize(2);
    t.Steps[0].StepName = "Copy";
    t.Steps[0].Command = "copy.cmd";
    t.Steps[0].Execute = "1";
    t.Steps[0].Environment = "\x02SET OLD=stale";
    t.Steps[1].StepName = "Report";
    t.Steps[1].Command = "report.cmd";
    t.Steps[1].Execute = "4";
    t.NumberSteps = "2";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "0";
    return t;
}

inline void SetCounts(TaskRecord& t) {
    t.NumberSteps = std::to_string(t.Steps.size());
    t.NumberTaskFiles = std::to_string(t.TaskFiles.size());
    t.NumberEnviron = std::to_string(t.Environs.size());
}

inline EnvironRecord Env(const std::string& step, const std::string& variable, const std::string& type,
                         const std::string& value, const std::string& format = {}) {
    EnvironRecord e;
    e.Step = step;
    e.Variable = variable;
    e.Type = type;
    e.Value = value;
    e.Format = format;
    return e;
}

// Every file below folder whose bytes contain needle.
inline std::vector<std::filesystem::path> FilesContaining(const std::filesystem::path& folder,
                                                          const std::string& needle) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && ReadFileBytes(entry.path()).find(needle) != std::string::npos)
            found.push_back(entry.path());
    return found;
}

// A test with its own folder, queue server HOST1 on computer WS7, recorded
// messages and virtual time. No server object unless a test installs one.
class QueueTest : public ::testing::Test {
protected:
    QueueTest() : computer_("Z9_NETBIOS_NAME", "WS7"), domain_("USERDOMAIN", "OFFICE") {
        SetServerTaskFactory([] { return nullptr; });
        server_.Attach(clock_);
    }

    std::string Unc(const std::string& rest) const { return (folder_.UncRoot() / rest).string(); }
    std::string ErrorLog() const { return ReadFileBytes(folder_.Path() / "Z9SubError.log"); }

    TempFolder folder_;
    ScopedEnv computer_;
    ScopedEnv domain_;
    MessageRecorder messages_;
    FakeClock clock_;
    FakeQueueServer server_{"HOST1"};
};

} // namespace z9::test
