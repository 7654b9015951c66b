#pragma once
// A private scratch folder for one benchmark run, made on first use, and the
// programs' main, which removes it when the run ends.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace z9::bench {

inline const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "z9bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Runs the benchmarks the command line names, then removes the work folder.
inline int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const bool unrecognized = benchmark::ReportUnrecognizedArguments(argc, argv);
    if (!unrecognized) benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(WorkFolder(), ec);
    return unrecognized ? 1 : 0;
}

} // namespace z9::bench
