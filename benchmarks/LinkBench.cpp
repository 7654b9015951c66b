// Links and texts an author or a damaged menu can hold, 10 KB to 1 MB long:
// %NAME% expansion over a storm of '%' and over many names, and a link
// resolved as the menu window does for its icon (ShellRun, nothing started)
// when it is one long word, a quote left open or a run of launch switches.
// Bytes per second that stay level across the sizes show them linear.
#include "menu/app/ExpandEnvVars.h"
#include "menu/app/ShellRun.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_ExpandPercentStorm(benchmark::State& state) {
    const std::string storm(static_cast<std::size_t>(state.range(0)), '%');
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::ExpandEnvVars(storm));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * storm.size()));
}
BENCHMARK(BM_ExpandPercentStorm)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_ExpandManyNames(benchmark::State& state) {
    ::setenv("Z9B_V", "v", 1);
    std::string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += "%Z9B_V%%x";
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::ExpandEnvVars(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ExpandManyNames)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

// 0: one long word, 1: an open quote and blanks, 2: a run of switches.
std::string HostileLink(int kind, std::size_t size) {
    if (kind == 0) return std::string(size, 'a');
    if (kind == 1) return "\"" + std::string(size, ' ');
    std::string switches;
    while (switches.size() < size)
        switches += " /Z9/Z9+";
    return switches;
}

void BM_ResolveHostileLink(benchmark::State& state) {
    const std::string link =
        HostileLink(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::ShellRun(nullptr, link, "", z9::kResolveOnly));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * link.size()));
}
BENCHMARK(BM_ResolveHostileLink)
    ->ArgsProduct({{0, 1, 2}, {10 << 10, 100 << 10}})
    ->ArgNames({"kind", "bytes"})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
