#pragma once
// Watching the processes that code under test starts (Linux). While a
// LaunchWatch lives, the test process adopts every orphan below it, so a
// program started detached ends as the test's child: the test sees that it
// ran, reaps it, and can tell that nothing at all was started.
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace z9::test {

// What ArgDump wrote about itself.
struct ArgDumpReport {
    pid_t pid = 0;
    std::string cwd;
    pid_t session = 0;
    std::string inheritedFds; // descriptors beyond 0, 1 and 2, comma-separated
    std::vector<std::string> args;
};

// The ArgDump program of the build.
std::filesystem::path ArgDumpProgram();
// A copy of ArgDump at path (folders made), executable.
std::filesystem::path CopyArgDump(const std::filesystem::path& path);

class LaunchWatch {
public:
    LaunchWatch();
    // Reaps whatever is left, waiting a bounded time, and fails the test when
    // something is still running then.
    ~LaunchWatch();
    LaunchWatch(const LaunchWatch&) = delete;
    LaunchWatch& operator=(const LaunchWatch&) = delete;

    // Makes the next ArgDump write its report to file (through $Z9_ARGS_OUT,
    // which the watch puts back when it ends) and returns file.
    std::filesystem::path ReportTo(const std::filesystem::path& file);
    // Waits up to ms for an ArgDump to write file, then for it to end; the
    // report, or nothing when none came.
    std::optional<ArgDumpReport> WaitForReport(const std::filesystem::path& file, int ms = 15000);
    // True when no process was started since the last report: there is no child to wait for.
    bool NothingStarted();

private:
    bool Reap(pid_t pid, int ms);
    bool wasSubreaper_ = false;
    std::optional<std::string> previousOut_;
};

} // namespace z9::test
