// The base of every page builder: the inputs of one conversion, the page being
// built, the segment scanner that cuts the text into sentences, clauses and lines,
// the sentence-ending conversion and the replacement rules.
//
// One converter serves one page: construct it with the style's settings, hand it
// the inputs with setInputs(), then call buildPage() to have the page in memory, or
// streamPage() to hand it on piece by piece as it is built. The inputs are borrowed
// and must outlive the converter's work.
#pragma once

#include "convert/crt_random.h"
#include "convert/delimiter_search.h"
#include "convert/page_clock.h"
#include "convert/replacement_plan.h"
#include "settings/records.h"

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

// Takes a page piece by piece (a file being written); false when a piece could not be
// taken.
using PageSink = std::function<bool(std::string_view)>;

class Converter {
public:
    // Byte index into the text; -1 stands for "not found" and for the end of the text.
    using Position = std::int64_t;
    static constexpr Position kNone = -1;

    Converter() = default;
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    virtual ~Converter() = default;

    void setInputs(const EndingSet& endingSet, const ReplacementSet& replacementSet,
                   const std::string& text);
    // The moment that seeds the generator and dates the page; the system clock by default.
    void setClock(PageClock clock) { m_clock = std::move(clock); }

    // Builds the whole page in memory.
    const std::string& buildPage();
    // The page buildPage() built last.
    const std::string& output() const { return m_output; }

    // About what streamPage() hands over at a time.
    static constexpr std::size_t kPieceBytes = 256 * 1024;
    // Builds the page and hands it to `sink` a piece at a time, so that it is never in
    // memory whole: each piece is about `pieceBytes`, or that and what one segment (one
    // block of a long line) adds past it, and the pieces together are exactly
    // buildPage()'s page. A piece the sink refuses ends the page there: nothing more is
    // handed over, and the answer is false.
    bool streamPage(const PageSink& sink, std::size_t pieceBytes = kPieceBytes);

    // The sentence-ending conversion of one segment; returns 1 when a word was applied.
    int convertEnding(std::string& segment);
    // Every rule of the replacement set, in order, on one segment.
    void applyReplacements(std::string& segment) const;

    // n (0-99) in full-width digits, without a leading zero: 5 -> ５, 31 -> ３１.
    static std::string fullWidthTwoDigits(int n);

protected:
    // The page builder of a style: appends the whole page to the output.
    virtual void generate() {}

    const std::string& text() const { return *m_text; }
    const EndingSet& endingSet() const { return *m_endingSet; }
    void write(std::string_view bytes) { m_page.append(bytes); }
    // The first `count` bytes of `bytes`, `bytes` being of a constant size (see
    // ByteWriter::appendFirst).
    void writeFirst(std::string_view bytes, std::size_t count) { m_page.appendFirst(bytes, count); }
    // Bytes of the page written so far.
    std::size_t pageSize() const { return m_page.size(); }
    // About how large the page of a text of `textBytes` grows: room for it is made once,
    // before generate(), so that the page is not copied on the way.
    virtual std::size_t expectedPageBytes(std::size_t textBytes) const {
        return textBytes * 2 + 4096;
    }

    // Seeds the page's generator with the clock's seconds; call once, after the head.
    void seedRandom();
    // One draw of the generator, 0 to 32767.
    int draw() { return m_random.next(); }
    // The moment the generator was seeded with.
    std::time_t moment() const { return m_moment; }

    // Delimiter lists of the scanner.
    static constexpr std::string_view kSentenceDelimiters[] = {"\x81\x42", "\r\n"};
    static constexpr std::string_view kClauseDelimiters[] = {"\x81\x42", "\x81\x41", "\r\n"};

    // The segment scanner. Typical use:
    //   startScan(kSentenceDelimiters);
    //   while (scanStep()) { ...tests, maybe write segment()...; finishStep(); }
    //   ...write the final segment()...
    void startScan(std::span<const std::string_view> delimiters);
    // Finds the next delimiter; false when there is none left (position becomes -1).
    bool scanStep();
    // Whether an occurrence of `delimiter` (one of the scan's list) ends at the
    // current position: the one just found, or one that begins right after it.
    bool endsHere(std::string_view delimiter) const {
        const std::uint32_t code = delimiterCode(delimiter);
        for (std::size_t k = 0; k < m_delimiterCount; ++k) {
            // No delimiter starts inside another, so one that begins right after the
            // delimiter just found is its next occurrence.
            if (m_delimiterCodes[k] == code)
                return (m_foundCode == code) | (m_followingCode == code);
        }
        return false;
    }
    // The two bytes just before the delimiter just found (the first two of the text
    // when it begins at byte 0 or 1).
    std::string_view twoBytesBefore() const;
    // From the segment start to the position, delimiter included; to the end of the
    // text once the scan is over.
    std::string_view segment() const;
    void finishStep() {
        m_segmentStart = m_position;
        // Between two segments nothing looks back at what was written: a page being
        // streamed hands its piece over here once it is large enough.
        if (m_page.held().size() >= m_pieceBytes)
            handOverPiece();
    }

    // A segment that is empty or exactly one line break is never converted.
    static bool isBlank(std::string_view segment) { return segment.empty() || segment == "\r\n"; }
    // sjis::replaceAll on a segment, with the converter's scratch buffer.
    std::size_t replaceInSegment(std::string& segment, std::string_view from,
                                 std::string_view to) const;
    // The scan of the standard and house pages, over sentences and lines: a line break
    // after a finished sentence adds nothing, an empty line adds one break, and every
    // other step hands its segment to `take` with whether a line break ends it. The
    // final segment comes last, with false.
    void scanSentencesAndLines(const std::function<void(std::string_view, bool)>& take);

    // Ending conversion, then replacements, on a copy of `segment`. The result stays
    // valid until the next call.
    const std::string& convertSegment(std::string_view segment);
    // The same (without the ending conversion when `withEnding` is false), written
    // straight to the page.
    void writeConverted(std::string_view segment, bool withEnding = true);

    Position m_position = 0;
    Position m_segmentStart = 0;

private:
    // Makes the page's room (`roomBytes`) and builds the page into it with generate().
    void generatePage(std::size_t roomBytes);
    // Hands what the page holds to the sink and empties it. When the sink refuses, the
    // scan skips the rest of the text.
    void handOverPiece();
    // Draws the sentence ending: the word to put in place of "。", or null when the set
    // has no word or no frequency, in which case nothing is drawn.
    const std::string* drawEnding() { return drawEndingIf(true); }
    // The same when `withEnding`; else nothing is drawn and the word is null.
    const std::string* drawEndingIf(bool withEnding) {
        if (!m_drawsEnding)
            return nullptr;
        const int r = m_random.nextIf(withEnding);
        return m_endingByDraw[withEnding ? static_cast<std::size_t>(r % 100) : kNoEndingDrawn];
    }
    // Which word each draw (0-99) gives, for the ending set as it is now.
    void tabulateEndings();
    // The ending `word` (may be null) on a segment.
    void applyEnding(std::string& segment, const std::string* word) const;
    void appendConverted(std::string_view segment, bool withEnding, ByteWriter& out);
    // The replacements the ending `word` (may be null) makes, in their order.
    std::vector<ReplacementPlan::Replacement> endingReplacements(const std::string* word) const;

    const std::string* m_text = nullptr;
    const EndingSet* m_endingSet = nullptr;
    const ReplacementSet* m_replacementSet = nullptr;
    ReplacementPlan m_replacements;
    // Where the plan's sources may start in the text, for its segments in turn.
    ReplacementPlan::TextScan m_replacementScan;
    // Each ending word's replacements, prepared against the set; none for no word.
    std::array<ReplacementPlan::Prelude, 4> m_endingPreludes;
    ReplacementPlan::Prelude m_noEnding;
    bool m_drawsEnding = false;
    // The last entry, null, stands for no draw.
    static constexpr std::size_t kNoEndingDrawn = 100;
    std::array<const std::string*, kNoEndingDrawn + 1> m_endingByDraw{};
    std::string m_output;
    // Writes the page into m_output while it is built.
    ByteWriter m_page;
    // While a page is streamed: where it goes, how much of it goes at a time (no limit
    // otherwise), and whether the sink refused a piece.
    const PageSink* m_sink = nullptr;
    std::size_t m_pieceBytes = std::numeric_limits<std::size_t>::max();
    bool m_sinkRefused = false;
    std::string m_segmentBuffer;
    ByteWriter m_segmentWriter;
    std::string m_workBuffer;
    // Scratch space for replacing within segments, kept for the converter's one page.
    mutable std::string m_replaceBuffer;

    PageClock m_clock = systemTimeNow;
    std::time_t m_moment = 0;
    CrtRandom m_random;

    // Every delimiter is two bytes; this tells them apart without a call.
    static constexpr std::uint32_t delimiterCode(std::string_view d) {
        return d.size() == 2 ? static_cast<std::uint32_t>(static_cast<unsigned char>(d[0])) << 8 |
                                   static_cast<unsigned char>(d[1])
                             : 0x10000;
    }
    // The code of the two bytes of the text at `at` (none past its end).
    std::uint32_t codeAt(Position at) const {
        const std::string_view source(*m_text);
        return at >= 0 && static_cast<std::size_t>(at) + 2 <= source.size()
                   ? delimiterCode(source.substr(static_cast<std::size_t>(at), 2))
                   : 0x10000;
    }

    static constexpr std::size_t kMaxDelimiters = 3;
    std::span<const std::string_view> m_delimiters;
    std::array<std::uint32_t, kMaxDelimiters> m_delimiterCodes{};
    std::size_t m_delimiterCount = 0;
    // The codes of the delimiter just found and of the two bytes after it.
    std::uint32_t m_foundCode = 0;
    std::uint32_t m_followingCode = 0;
    DelimiterSearch m_delimiterSearch;
    DelimiterSearch::Scan m_delimiterScan;
};

} // namespace mireto
