// Every fuzz target over its seed corpus and over the reproducer of every past
// finding (tests/fuzz/findings/<target>/): the checks the fuzzer runs, run here
// on each build.
#include "fuzz/FuzzTarget.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace z9::fuzz {
namespace {

namespace fs = std::filesystem;

struct CheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs one target over the files of a folder; the count of files run.
std::size_t Replay(const Target& target, const fs::path& folder) {
    FailureHandler previous =
        SetFailureHandler([](const std::string& message) { throw CheckFailed(message); });
    std::size_t count = 0;
    for (const fs::path& file : FilesIn(folder)) {
        try {
            target.run(test::ReadFileBytes(file));
        } catch (const CheckFailed& failed) {
            ADD_FAILURE() << file << ":\n" << failed.what();
        }
        ++count;
    }
    SetFailureHandler(previous);
    return count;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, SeedsAndFindingsPass) {
    const Target& target = GetParam();
    const fs::path source = Z9_SOURCE_DIR;
    const std::size_t seeds = Replay(target, source / "fuzz" / "seeds" / target.name);
    Replay(target, source / "tests" / "fuzz" / "findings" / target.name);
    EXPECT_GT(seeds, 0u) << "no seed corpus for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(Targets()),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

// A failed check is a finding: the replay must see it, not pass over it.
TEST(FuzzReplayHarness, FailedCheckIsReported) {
    FailureHandler previous =
        SetFailureHandler([](const std::string& message) { throw CheckFailed(message); });
    EXPECT_THROW(Z9_FUZZ_EQ(std::string("a\x01"), std::string("a")), CheckFailed);
    EXPECT_NO_THROW(Z9_FUZZ_CHECK(1 + 1 == 2));
    SetFailureHandler(previous);
}

TEST(FuzzReplayHarness, SplitKeepsTheRestInTheLastPart) {
    EXPECT_EQ(Split("a\nb\nc", '\n', 2), (std::vector<std::string>{"a", "b\nc"}));
    EXPECT_EQ(Split("a", '\n', 3), (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(Split(std::string_view("x\0y", 3), '\0', 2), (std::vector<std::string>{"x", "y"}));
}

// A run that aborted on a finding left its scratch folder; the next run clears
// it, and only folders of processes that are gone.
TEST(FuzzReplayHarness, ScratchOfAGoneProcessIsRemoved) {
    const fs::path base = fs::temp_directory_path() / ("z9scratchtest-" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base);
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = "z9fuzz-" + std::to_string(child) + "-aB3dE9";
    const std::string alive = "z9fuzz-" + std::to_string(::getpid()) + "-xY7zQ1";
    for (const std::string& name :
         {gone, alive, std::string("z9fuzz-Qw8rT2"), "other-" + std::to_string(child) + "-x"})
        fs::create_directories(base / name / "registry");
    std::ofstream(base / gone / "registry" / "HKEY_CURRENT_USER.reg") << "REGEDIT4\r\n";

    RemoveAbandonedScratch(base.string());
    EXPECT_FALSE(fs::exists(base / gone));
    EXPECT_TRUE(fs::exists(base / alive));
    EXPECT_TRUE(fs::exists(base / "z9fuzz-Qw8rT2"));
    EXPECT_TRUE(fs::exists(base / ("other-" + std::to_string(child) + "-x")));
    fs::remove_all(base);
}

} // namespace
} // namespace z9::fuzz
