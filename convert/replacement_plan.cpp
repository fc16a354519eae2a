#include "convert/replacement_plan.h"

#include "convert/sjis_text.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace mireto {

namespace {

constexpr auto kLeadBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = sjis::isLeadByte(static_cast<unsigned char>(c));
    return table;
}();

// Whether a string ends on a whole character: a lone lead byte at its end would join
// whatever follows it in a text.
bool endsOnWholeCharacter(std::string_view s) {
    std::size_t last = 0;
    for (std::size_t at = 0; at < s.size(); at += sjis::charLength(s, at))
        last = at;
    return s.empty() || s.size() - last != 1 ||
           !sjis::isLeadByte(static_cast<unsigned char>(s[last]));
}

// Whether `word` starts at `at` (with `available` bytes from there). Words are short:
// comparing in place beats a call.
bool occursAt(const unsigned char* at, std::size_t available, std::string_view word) {
    if (word.size() > available)
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (at[i] != static_cast<unsigned char>(word[i]))
            return false;
    }
    return true;
}

constexpr std::size_t kShortPiece = ByteWriter::kShortPiece;

} // namespace

class ReplacementPlan::OnePass {
public:
    // `readable` bytes can be read from the segment's start.
    OnePass(std::string_view segment, std::size_t readable, ByteWriter& out)
        : m_segment(segment), m_bytes(reinterpret_cast<const unsigned char*>(segment.data())),
          m_readable(readable), m_out(out), m_start(out.size()) {}

    std::string_view segment() const { return m_segment; }
    const unsigned char* bytes() const { return m_bytes; }

    // A match of `entry` at `at`, whose target has spare bytes at `paddedTarget`; false
    // when the pass cannot tell the result.
    [[gnu::always_inline]] bool take(std::size_t at, const Entry& entry, const char* paddedTarget) {
        if (at < m_lastEnd)
            return m_last == &entry; // inside its own last match: not a match of its own
        if (!entry.independent || at < m_guardUntil)
            return false;
        // Only a byte that cannot be a second byte can follow a lone lead byte.
        if (entry.trailFirst && at > 0 && kLeadBytes[m_bytes[at - 1]] && afterLoneLead(at))
            return false;
        if (entry.nextToLater && !clearOfLaterSources(at, entry))
            return false;
        const std::size_t piece = at - m_copied;
        char* to = m_out.room(piece + entry.target.size());
        to = ByteWriter::copy(to, m_segment.data() + m_copied, piece, m_readable - m_copied);
        to = ByteWriter::copy(to, paddedTarget, entry.target.size(), kShortPiece);
        m_out.commit(to);
        m_earlierEnd = m_lastEnd;
        m_lastStart = at;
        m_lastEnd = m_copied = at + entry.source.size();
        m_last = &entry;
        return true;
    }

    void finish() {
        const std::string_view rest = m_segment.substr(m_copied);
        m_out.appendShort(rest, m_readable - m_copied);
    }
    void abandon() { m_out.truncate(m_start); }

private:
    // Whether the byte before `at` (a lead byte, with `at` a character boundary) stands
    // alone: the run of lead bytes it ends starts on a boundary and pairs up from there.
    [[gnu::noinline]] bool afterLoneLead(std::size_t at) const {
        std::size_t run = at - 1;
        while (run > 0 && kLeadBytes[m_bytes[run - 1]])
            --run;
        return (at - run) % 2 == 1;
    }

    // Whether a match of `entry` at `at` stands clear of the text that would let a later
    // source start across its edges (one after another would find more there).
    [[gnu::noinline]] bool clearOfLaterSources(std::size_t at, const Entry& entry) {
        for (std::string_view before : entry.before) {
            if (before.size() <= at && isBefore(at, before))
                return false;
        }
        const std::size_t end = at + entry.source.size();
        for (std::string_view after : entry.after) {
            if (m_segment.substr(end).starts_with(after))
                return false;
            m_guardUntil = std::max(m_guardUntil, end + after.size());
        }
        return true;
    }

    // Whether `text` may stand just before `at` when a later replacement looks there.
    // By then the last match may have been made or not, and either is checked; a text
    // reaching back to the match before is taken to be there.
    bool isBefore(std::size_t at, std::string_view text) const {
        const std::size_t from = at - text.size();
        if (from < m_earlierEnd || m_segment.substr(from, text.size()) == text)
            return true;
        if (from >= m_lastEnd)
            return false;
        // Made: the text since the match before, the last target, then the text up to
        // `at`.
        const std::string_view lastTarget = m_last->target;
        const std::string_view between = m_segment.substr(m_lastEnd, at - m_lastEnd);
        const std::string_view ahead = m_segment.substr(m_earlierEnd, m_lastStart - m_earlierEnd);
        const std::size_t made = text.size() - between.size();
        if (made > lastTarget.size() + ahead.size())
            return true;
        if (text.substr(made) != between)
            return false;
        const std::string_view inTarget = text.substr(0, made);
        if (made <= lastTarget.size())
            return lastTarget.ends_with(inTarget);
        const std::size_t inAhead = made - lastTarget.size();
        return inTarget.substr(inAhead) == lastTarget &&
               ahead.ends_with(inTarget.substr(0, inAhead));
    }

    std::string_view m_segment;
    const unsigned char* m_bytes;
    std::size_t m_readable;
    ByteWriter& m_out;
    std::size_t m_start;
    std::size_t m_copied = 0;     // the segment is written up to here
    std::size_t m_earlierEnd = 0; // the match before the last ends there
    std::size_t m_lastStart = 0;
    std::size_t m_lastEnd = 0;
    const Entry* m_last = nullptr;
    // A match starting before this could stand next to what a later source needs.
    std::size_t m_guardUntil = 0;
};

ReplacementPlan::WordHead::WordHead(std::string_view word) {
    for (std::size_t i = 0; i < word.size() && i < 8; ++i) {
        m_bytes |= std::uint64_t{static_cast<unsigned char>(word[i])} << (8 * i);
        m_mask |= std::uint64_t{0xFF} << (8 * i);
    }
}

bool ReplacementPlan::WordHead::startsAt(const unsigned char* at, std::size_t available,
                                         std::size_t readable, std::string_view word) const {
    if constexpr (std::endian::native == std::endian::little) {
        if (readable >= 8) {
            std::uint64_t bytes;
            std::memcpy(&bytes, at, sizeof bytes);
            if ((bytes & m_mask) != m_bytes)
                return false;
            return word.size() <= available &&
                   (word.size() <= 8 || occursAt(at + 8, available - 8, word.substr(8)));
        }
    }
    return occursAt(at, available, word);
}

ReplacementPlan::ReplacementPlan(const ReplacementSet& set, std::size_t blockBytes)
    : ReplacementPlan(set) {
    m_blockBytes = std::max<std::size_t>(blockBytes, 1);
}

ReplacementPlan::ReplacementPlan(const ReplacementSet& set)
    : m_table(kTableSize, 0), m_mayStart(kTableSize, 0) {
    const std::size_t rules = std::min(set.sources.size(), set.targets.size());
    for (std::size_t rule = 0; rule < rules; ++rule) {
        for (const std::string& source : set.sources[rule]) {
            if (!source.empty()) {
                Step step;
                step.source = source;
                step.target = set.targets[rule];
                m_steps.push_back(std::move(step));
            }
        }
    }
    for (std::size_t i = 0; i < m_steps.size() && i < kTableSteps; ++i)
        mark(m_steps[i].source, std::uint64_t{1} << (kLeadBits + i));
    for (Step& step : m_steps)
        step.enables = enabledBy(step.target);

    // The one pass needs every step in the table.
    m_onePass = m_steps.size() <= kTableSteps;
    for (std::size_t i = 0; m_onePass && i < m_steps.size(); ++i) {
        Step& step = m_steps[i];
        const std::vector<Replacement> later(m_steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                             m_steps.end());
        reach(step, later);
        for (std::size_t j = 0; j < i && !step.repeated; ++j)
            step.repeated = m_steps[j].source == step.source;
        if (!step.repeated)
            m_onePassSteps |= std::uint64_t{1} << (kLeadBits + i);
        step.paddedTarget = m_paddedTargets.size();
        m_paddedTargets.append(step.target);
    }
    m_paddedTargets.append(kShortPiece, '\0');
}

void ReplacementPlan::mark(std::string_view source, std::uint64_t bit) {
    // A one-byte source starts every pair that begins with its byte.
    const auto first = static_cast<unsigned char>(source[0]);
    for (unsigned second = 0; second < 256; ++second) {
        if (source.size() == 1 || static_cast<unsigned char>(source[1]) == second) {
            const std::size_t pair = pairHash(first, static_cast<unsigned char>(second));
            m_table[pair] |= bit;
            m_mayStart[pair] = 1;
        }
    }
}

void ReplacementPlan::reach(Entry& entry, std::span<const Replacement> later) {
    const std::string_view target = entry.target;
    // A target that ends on a whole character leaves the boundaries after it alone, and
    // one that starts with a possible second byte is checked where it lands; the text
    // around it then keeps its boundaries, so a later source can newly start only on a
    // character of the target, or on one of its own characters that puts its rest over
    // the target's start.
    entry.independent = !entry.source.empty() && endsOnWholeCharacter(entry.source) &&
                        !target.empty() && endsOnWholeCharacter(target);
    entry.trailFirst =
        !target.empty() && sjis::isTrailByte(static_cast<unsigned char>(target[0])) &&
        !entry.source.empty() && !sjis::isTrailByte(static_cast<unsigned char>(entry.source[0]));
    entry.head = WordHead(entry.source);
    if (!entry.independent)
        return;
    for (const Replacement& next : later) {
        const std::string_view source = next.source;
        for (std::size_t at = 0; at < target.size(); at += sjis::charLength(target, at)) {
            const std::string_view rest = target.substr(at);
            if (rest.starts_with(source))
                entry.independent = false; // the target holds the source
            else if (source.starts_with(rest))
                entry.after.push_back(source.substr(rest.size()));
        }
        for (std::size_t at = sjis::charLength(source, 0); at < source.size();
             at += sjis::charLength(source, at)) {
            const std::string_view rest = source.substr(at);
            if (rest.starts_with(target) || target.starts_with(rest))
                entry.before.push_back(source.substr(0, at));
        }
    }
    entry.nextToLater = !entry.before.empty() || !entry.after.empty();
}

ReplacementPlan::Prelude ReplacementPlan::prepare(std::span<const Replacement> first) {
    Prelude prelude;
    prelude.m_onePass = m_onePass;
    std::vector<Replacement> later(first.begin(), first.end());
    later.insert(later.end(), m_steps.begin(), m_steps.end());
    for (std::size_t k = 0; k < first.size() && prelude.m_onePass; ++k) {
        if (first[k].source.empty())
            continue; // replaces nothing
        Prelude::Lead lead;
        lead.source = first[k].source;
        lead.target = first[k].target;
        reach(lead, std::span(later).subspan(k + 1));
        // The source's bit in the table: the one it has already, or a new one.
        std::size_t slot = 0;
        while (slot < m_leadSources.size() && m_leadSources[slot] != lead.source)
            ++slot;
        if (slot == kLeadBits) {
            prelude.m_onePass = false; // too many sources to go first: one after another
            break;
        }
        lead.bit = std::uint64_t{1} << slot;
        if (slot == m_leadSources.size()) {
            m_leadSources.emplace_back(lead.source);
            mark(lead.source, lead.bit);
        }
        prelude.m_leadBits |= lead.bit;
        lead.paddedTarget = prelude.m_paddedTargets.size();
        prelude.m_paddedTargets.append(lead.target);
        prelude.m_leads.push_back(std::move(lead));
    }
    prelude.m_paddedTargets.append(kShortPiece, '\0');
    return prelude;
}

bool ReplacementPlan::appendInOnePass(std::string_view segment, const Prelude& first,
                                      ByteWriter& out) const {
    TextScan scan(*this, segment);
    return appendInOnePass(segment, first, out, scan);
}

bool ReplacementPlan::appendInOnePass(std::string_view segment, const Prelude& first,
                                      ByteWriter& out, TextScan& scan) const {
    if (!m_onePass || !first.m_onePass)
        return false;
    const std::uint64_t looked = m_onePassSteps | first.m_leadBits;
    if (looked == 0) {
        out.append(segment);
        return true;
    }
    const auto offset = static_cast<std::size_t>(segment.data() - scan.text().data());
    const std::size_t readable = scan.text().size() - offset;
    OnePass pass(segment, readable, out);
    const unsigned char* bytes = pass.bytes();
    const std::size_t size = segment.size();
    const std::uint64_t* table = m_table.data();
    // Takes every match that starts at `at`, from the sources `starting` there; false
    // when the pass cannot tell the result.
    auto takeMatchesAt = [&](std::size_t at, std::uint64_t starting) {
        const unsigned char* here = bytes + at;
        const std::size_t available = size - at;
        const std::size_t readableHere = readable - at;
        if (starting & first.m_leadBits) {
            // In their order, before the set's own.
            for (const Prelude::Lead& lead : first.m_leads) {
                if ((starting & lead.bit) &&
                    lead.head.startsAt(here, available, readableHere, lead.source) &&
                    !pass.take(at, lead, first.m_paddedTargets.data() + lead.paddedTarget))
                    return false;
            }
        }
        for (std::uint64_t steps = starting >> kLeadBits; steps; steps &= steps - 1) {
            const Step& step = m_steps[static_cast<std::size_t>(std::countr_zero(steps))];
            if (step.head.startsAt(here, available, readableHere, step.source) &&
                !pass.take(at, step, m_paddedTargets.data() + step.paddedTarget))
                return false;
        }
        return true;
    };
    // The scan tells the places, a block at a time, that start a character and where
    // some source may start; the table then tells which of this segment's sources may.
    const std::size_t end = offset + size;
    for (std::size_t from = offset; from < end;) {
        std::size_t block = 0;
        for (std::uint64_t places = scan.placesIn(from, end, block); places != 0;
             places &= places - 1) {
            const std::size_t at =
                block + static_cast<std::size_t>(std::countr_zero(places)) - offset;
            const unsigned next = at + 1 < size ? bytes[at + 1] : 0;
            const std::uint64_t starting = table[pairHash(bytes[at], next)] & looked;
            if (starting != 0 && !takeMatchesAt(at, starting)) {
                pass.abandon();
                return false;
            }
        }
        from = block + TextScan::kBlock;
    }
    pass.finish();
    return true;
}

std::uint64_t ReplacementPlan::candidates(std::string_view segment) const {
    std::uint64_t found = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(segment.data());
    const std::size_t size = segment.size();
    for (std::size_t i = 0; i < size; ++i)
        found |= startingWith(bytes[i], i + 1 < size ? bytes[i + 1] : 0);
    return found >> kLeadBits;
}

std::uint64_t ReplacementPlan::enabledBy(std::string_view target) const {
    if (target.empty())
        return ~std::uint64_t{0};
    std::uint64_t enables = candidates(target);
    for (std::size_t j = 0; j < m_steps.size() && j < kTableSteps; ++j) {
        const std::string_view source = m_steps[j].source;
        if (source.front() == target.back() || (source.size() > 1 && source[1] == target.front()))
            enables |= std::uint64_t{1} << j;
    }
    return enables;
}

void ReplacementPlan::apply(std::string& segment, std::string& buffer) const {
    if (feedsInBlocks(segment.size())) {
        buffer.clear();
        appendInBlocks(segment, {}, buffer);
        segment.swap(buffer);
        return;
    }
    std::uint64_t possible = candidates(segment);
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        if (i < kTableSteps && (possible & (std::uint64_t{1} << i)) == 0)
            continue;
        if (sjis::replaceAll(segment, m_steps[i].source, m_steps[i].target, buffer) > 0)
            possible |= m_steps[i].enables;
    }
}

void ReplacementPlan::appendInBlocks(std::string_view segment, std::span<const Replacement> first,
                                     std::string& out, const BlockSink& afterBlock) const {
    // Every step joins the chain. Whether it finds anything is only known once a block
    // reaches it, and a step that finds nothing costs one memchr over a block in the
    // cache: less than a pass over the whole segment to rule it out beforehand.
    std::vector<sjis::StreamReplacer> chain;
    chain.reserve(first.size() + m_steps.size());
    for (const Replacement& replacement : first)
        chain.emplace_back(replacement.source, replacement.target);
    for (const Step& step : m_steps)
        chain.emplace_back(step.source, step.target);
    if (chain.empty() && !afterBlock) {
        out.append(segment);
        return;
    }
    for (std::size_t at = 0; at < segment.size(); at += m_blockBytes) {
        const std::string_view block = segment.substr(at, m_blockBytes);
        if (chain.empty()) {
            out.append(block);
        } else {
            const bool last = segment.size() - at <= m_blockBytes;
            chain.front().input().append(block);
            for (std::size_t k = 0; k < chain.size(); ++k)
                chain[k].drain(k + 1 < chain.size() ? chain[k + 1].input() : out, last);
        }
        if (afterBlock && !afterBlock(out))
            return;
    }
}

} // namespace mireto
