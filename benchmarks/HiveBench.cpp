// Reading a hive written with one key many levels deep: the writer names every
// level in a header of its own, so the text grows with the square of the depth.
// Bytes per second that stay level across the depths show that reading it takes
// time in proportion to its size. And the registry over a wide hive file, as a
// program uses it: thousands of keys and of values in one key.
#include "BenchFolder.h"
#include "common/Registry.h"
#include "common/RegistryHive.h"
#include "tests/common/WideHive.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string DeepHive(int depth) {
    z9::Hive hive;
    std::string path = "Software";
    for (int level = 1; level < depth; ++level)
        path += "\\Level " + std::to_string(level);
    hive.Ensure(path).Put("Value", z9::RegValue::String("deep"));
    return z9::WriteHive(hive, z9::RegRoot::CurrentUser);
}

void BM_ParseDeepHive(benchmark::State& state) {
    const std::string text = DeepHive(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::ParseHive(text, z9::RegRoot::CurrentUser));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseDeepHive)->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

#ifndef _WIN32
// A hive of count keys under Software\Many and count values in one key,
// written where the registry reads it.
void WriteWideHive(int count) {
    const std::string folder = (z9::bench::WorkFolder() / "registry").string();
    ::setenv("Z9_REGISTRY_DIR", folder.c_str(), 1);
    std::filesystem::create_directories(folder);
    const std::string text = z9::test::WideHiveText(count);
    std::FILE* f = std::fopen(z9::HiveFile(z9::RegRoot::CurrentUser).c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) std::abort();
}

// One round of what a program does with its recent files: the keys listed, a
// value set (the whole hive read and written again) and the values listed.
// Time per key that stays level across the sizes shows it all linear.
void BM_RegistryWideHive(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    WriteWideHive(count);
    for (auto _ : state) {
        z9::RegKey key;
        std::vector<std::string> names;
        std::vector<z9::RegNamedValue> values;
        if (key.Open(z9::RegRoot::CurrentUser, "Software\\Many") || key.EnumKeys(names) ||
            names.size() != static_cast<std::size_t>(count) ||
            key.Open(z9::RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Recent") ||
            key.Set("C:\\Tasks\\new.z9f", z9::RegValue::String(std::to_string(state.iterations()))) ||
            key.EnumValues(values) || values.size() != static_cast<std::size_t>(count) + 1)
            state.SkipWithError("the registry did not read back what the hive holds");
    }
    state.SetComplexityN(count);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}
BENCHMARK(BM_RegistryWideHive)
    ->Arg(2000)
    ->Arg(20000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char** argv) {
    return z9::bench::RunBenchmarks(argc, argv);
}
