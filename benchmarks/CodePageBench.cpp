// Texts through the code page door in both directions, as captions, file names
// and task values cross it: short texts, many times. An east Asian code page
// goes through the system's converter; a western one through a table.
#include "common/AnsiCase.h"
#include "common/CodePage.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// "Nightly backup of the payroll database" in the code page's own script.
std::string Caption(int codePage) {
    if (codePage == 932)
        return "\x96\xE9\x8A\xD4\x82\xCC\x8B\x8B\x97\x5E\x83\x66\x81\x5B\x83\x5E\x83\x78\x81\x5B\x83\x58";
    if (codePage == 936)
        return "\xB9\xA4\xD7\xCA\xCA\xFD\xBE\xDD\xBF\xE2\xB5\xC4\xD2\xB9\xBC\xE4\xB1\xB8\xB7\xDD";
    return "Nightly backup of the payroll database (\xE9t\xE9)";
}

void BM_AnsiToUtf16(benchmark::State& state) {
    const int codePage = static_cast<int>(state.range(0));
    const std::string caption = Caption(codePage);
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::AnsiToUtf16(caption, codePage));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * caption.size()));
}
BENCHMARK(BM_AnsiToUtf16)->Arg(1252)->Arg(932)->Arg(936);

void BM_Utf16ToAnsi(benchmark::State& state) {
    const int codePage = static_cast<int>(state.range(0));
    const std::u16string text = z9::AnsiToUtf16(Caption(codePage), codePage);
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::Utf16ToAnsi(text, codePage));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}
BENCHMARK(BM_Utf16ToAnsi)->Arg(1252)->Arg(932)->Arg(936);

// Names of users, domains and servers are upper-cased letter by letter, each
// letter checked against the code page of the program's locale.
void BM_UpperAnsi(benchmark::State& state) {
    const bool cyrillic = state.range(0) == 1251;
    z9::SetProgramLocale(cyrillic ? "ru_RU" : "fr_FR");
    const std::string name = cyrillic
                                 ? "\xC1\xF3\xF5\xE3\xE0\xEB\xF2\xE5\xF0\xE8\xFF \xE7\xE0\xF0\xEF\xEB\xE0\xF2"
                                 : "Comptabilit\xE9 g\xE9n\xE9rale \xE0 Z\xFCrich";
    for (auto _ : state)
        benchmark::DoNotOptimize(z9::UpperAnsi(name));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * name.size()));
    z9::SetProgramLocale("");
}
BENCHMARK(BM_UpperAnsi)->Arg(1252)->Arg(1251);

} // namespace

BENCHMARK_MAIN();
