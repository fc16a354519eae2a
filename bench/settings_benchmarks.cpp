// Reading and writing a settings file that holds 1,000 sets of each kind.
#include "settings/settings_file.h"

#include <benchmark/benchmark.h>

namespace mireto::bench {
namespace {

SettingsStore thousandSets() {
    SettingsStore store;
    for (std::size_t i = 0; i < 1000; ++i) {
        const std::string name = "set " + std::to_string(i);
        EndingSet ending;
        ending.name = name;
        ending.words = {"\x83i\x83\x8A", "\x82\xE6", "\x82\xCB", ""};
        ending.frequencies = {30, 30, 20, 0};
        store.InsertEndingSet(ending, i);

        ReplacementSet replacement;
        replacement.name = name;
        replacement.clearRules();
        for (int r = 0; r < 10; ++r)
            replacement.addRule({"\x94L" + std::to_string(r), "a,b", "", ""}, "\x8C\xA2");
        store.InsertReplacementSet(replacement, i);

        OverallTemplate overall;
        overall.name = name;
        overall.endingSetName = name;
        overall.replacementSetName = name;
        store.InsertOverallTemplate(overall, i);
    }
    return store;
}

std::string fileBytes() {
    std::string bytes;
    WriteFormatSettings(bytes, FormatSettings{});
    thousandSets().Save(bytes);
    return bytes;
}

void BM_SettingsWrite(benchmark::State& state) {
    const SettingsStore store = thousandSets();
    const FormatSettings settings;
    for (auto _ : state) {
        std::string bytes;
        WriteFormatSettings(bytes, settings);
        store.Save(bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SettingsWrite)->Unit(benchmark::kMillisecond);

void BM_SettingsRead(benchmark::State& state) {
    const std::string bytes = fileBytes();
    for (auto _ : state) {
        LineReader lines(bytes);
        FormatSettings settings;
        SettingsStore store;
        ReadFormatSettings(lines, settings);
        store.Load(lines);
        benchmark::DoNotOptimize(store.endingSetCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SettingsRead)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mireto::bench
