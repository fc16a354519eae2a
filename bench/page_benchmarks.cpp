// Every page style over synthetic prose of growing size, with a busy ending set and a
// replacement set of ten rules. Reports input MB/s and the heap one page needs.
#include "bench/bench_rules.h"
#include "bench/heap_counter.h"
#include "bench/text_corpus.h"
#include "convert/converter_factory.h"

#include <benchmark/benchmark.h>
#include <climits>
#include <malloc.h>
#include <map>
#include <vector>

namespace mireto::bench {
namespace {

const std::string& cachedText(TextShape shape, std::size_t bytes) {
    static std::map<std::pair<TextShape, std::size_t>, std::string> cache;
    auto [it, inserted] = cache.try_emplace({shape, bytes});
    if (inserted)
        it->second = makeText(shape, bytes);
    return it->second;
}

// Pushes the previous page's text and output out of the caches (64 MB is well past
// them), so that a page starts cold whatever its size.
void evictCaches() {
    static std::vector<unsigned char> sweep(64 << 20);
    for (std::size_t i = 0; i < sweep.size(); i += 64)
        ++sweep[i];
    benchmark::DoNotOptimize(sweep.data());
}

// One page per iteration. Warm: iterations follow each other, so a text and page that
// fit the cache (1 MB does, 16 MB does not) stay there from one to the next. Cold: the
// caches are emptied, untimed, before every page, which compares sizes on equal terms.
template <bool Cold> void pageBenchmark(benchmark::State& state) {
    const auto format = static_cast<OutputFormat>(state.range(0));
    const auto shape = static_cast<TextShape>(state.range(1));
    const auto bytes = static_cast<std::size_t>(state.range(2));
    const std::string& text = cachedText(shape, bytes);
    const EndingSet endings = busyEndings();
    const ReplacementSet replacements = tenRules();
    const FormatSettings settings;

    std::size_t peak = 0;
    std::size_t pageBytes = 0;
    for (auto _ : state) {
        if constexpr (Cold) {
            state.PauseTiming();
            evictCaches();
            state.ResumeTiming();
        }
        resetPeakHeap();
        const std::size_t before = peakHeapBytes();
        std::unique_ptr<Converter> converter = createConverter(format, settings);
        converter->setInputs(endings, replacements, text);
        converter->setClock([] { return std::time_t{1031227620}; });
        pageBytes = converter->buildPage().size();
        benchmark::DoNotOptimize(pageBytes);
        peak = std::max(peak, peakHeapBytes() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["page_MB"] = static_cast<double>(pageBytes) / (1 << 20);
    state.SetLabel("style " + std::to_string(state.range(0)) + " " + std::string(shapeName(shape)));
}

void pageArguments(benchmark::internal::Benchmark* b, std::initializer_list<std::int64_t> sizes) {
    for (int format = 0; format < static_cast<int>(kFormatCount); ++format)
        for (int shape = 0; shape < 3; ++shape)
            for (std::int64_t size : sizes)
                b->Args({format, shape, size});
    b->ArgNames({"format", "shape", "bytes"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
    b->MinWarmUpTime(0.3); // every size starts on warm memory, not only the small ones
}

BENCHMARK(pageBenchmark<false>)->Name("BM_Page")->Apply([](auto* b) {
    pageArguments(b, {64 << 10, 1 << 20, 16 << 20, 64 << 20});
});
// The sizes the linear-growth check compares.
BENCHMARK(pageBenchmark<true>)->Name("BM_PageCold")->Apply([](auto* b) {
    pageArguments(b, {1 << 20, 16 << 20});
});

} // namespace
} // namespace mireto::bench

int main(int argc, char** argv) {
    // Large buffers come from the heap like small ones, and freed memory stays there:
    // glibc would otherwise map every buffer above 32 MB afresh, so that the larger
    // sizes would also time the kernel clearing new pages on every iteration while
    // the smaller ones reuse warm memory.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
