// Builds one page, as the benchmarks do, once: a target for valgrind --tool=callgrind,
// whose instruction counts are steady where timings on a busy machine are not.
// Usage: mireto_profile_page STYLE(0-6) SHAPE(prose|no-commas|one-line) BYTES [none]
// ("none": no ending set and no replacement rules).
#include "bench/bench_rules.h"
#include "bench/text_corpus.h"
#include "convert/converter_factory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace mireto;
using namespace mireto::bench;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: mireto_profile_page STYLE SHAPE BYTES [none]\n");
        return 2;
    }
    const int style = std::atoi(argv[1]);
    TextShape shape = TextShape::Prose;
    for (TextShape s : {TextShape::Prose, TextShape::NoCommas, TextShape::OneLine}) {
        if (shapeName(s) == argv[2])
            shape = s;
    }
    const std::string text = makeText(shape, std::strtoull(argv[3], nullptr, 10));
    const bool plain = argc > 4 && std::strcmp(argv[4], "none") == 0;
    const EndingSet endings = plain ? EndingSet{} : busyEndings();
    ReplacementSet replacements = tenRules();
    if (plain)
        replacements.clearRules();

    std::unique_ptr<Converter> converter =
        createConverter(static_cast<OutputFormat>(style), FormatSettings{});
    if (!converter)
        return 2;
    converter->setInputs(endings, replacements, text);
    converter->setClock([] { return std::time_t{1031227620}; });
    std::printf("%zu bytes of page\n", converter->buildPage().size());
    return 0;
}
