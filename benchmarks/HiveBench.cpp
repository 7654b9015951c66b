// Reading a hive written with one key many levels deep: the writer names every
// level in a header of its own, so the text grows with the square of the depth.
// Bytes per second that stay level across the depths show that reading it takes
// time in proportion to its size.
#include "common/RegistryHive.h"

#include <benchmark/benchmark.h>

#include <string>

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

} // namespace

BENCHMARK_MAIN();
