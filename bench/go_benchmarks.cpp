// GO!! in the editor, from the editor's text to the page on disk: line ends made CR LF,
// the text encoded to Shift_JIS (a character Shift_JIS lacks becomes a character
// reference), the page built and written. With one character that Shift_JIS lacks
// in the middle of 1 MB of text, and without.
#include "bench/bench_rules.h"
#include "bench/text_corpus.h"
#include "convert/converter_factory.h"
#include "platform/atomic_file.h"
#include "widgets/sjis_qstring.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace mireto::bench {
namespace {

// The editor's text: Unicode with LF line ends.
QString editorText(bool foreign) {
    QString text = fromSjis(makeText(TextShape::Prose, 1 << 20));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (foreign)
        text.insert(text.size() / 2, QString::fromUtf8("\xF0\x9F\x8D\xA3")); // 🍣
    return text;
}

void goBenchmark(benchmark::State& state) {
    const bool foreign = state.range(0) != 0;
    const auto format = static_cast<OutputFormat>(state.range(1));
    const bool withSets = state.range(2) != 0;
    const QString text = editorText(foreign);
    const EndingSet endings = withSets ? busyEndings() : EndingSet{};
    ReplacementSet replacements = tenRules();
    if (!withSets)
        replacements.clearRules();
    const FormatSettings settings;
    QTemporaryDir folder;
    const std::filesystem::path page = folder.filePath(QStringLiteral("tmp.html")).toStdString();

    for (auto _ : state) {
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        const std::string sjisText = encodeSjisForPage(lines);
        const std::unique_ptr<Converter> converter = createConverter(format, settings);
        converter->setInputs(endings, replacements, sjisText);
        converter->setClock([] { return std::time_t{1031227620}; });
        if (!writeFileAtomically(page, converter->buildPage(), FlushToDisk::No).ok)
            state.SkipWithError("the page could not be written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
    state.SetLabel(std::string(foreign ? "one foreign character" : "Shift_JIS only") + ", style " +
                   std::to_string(state.range(1)) + (withSets ? ", bench sets" : ", no sets"));
}

BENCHMARK(goBenchmark)->Name("BM_Go")->Apply([](auto* b) {
    for (int foreign = 0; foreign < 2; ++foreign) {
        for (int format = 0; format < static_cast<int>(kFormatCount); ++format)
            b->Args({foreign, format, 1});
        b->Args({foreign, static_cast<int>(OutputFormat::Standard), 0});
    }
    b->ArgNames({"foreign", "format", "sets"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
});

} // namespace
} // namespace mireto::bench

BENCHMARK_MAIN();
