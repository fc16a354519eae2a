// The replacement set's one pass against making every replacement in turn: whenever
// the pass takes a segment, its result must be the plain one.
#include "convert/replacement_plan.h"
#include "convert/sjis_text.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace mireto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    ReplacementSet set;
    set.clearRules();
    const int rules = input.ConsumeIntegralInRange<int>(0, 6);
    for (int r = 0; r < rules; ++r) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = input.ConsumeRandomLengthString(4);
        set.addRule(sources, input.ConsumeRandomLengthString(6));
    }
    // A sentence ending, as the pages make it: line breaks (maybe), then full stops.
    const std::string word = input.ConsumeRandomLengthString(6);
    const bool lineBreaksToo = input.ConsumeBool();
    std::vector<ReplacementPlan::Replacement> first;
    if (!word.empty() && lineBreaksToo)
        first.push_back({sjis::kLineBreak, word});
    if (!word.empty())
        first.push_back({sjis::kFullStop, word});
    const std::string segment = input.ConsumeRemainingBytesAsString();

    std::string plain = segment;
    for (const auto& [source, target] : first)
        sjis::replaceAll(plain, source, target);
    for (std::size_t rule = 0; rule < set.ruleCount(); ++rule)
        for (const std::string& source : set.sources[rule])
            sjis::replaceAll(plain, source, set.targets[rule]);

    ReplacementPlan plan(set);
    const ReplacementPlan::Prelude prelude = plan.prepare(first);
    std::string out = "<";
    ByteWriter writer(out);
    const bool taken = plan.appendInOnePass(segment, prelude, writer);
    writer.settle();
    if (taken) {
        if (out != "<" + plain)
            std::abort();
    } else if (out != "<") {
        std::abort();
    }

    // The same input as a text cut into clauses, as the pages cut it, the clauses taken
    // in turn with one scan of the whole text: each gives what it gives on its own.
    const std::string& text = segment;
    ReplacementPlan::TextScan scan(plan, text);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = sjis::find(text, sjis::kComma, start);
        end = end == sjis::npos ? text.size() : end + sjis::kComma.size();
        const std::string_view clause = std::string_view(text).substr(start, end - start);
        std::string alone;
        ByteWriter aloneWriter(alone);
        const bool aloneTaken = plan.appendInOnePass(clause, prelude, aloneWriter);
        aloneWriter.settle();
        std::string scanned;
        ByteWriter scannedWriter(scanned);
        const bool scannedTaken = plan.appendInOnePass(clause, prelude, scannedWriter, scan);
        scannedWriter.settle();
        if (scannedTaken != aloneTaken || scanned != alone)
            std::abort();
        start = end;
    }
    return 0;
}
