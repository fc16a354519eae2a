// Every page builder over any bytes, with rule sets made from the input too.
#include "convert/converter_factory.h"

#include <cctype>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace mireto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto format = static_cast<OutputFormat>(input.ConsumeIntegralInRange<int>(0, 6));

    FormatSettings settings;
    settings.deleteCommas = input.ConsumeIntegral<std::int32_t>();
    settings.lineBreakDegree = input.ConsumeIntegral<std::int32_t>();
    settings.thread.mode = input.ConsumeIntegral<std::int32_t>();
    settings.idolNews.supportOn = input.ConsumeIntegral<std::int32_t>();
    settings.standardColours.textColour = input.ConsumeRandomLengthString(9);

    EndingSet endings;
    for (std::size_t slot = 0; slot < 4; ++slot) {
        endings.words[slot] = input.ConsumeRandomLengthString(6);
        endings.frequencies[slot] = input.ConsumeIntegral<std::int32_t>();
    }
    endings.changeLineBreaks = input.ConsumeIntegralInRange<int>(0, 1);

    ReplacementSet replacements;
    replacements.clearRules();
    const int rules = input.ConsumeIntegralInRange<int>(0, 5);
    for (int r = 0; r < rules; ++r) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = input.ConsumeRandomLengthString(4);
        replacements.addRule(sources, input.ConsumeRandomLengthString(6));
    }
    const auto moment = input.ConsumeIntegral<std::uint32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    auto build = [&] {
        std::unique_ptr<Converter> converter = createConverter(format, settings);
        converter->setInputs(endings, replacements, text);
        converter->setClock([moment] { return static_cast<std::time_t>(moment); });
        return converter->buildPage();
    };
    const std::string page = build();
    // A page is a whole page (the thread page writes its tags in lower case), and the
    // same second gives the same page.
    std::string lower = page;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("<html") == std::string::npos || lower.find("</html>") == std::string::npos)
        std::abort();
    if (build() != page)
        std::abort();
    return 0;
}
