#pragma once
// Running a piece of work in a child process that is killed, or runs out of
// file size, at a chosen moment.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace z9::test {

// Forks; the child tells the parent that it begins, runs work and ends (exit
// code 0 when work returned true). The parent kills it with SIGKILL delay
// after that moment, or lets it end when delay is negative, and reaps it.
// True when the child ended by itself.
bool RunInChild(const std::function<bool()>& work, std::chrono::microseconds delay);

// How long work takes in a child, from its start to its end (the median of three).
std::chrono::microseconds TimeInChild(const std::function<bool()>& work);

// Runs work in a child whose files may not grow beyond limit bytes (a full
// disk, as a save meets it), and returns what the child wrote to its result
// pipe through report (empty when it wrote nothing).
std::string RunWithFileSizeLimit(long long limit, const std::function<std::string()>& work);

// The names in folder that start with prefix and end with suffix.
std::vector<std::string> EntriesLike(const std::filesystem::path& folder, const std::string& prefix,
                                     const std::string& suffix);

} // namespace z9::test
