// Reading and writing a settings file that holds 1,000 sets of each kind, and reading
// the costliest files within the limits: the memory they take per byte.
#include "bench/heap_counter.h"
#include "convert/sjis_literal.h"
#include "settings/settings_file.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace mireto::bench {
namespace {

SettingsStore thousandSets() {
    SettingsStore store;
    for (std::size_t i = 0; i < 1000; ++i) {
        const std::string name = "set " + std::to_string(i);
        EndingSet ending;
        ending.name = name;
        ending.words = {std::string("ナリ"_sjis), std::string("よ"_sjis), std::string("ね"_sjis),
                        ""};
        ending.frequencies = {30, 30, 20, 0};
        store.InsertEndingSet(ending, i);

        ReplacementSet replacement;
        replacement.name = name;
        replacement.clearRules();
        for (int r = 0; r < 10; ++r)
            replacement.addRule({std::string("猫"_sjis) + std::to_string(r), "a,b", "", ""},
                                std::string("犬"_sjis));
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

// At the size limit: one rule count of two billion over commas (five fields of two bytes
// a rule, the most rules a byte can hold), and empty lines (an entry of empty strings each,
// refused once past the memory allowance).
std::string fileAtTheLimit(std::int64_t shape) {
    std::string bytes = "100,\r\n----\r\n";
    if (shape == 0) {
        bytes += "----\r\n2000000000,4,name,";
        bytes.append(kMaxSettingsFileBytes - bytes.size() - 12, ',');
        bytes += "\r\n----\r\n----\r\n";
    } else {
        bytes.append(kMaxSettingsFileBytes - bytes.size(), '\n');
    }
    return bytes;
}

void BM_SettingsReadAtTheLimit(benchmark::State& state) {
    const std::string bytes = fileAtTheLimit(state.range(0));
    std::size_t peak = 0;
    bool read = false;
    for (auto _ : state) {
        resetPeakHeap();
        const std::size_t before = peakHeapBytes();
        FormatSettings settings;
        SettingsStore store;
        read = ReadSettingsFile(bytes, settings, store);
        benchmark::DoNotOptimize(store.replacementSetCount());
        peak = std::max(peak, peakHeapBytes() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["peak_heap_per_byte"] = static_cast<double>(peak) / bytes.size();
    state.SetLabel(std::string(state.range(0) == 0 ? "rules" : "empty lines") +
                   (read ? " read" : " refused"));
}
BENCHMARK(BM_SettingsReadAtTheLimit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mireto::bench
