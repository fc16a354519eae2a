// The live preview's work on the user-interface thread once typing pauses: from a
// change in the editor to the page's bytes ready for the web engine. That is the
// editor's text read and encoded (CMiretoView::ConversionText), the page built for the
// preview's moment (BuildPage) and its bytes handed over, as PagePreview does it, for
// texts of 10 KB, 100 KB and 1 MB in every style; and the first step alone, the text
// read and encoded, which is the same for every style. The peak heap counts Qt's memory
// too. The engine lays the page out and paints it in its own processes; that is not
// timed.
#include "app/mireto_view.h"
#include "bench/heap_counter.h"
#include "bench/preview_inputs.h"
#include "settings/settings_file.h"
#include "widgets/sjis_qstring.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <benchmark/benchmark.h>
#include <memory>

namespace mireto::bench {
namespace {

constexpr std::time_t kMoment = 1031227620;

// An editor view with `bytes` of text and `format` current, read from a settings file
// as at start-up.
struct Editor {
    QTemporaryDir folder;
    std::unique_ptr<CMiretoView> view;

    Editor(OutputFormat format, std::size_t bytes) {
        PlatformServices services;
        services.paths.settingsFile = folder.filePath(QStringLiteral("Mireto.ini")).toStdString();
        SettingsStore store;
        store.InsertEndingSet(noneEndingSet(), 0);
        store.InsertReplacementSet(noneReplacementSet(), 0);
        SaveSettingsAtShutdown(services.paths.settingsFile, store, {}, selection(format));
        view = std::make_unique<CMiretoView>(services);
        view->OnCreate();
        view->SetEditorText(textOf(bytes));
    }
};

// One change and what follows it, per iteration; `follow` gets the view and returns
// the bytes it made.
template <typename Follow>
void afterAChange(benchmark::State& state, OutputFormat format, std::size_t bytes, Follow follow) {
    Editor editor(format, bytes);
    QTextCursor end(editor.view->document());
    end.movePosition(QTextCursor::End);
    std::size_t peak = 0;
    std::size_t made = 0;
    bool cat = false;
    for (auto _ : state) {
        resetPeakHeap();
        const std::size_t before = peakHeapBytes();
        // The change: the last character typed over.
        end.deletePreviousChar();
        end.insertText((cat = !cat) ? QStringLiteral("猫") : QStringLiteral("犬"));
        made = follow(*editor.view);
        peak = std::max(peak, peakHeapBytes() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["made_MB"] = static_cast<double>(made) / (1 << 20);
}

void previewPage(benchmark::State& state) {
    const auto format = static_cast<OutputFormat>(state.range(0));
    afterAChange(
        state, format, static_cast<std::size_t>(state.range(1)), [](const CMiretoView& view) {
            const std::string text = view.ConversionText();
            const QByteArray page = QByteArray::fromStdString(*view.BuildPage(text, kMoment));
            benchmark::DoNotOptimize(page.constData());
            return static_cast<std::size_t>(page.size());
        });
}

void previewText(benchmark::State& state) {
    afterAChange(state, OutputFormat::Standard, static_cast<std::size_t>(state.range(0)),
                 [](const CMiretoView& view) {
                     const std::string text = view.ConversionText();
                     benchmark::DoNotOptimize(text.data());
                     return text.size();
                 });
}

constexpr std::int64_t kSizes[] = {10 << 10, 100 << 10, 1 << 20};

BENCHMARK(previewPage)->Name("BM_PreviewPage")->Apply([](benchmark::internal::Benchmark* b) {
    for (int format = 0; format < static_cast<int>(kFormatCount); ++format)
        for (std::int64_t size : kSizes)
            b->Args({format, size});
    b->ArgNames({"format", "bytes"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
});
BENCHMARK(previewText)->Name("BM_PreviewText")->Apply([](benchmark::internal::Benchmark* b) {
    for (std::int64_t size : kSizes)
        b->Args({size});
    b->ArgNames({"bytes"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
});

} // namespace
} // namespace mireto::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
