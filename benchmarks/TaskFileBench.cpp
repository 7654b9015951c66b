// LoadTask and SaveTask on generated task files of about 1, 4 and 10 MiB,
// plain and encrypted. Bytes per second that stay level across the sizes show
// that both run in time linear in the file's size.
#include "BenchFolder.h"
#include "submitter/taskfile/TaskFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using z9::TaskRecord;

using z9::bench::WorkFolder;

TaskRecord TaskWith(std::size_t environs, bool encrypted) {
    TaskRecord t;
    t.TaskName = "Generated load test";
    t.User = "$LOCALUSER$";
    t.Domain = "$LOCALS$";
    t.Server = "ZORVAN01";
    t.EditPPP = encrypted ? "1" : "";
    t.Steps.resize(4);
    for (std::size_t i = 0; i < t.Steps.size(); ++i) {
        auto& s = t.Steps[i];
        s.StepName = "Step " + std::to_string(i + 1);
        s.Command = "cmd /c run.cmd %VAR" + std::to_string(i) + "%";
        s.Execute = "1";
    }
    t.Environs.resize(environs);
    for (std::size_t i = 0; i < environs; ++i) {
        auto& e = t.Environs[i];
        e.Step = std::to_string(i % 4 + 1);
        e.Caption = "Caption of field " + std::to_string(i);
        e.Variable = "VAR" + std::to_string(i);
        e.Type = std::to_string(i % 8);
        e.Value = "D:\\Data\\Sales\\" + std::to_string(i * 7919 % 100000) + "\\report.csv";
        e.Help =
            "Help text for this field, with a line break\r\nand a second line that says a little more about "
            "what the value is for and which limits apply to it; " +
            std::string(600, static_cast<char>('a' + i % 26));
        e.Min = "1";
        e.Max = "Item one|1\r\nItem two|2\r\nItem three|3";
        e.Percent = "33";
        e.Format = "|";
    }
    t.NumberSteps = std::to_string(t.Steps.size());
    t.NumberTaskFiles = "0";
    t.NumberEnviron = std::to_string(environs);
    return t;
}

std::uintmax_t SavedSize(const TaskRecord& t, const fs::path& path) {
    if (!z9::SaveTask(path.string(), t, true)) std::abort();
    return fs::file_size(path);
}

struct Sample {
    TaskRecord task;
    fs::path path;
    std::uintmax_t bytes = 0;
};

// A task file of about `mib` MiB, kept below the reader's limit.
const Sample& SampleFile(int mib, bool encrypted) {
    static std::map<std::pair<int, bool>, Sample> cache;
    auto key = std::make_pair(mib, encrypted);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;

    // Encrypted files vary a little in size from save to save.
    const std::uintmax_t target =
        std::min<std::uintmax_t>(static_cast<std::uintmax_t>(mib) << 20, z9::kMaxTaskFileSize - (64 << 10));
    Sample s;
    s.path = WorkFolder() / ("sample-" + std::to_string(mib) + (encrypted ? "-enc" : "") + ".z9f");
    const double perRecord = static_cast<double>(SavedSize(TaskWith(100, encrypted), s.path)) / 100.0;
    auto n = static_cast<std::size_t>(static_cast<double>(target) / perRecord);
    s.task = TaskWith(n, encrypted);
    while ((s.bytes = SavedSize(s.task, s.path)) > target)
        s.task = TaskWith(n -= (s.bytes - target) / static_cast<std::size_t>(perRecord) + 1, encrypted);
    return cache.emplace(key, std::move(s)).first->second;
}

void BM_LoadTask(benchmark::State& state) {
    const Sample& s = SampleFile(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        TaskRecord t;
        if (!z9::LoadTask(s.path.string(), t, true)) state.SkipWithError(z9::LastTaskError().c_str());
        benchmark::DoNotOptimize(t);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes));
    state.counters["file_MiB"] = static_cast<double>(s.bytes) / (1 << 20);
}

void BM_SaveTask(benchmark::State& state) {
    const Sample& s = SampleFile(static_cast<int>(state.range(0)), state.range(1) != 0);
    const std::string out = (WorkFolder() / "saved.z9f").string();
    for (auto _ : state)
        if (!z9::SaveTask(out, s.task, true)) state.SkipWithError(z9::LastTaskError().c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes));
    state.counters["file_MiB"] = static_cast<double>(s.bytes) / (1 << 20);
}

// Arguments: size in MiB, encrypted (0 or 1).
#define Z9_SIZES                                                                                             \
    ArgsProduct({{1, 4, 10}, {0, 1}})->ArgNames({"MiB", "encrypted"})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_LoadTask)->Z9_SIZES;
BENCHMARK(BM_SaveTask)->Z9_SIZES;

} // namespace

int main(int argc, char** argv) {
    return z9::bench::RunBenchmarks(argc, argv);
}
