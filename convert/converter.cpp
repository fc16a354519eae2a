#include "convert/converter.h"

#include "convert/html_head.h"
#include "convert/sjis_text.h"
#include "convert/standard_skip.h"

#include <algorithm>
#include <cassert>

namespace mireto {

void Converter::setInputs(const EndingSet& endingSet, const ReplacementSet& replacementSet,
                          const std::string& text) {
    m_endingSet = &endingSet;
    m_replacementSet = &replacementSet;
    m_replacements = ReplacementPlan(replacementSet);
    m_text = &text;
    tabulateEndings();
}

void Converter::generatePage(std::size_t roomBytes) {
    assert(m_text && m_endingSet && m_replacementSet && "setInputs must come first");
    m_position = 0;
    m_segmentStart = 0;
    // One plan at a time: the one setInputs made goes first.
    m_replacements = {};
    m_replacements = ReplacementPlan(*m_replacementSet);
    for (std::size_t slot = 0; slot < m_endingPreludes.size(); ++slot)
        m_endingPreludes[slot] =
            m_replacements.prepare(endingReplacements(&m_endingSet->words[slot]));
    m_replacementScan = ReplacementPlan::TextScan(m_replacements, *m_text);
    tabulateEndings();
    m_output.clear();
    m_output.reserve(roomBytes);
    m_page.attach(m_output);
    generate();
    m_page.settle();
}

const std::string& Converter::buildPage() {
    generatePage(expectedPageBytes(m_text->size()));
    return m_output;
}

bool Converter::streamPage(const PageSink& sink, std::size_t pieceBytes) {
    m_sink = &sink;
    m_pieceBytes = std::max<std::size_t>(pieceBytes, 1);
    m_sinkRefused = false;
    // A piece, and the segment that takes it past its size.
    generatePage(std::min(expectedPageBytes(m_text->size()), m_pieceBytes + 64 * 1024));
    if (!m_page.held().empty())
        handOverPiece();
    m_sink = nullptr;
    m_pieceBytes = std::numeric_limits<std::size_t>::max();
    m_output.clear();
    return !m_sinkRefused;
}

void Converter::handOverPiece() {
    if (!m_sinkRefused && !(*m_sink)(m_page.held())) {
        m_sinkRefused = true;
        // The scan finds nothing more, and its last segment is empty; what the builder
        // still writes is dropped.
        m_position = m_segmentStart = static_cast<Position>(m_text->size());
    }
    m_page.empty();
}

void Converter::seedRandom() {
    m_moment = m_clock();
    m_random.seed(static_cast<std::uint32_t>(m_moment));
}

void Converter::tabulateEndings() {
    const EndingSet& set = *m_endingSet;
    m_drawsEnding =
        std::any_of(set.words.begin(), set.words.end(), [](auto& w) { return !w.empty(); }) &&
        std::any_of(set.frequencies.begin(), set.frequencies.end(), [](auto f) { return f != 0; });
    for (std::size_t value = 0; value < kNoEndingDrawn; ++value) {
        // 64 bits: a hand-edited file may hold frequencies near the 32-bit limits.
        auto r = static_cast<std::int64_t>(value);
        m_endingByDraw[value] = nullptr;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            r -= set.frequencies[slot];
            if (r < 0 && !set.words[slot].empty()) {
                m_endingByDraw[value] = &set.words[slot];
                break;
            }
        }
    }
}

void Converter::applyEnding(std::string& segment, const std::string* word) const {
    if (!word)
        return;
    if (m_endingSet->changeLineBreaks == 1)
        replaceInSegment(segment, sjis::kLineBreak, *word);
    replaceInSegment(segment, sjis::kFullStop, *word);
}

int Converter::convertEnding(std::string& segment) {
    const std::string* word = drawEnding();
    applyEnding(segment, word);
    return word ? 1 : 0;
}

void Converter::applyReplacements(std::string& segment) const {
    m_replacements.apply(segment, m_replaceBuffer);
}

std::size_t Converter::replaceInSegment(std::string& segment, std::string_view from,
                                        std::string_view to) const {
    return sjis::replaceAll(segment, from, to, m_replaceBuffer);
}

std::string Converter::fullWidthTwoDigits(int n) {
    // ０ is 0x82 0x4F; the other digits follow it.
    auto digit = [](int d) { return std::string{'\x82', static_cast<char>(0x4F + d)}; };
    std::string result;
    const int tens = n / 10;
    const int units = n % 10;
    if (tens >= 1 && tens <= 9)
        result += digit(tens);
    if (units >= 0 && units <= 9)
        result += digit(units);
    return result;
}

void Converter::startScan(std::span<const std::string_view> delimiters) {
    assert(delimiters.size() <= kMaxDelimiters);
    m_delimiters = delimiters;
    m_delimiterCount = delimiters.size();
    for (std::size_t k = 0; k < delimiters.size(); ++k)
        m_delimiterCodes[k] = delimiterCode(delimiters[k]);
    m_delimiterSearch = DelimiterSearch(delimiters);
    m_delimiterScan = DelimiterSearch::Scan(m_delimiterSearch, *m_text);
    m_position = 0;
    m_segmentStart = 0;
}

bool Converter::scanStep() {
    // Every step searches from where the last one ended, so a scan reads the text once.
    const std::size_t at = m_position >= 0
                               ? m_delimiterScan.find(static_cast<std::size_t>(m_position))
                               : DelimiterSearch::npos;
    if (at == DelimiterSearch::npos) {
        m_position = kNone;
        return false;
    }
    m_position = static_cast<Position>(at) + 2;
    m_foundCode = codeAt(m_position - 2);
    m_followingCode = codeAt(m_position);
    return true;
}

std::string_view Converter::twoBytesBefore() const {
    const Position start = std::max<Position>(m_position - 4, 0);
    return std::string_view(*m_text).substr(static_cast<std::size_t>(start), 2);
}

std::string_view Converter::segment() const {
    const std::string_view source(*m_text);
    const auto start = static_cast<std::size_t>(m_segmentStart);
    if (m_position == kNone)
        return source.substr(start);
    return source.substr(start, static_cast<std::size_t>(m_position) - start);
}

void Converter::scanSentencesAndLines(const std::function<void(std::string_view, bool)>& take) {
    startScan(kSentenceDelimiters);
    while (scanStep()) {
        const bool lineEnds = endsHere(sjis::kLineBreak);
        switch (classifyStandardStep(lineEnds, twoBytesBefore())) {
        case StandardStep::Skip:
            break;
        case StandardStep::EmptyLine:
            write(html::kBreak);
            break;
        case StandardStep::Emit:
            take(segment(), lineEnds);
            break;
        }
        finishStep();
    }
    take(segment(), false);
}

const std::string& Converter::convertSegment(std::string_view segment) {
    m_segmentBuffer.clear();
    m_segmentWriter.attach(m_segmentBuffer);
    appendConverted(segment, true, m_segmentWriter);
    return m_segmentWriter.settle();
}

void Converter::writeConverted(std::string_view segment, bool withEnding) {
    appendConverted(segment, withEnding, m_page);
}

std::vector<ReplacementPlan::Replacement>
Converter::endingReplacements(const std::string* word) const {
    std::vector<ReplacementPlan::Replacement> ending;
    if (word && m_endingSet->changeLineBreaks == 1)
        ending.push_back({sjis::kLineBreak, *word});
    if (word)
        ending.push_back({sjis::kFullStop, *word});
    return ending;
}

void Converter::appendConverted(std::string_view segment, bool withEnding, ByteWriter& out) {
    const std::string* word = drawEndingIf(withEnding);
    if (m_replacements.feedsInBlocks(segment.size())) {
        // A long segment goes from the text to `out` in one pass, ending included. On a
        // page being streamed its pieces are handed over on the way: nothing looks back
        // at them.
        ReplacementPlan::BlockSink handOver;
        if (&out == &m_page && m_sink) {
            handOver = [this](std::string& page) {
                if (page.size() >= m_pieceBytes) {
                    m_page.resume();
                    handOverPiece();
                    m_page.settle();
                }
                return !m_sinkRefused;
            };
        }
        m_replacements.appendInBlocks(segment, endingReplacements(word), out.settle(), handOver);
        out.resume();
        return;
    }
    const ReplacementPlan::Prelude& ending =
        word ? m_endingPreludes[static_cast<std::size_t>(word - m_endingSet->words.data())]
             : m_noEnding;
    const bool inText = !std::less<const char*>()(segment.data(), m_text->data()) &&
                        segment.data() + segment.size() <= m_text->data() + m_text->size();
    if (inText ? m_replacements.appendInOnePass(segment, ending, out, m_replacementScan)
               : m_replacements.appendInOnePass(segment, ending, out))
        return;
    // Replacements that meet or build on each other here: one after another.
    m_workBuffer.assign(segment);
    applyEnding(m_workBuffer, word);
    applyReplacements(m_workBuffer);
    out.append(m_workBuffer);
}

} // namespace mireto
