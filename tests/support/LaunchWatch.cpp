#include "LaunchWatch.h"

#include "TestSupport.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>

namespace z9::test {

namespace fs = std::filesystem;

namespace {

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

} // namespace

fs::path ArgDumpProgram() {
    return BinDir() / "ArgDump";
}

fs::path CopyArgDump(const fs::path& path) {
    fs::create_directories(path.parent_path());
    fs::copy_file(ArgDumpProgram(), path, fs::copy_options::overwrite_existing);
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
}

LaunchWatch::LaunchWatch() {
    int was = 0;
    ::prctl(PR_GET_CHILD_SUBREAPER, &was);
    wasSubreaper_ = was != 0;
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    if (const char* out = std::getenv("Z9_ARGS_OUT")) previousOut_ = out;
}

fs::path LaunchWatch::ReportTo(const fs::path& file) {
    ::setenv("Z9_ARGS_OUT", file.c_str(), 1);
    return file;
}

LaunchWatch::~LaunchWatch() {
    // Anything still below us gets a bounded time to end.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        int status = 0;
        pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid < 0 && errno == ECHILD) break;
        if (pid > 0) continue;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "a started process is still running";
            break;
        }
        Pause();
    }
    if (!wasSubreaper_) ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    if (previousOut_)
        ::setenv("Z9_ARGS_OUT", previousOut_->c_str(), 1);
    else
        ::unsetenv("Z9_ARGS_OUT");
}

bool LaunchWatch::Reap(pid_t pid, int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int status = 0;
        pid_t got = ::waitpid(pid, &status, WNOHANG);
        if (got == pid || (got < 0 && errno == ECHILD)) return got == pid;
        if (std::chrono::steady_clock::now() > deadline) return false;
        Pause();
    }
}

std::optional<ArgDumpReport> LaunchWatch::WaitForReport(const fs::path& file, int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    std::error_code ec;
    while (!fs::exists(file, ec)) {
        if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
        Pause();
    }
    ArgDumpReport report;
    std::istringstream lines(ReadFileBytes(file));
    std::string line;
    while (std::getline(lines, line)) {
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "pid") report.pid = static_cast<pid_t>(std::stol(value));
        if (key == "cwd") report.cwd = value;
        if (key == "session") report.session = static_cast<pid_t>(std::stol(value));
        if (key == "fds") report.inheritedFds = value;
        if (key == "arg") report.args.push_back(value);
    }
    EXPECT_TRUE(Reap(report.pid, ms)) << "the started program did not end as our child";
    return report;
}

bool LaunchWatch::NothingStarted() {
    int status = 0;
    return ::waitpid(-1, &status, WNOHANG) < 0 && errno == ECHILD;
}

} // namespace z9::test
