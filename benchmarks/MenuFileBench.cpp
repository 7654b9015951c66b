// Menu files of 1,000, 10,000 and 100,000 items: opening (OpenP8M: reading,
// splitting the lines, line breaks back, ReadItem and DescribeItem on every
// line) and saving (SaveP8M: line breaks escaped, every line written beside
// the old file, fsync, rename). Bytes per second that stay level across the
// sizes show that both run in time linear in the file's size.
#include "BenchFolder.h"
#include "common/LineBreaks.h"
#include "menu/document/MenuDocument.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using z9::bench::WorkFolder;

// Items as a menu's author makes them: titles, labels, links with paths and
// switches, spaces and lines, a caption on two lines now and then.
std::string MenuText(int items) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(items));
    for (int i = 0; i < items; ++i) {
        z9::MenuItem item;
        const int kind = i % 7;
        item.Type = kind == 6   ? z9::vLine
                    : kind == 5 ? z9::vSpace
                    : kind == 0 ? z9::vTitle
                    : kind < 3  ? z9::vLabel
                                : z9::vLink;
        item.Caption =
            "Monthly report " + std::to_string(i) + (i % 11 == 0 ? "\r\nfor the finance department" : "");
        item.Link = "Z9SUB \"D:\\Jobs\\Finance\\report-" + std::to_string(i * 7919 % 100000) + ".z9f\" /Z9+";
        item.Font.Name = i % 2 ? "Tahoma" : "Times New Roman";
        item.Font.Size = 8 + i % 9;
        item.Font.Bold = i % 5 == 0;
        item.FontColor = i * 2654435761u % 0x1000000;
        lines.push_back(z9::EncodeValue(z9::WriteItem(item)));
    }
    return z9::MenuFileText(lines);
}

struct Sample {
    fs::path path;
    std::size_t bytes = 0;
};

const Sample& SampleFile(int items) {
    static std::map<int, Sample> cache;
    auto it = cache.find(items);
    if (it != cache.end()) return it->second;
    Sample s;
    s.path = WorkFolder() / ("menu-" + std::to_string(items) + ".z9m");
    const std::string text = MenuText(items);
    std::FILE* f = std::fopen(s.path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) std::abort();
    s.bytes = text.size();
    return cache.emplace(items, s).first->second;
}

// The message itself went to standard error: no message handler is installed.
void Refuse(benchmark::State& state) {
    state.SkipWithError("the menu file could not be opened or saved");
}

void BM_OpenMenu(benchmark::State& state) {
    const Sample& s = SampleFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        z9::MenuDocument document;
        if (!document.OpenP8M(s.path.string())) Refuse(state);
        benchmark::DoNotOptimize(document.Summaries().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes));
    state.counters["file_MiB"] = static_cast<double>(s.bytes) / (1 << 20);
}

void BM_SaveMenu(benchmark::State& state) {
    const Sample& s = SampleFile(static_cast<int>(state.range(0)));
    z9::MenuDocument document;
    if (!document.OpenP8M(s.path.string())) Refuse(state);
    const std::string out = (WorkFolder() / "saved.z9m").string();
    for (auto _ : state)
        if (!document.SaveP8M(out)) Refuse(state);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes));
    state.counters["file_MiB"] = static_cast<double>(s.bytes) / (1 << 20);
}

BENCHMARK(BM_OpenMenu)->Arg(1000)->Arg(10000)->Arg(100000)->ArgName("items")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMenu)->Arg(1000)->Arg(10000)->Arg(100000)->ArgName("items")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return z9::bench::RunBenchmarks(argc, argv);
}
