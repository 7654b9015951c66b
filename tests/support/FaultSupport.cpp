#include "FaultSupport.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace z9::test {

namespace fs = std::filesystem;

bool RunInChild(const std::function<bool()>& work, std::chrono::microseconds delay) {
    int started[2];
    if (::pipe(started) != 0) {
        ADD_FAILURE() << "pipe";
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ADD_FAILURE() << "fork";
        return false;
    }
    if (child == 0) {
        ::close(started[0]);
        char go = 'g';
        if (::write(started[1], &go, 1) != 1) ::_exit(4);
        ::_exit(work() ? 0 : 3);
    }
    ::close(started[1]);
    char go = 0;
    const bool began = ::read(started[0], &go, 1) == 1;
    ::close(started[0]);
    if (began && delay.count() >= 0) {
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the work failed in the child";
        return true;
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    return false;
}

std::chrono::microseconds TimeInChild(const std::function<bool()>& work) {
    std::vector<std::chrono::microseconds> times;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(RunInChild(work, std::chrono::microseconds(-1)));
        times.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

std::string RunWithFileSizeLimit(long long limit, const std::function<std::string()>& work) {
    int result[2];
    if (::pipe(result) != 0) return "pipe";
    const pid_t child = ::fork();
    if (child < 0) return "fork";
    if (child == 0) {
        ::close(result[0]);
        // Past the limit a write fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limits {};
        ::getrlimit(RLIMIT_FSIZE, &limits);
        limits.rlim_cur = static_cast<rlim_t>(limit);
        if (::setrlimit(RLIMIT_FSIZE, &limits) != 0) ::_exit(5);
        const std::string text = work();
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(result[1], text.data() + done, text.size() - done);
            if (n <= 0) ::_exit(6);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(result[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(result[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(result[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    return text;
}

std::vector<std::string> EntriesLike(const fs::path& folder, const std::string& prefix,
                                     const std::string& suffix) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace z9::test
