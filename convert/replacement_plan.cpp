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
constexpr auto kTrailBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = sjis::isTrailByte(static_cast<unsigned char>(c));
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

// Pieces up to this size are copied in one move of this size, from a source and to a
// destination that both have room for it.
constexpr std::size_t kShortPiece = 16;

} // namespace

class ReplacementPlan::OnePass {
public:
    using Replacement = ReplacementPlan::Replacement;
    using Reach = ReplacementPlan::Reach;

    OnePass(std::string_view segment, std::string& out)
        : m_segment(segment), m_out(out), m_start(out.size()) {}

    std::string_view segment() const { return m_segment; }

    // A match of `step` at `at`; false when the pass cannot tell the result.
    bool take(std::size_t at, std::size_t step, const Replacement& r, const Reach& reach,
              const char* paddedTarget) {
        if (at < m_lastEnd)
            return m_lastStep == step; // inside its own last match: not a match of its own
        if (!reach.independent || (reach.trailFirst && afterLoneLead) || at < m_guardUntil)
            return false;
        // Next to text that a later source needs, one after another would find more.
        for (std::string_view before : reach.before) {
            if (before.size() <= at && isBefore(at, before))
                return false;
        }
        const std::size_t end = at + r.source.size();
        for (std::string_view after : reach.after) {
            if (m_segment.substr(end).starts_with(after))
                return false;
            m_guardUntil = std::max(m_guardUntil, end + after.size());
        }
        if (m_pending == m_made.size())
            flush();
        m_made[m_pending++] = {at, end, paddedTarget, r.target.size()};
        m_earlierEnd = m_lastEnd;
        m_lastStart = at;
        m_lastEnd = end;
        m_lastTarget = r.target;
        m_lastStep = step;
        return true;
    }

    void finish() { flush(true); }
    void abandon() { m_out.resize(m_start); }

    // The character before the current one is a lead byte standing alone.
    bool afterLoneLead = false;

private:
    struct Made {
        std::size_t at;
        std::size_t end;
        const char* target; // with kShortPiece bytes to read
        std::size_t targetSize;
    };

    // Writes the matches taken so far, with the text before each (and, at the end, the
    // rest of the segment), in one go.
    void flush(bool last = false) {
        std::size_t bytes = 0;
        std::size_t copied = m_copied;
        for (std::size_t i = 0; i < m_pending; ++i) {
            bytes += m_made[i].at - copied + m_made[i].targetSize;
            copied = m_made[i].end;
        }
        if (last)
            bytes += m_segment.size() - copied;
        const std::size_t start = m_out.size();
        // Room for a short piece's whole move past the end; cut off again below.
        m_out.resize(start + bytes + kShortPiece);
        char* to = m_out.data() + start;
        for (std::size_t i = 0; i < m_pending; ++i) {
            const Made& made = m_made[i];
            to = copyText(to, made.at);
            if (made.targetSize <= kShortPiece)
                std::memcpy(to, made.target, kShortPiece);
            else
                std::memcpy(to, made.target, made.targetSize);
            to += made.targetSize;
            m_copied = made.end;
        }
        if (last)
            copyText(to, m_segment.size());
        m_out.resize(start + bytes);
        m_pending = 0;
    }

    // Copies the segment from m_copied up to `until` to `to`; returns the end.
    char* copyText(char* to, std::size_t until) const {
        const std::size_t n = until - m_copied;
        if (n <= kShortPiece && m_copied + kShortPiece <= m_segment.size())
            std::memcpy(to, m_segment.data() + m_copied, kShortPiece);
        else
            std::memcpy(to, m_segment.data() + m_copied, n);
        return to + n;
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
        const std::string_view between = m_segment.substr(m_lastEnd, at - m_lastEnd);
        const std::string_view ahead = m_segment.substr(m_earlierEnd, m_lastStart - m_earlierEnd);
        const std::size_t made = text.size() - between.size();
        if (made > m_lastTarget.size() + ahead.size())
            return true;
        if (text.substr(made) != between)
            return false;
        const std::string_view inTarget = text.substr(0, made);
        if (made <= m_lastTarget.size())
            return m_lastTarget.ends_with(inTarget);
        const std::size_t inAhead = made - m_lastTarget.size();
        return inTarget.substr(inAhead) == m_lastTarget &&
               ahead.ends_with(inTarget.substr(0, inAhead));
    }

    std::string_view m_segment;
    std::string& m_out;
    std::size_t m_start;
    std::size_t m_copied = 0;    // the segment is written up to here
    std::array<Made, 16> m_made; // taken, not written yet (filled as they come)
    std::size_t m_pending = 0;
    std::size_t m_earlierEnd = 0; // the match before the last ends there
    std::size_t m_lastStart = 0;
    std::size_t m_lastEnd = 0;
    std::string_view m_lastTarget;
    std::size_t m_lastStep = SIZE_MAX;
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
                                         std::string_view word) const {
    if constexpr (std::endian::native == std::endian::little) {
        if (available >= 8) {
            std::uint64_t bytes;
            std::memcpy(&bytes, at, sizeof bytes);
            if ((bytes & m_mask) != m_bytes)
                return false;
            return word.size() <= 8 || occursAt(at + 8, available - 8, word.substr(8));
        }
    }
    return occursAt(at, available, word);
}

ReplacementPlan::ReplacementPlan(const ReplacementSet& set, std::size_t blockBytes)
    : ReplacementPlan(set) {
    m_blockBytes = std::max<std::size_t>(blockBytes, 1);
}

ReplacementPlan::ReplacementPlan(const ReplacementSet& set) : m_byPair(1u << kHashBits, 0) {
    const std::size_t rules = std::min(set.sources.size(), set.targets.size());
    for (std::size_t rule = 0; rule < rules; ++rule) {
        for (const std::string& source : set.sources[rule]) {
            if (!source.empty())
                m_steps.push_back({{source, set.targets[rule]}, 0, {}, false, {}});
        }
    }
    for (std::size_t i = 0; i < m_steps.size() && i < 64; ++i) {
        const std::string_view source = m_steps[i].source;
        const std::uint64_t bit = std::uint64_t{1} << i;
        const auto first = static_cast<unsigned char>(source[0]);
        if (source.size() == 1)
            m_byByte[first] |= bit;
        else
            m_byPair[pairHash(first, static_cast<unsigned char>(source[1]))] |= bit;
    }
    for (Step& step : m_steps)
        step.enables = enabledBy(step.target);

    // The one pass needs every step in the tables.
    m_onePass = m_steps.size() <= 64;
    for (std::size_t i = 0; m_onePass && i < m_steps.size(); ++i) {
        Step& step = m_steps[i];
        const std::vector<Replacement> later(m_steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                             m_steps.end());
        step.reach = reachOf(step, later);
        for (std::size_t j = 0; j < i && !step.repeated; ++j)
            step.repeated = m_steps[j].source == step.source;
        if (!step.repeated)
            m_onePassSteps |= std::uint64_t{1} << i;
        step.head = WordHead(step.source);
    }
    if (m_onePass) {
        fillStartPairs();
        for (Step& step : m_steps) {
            step.reach.paddedTarget = m_paddedTargets.size();
            m_paddedTargets.append(step.target);
        }
        m_paddedTargets.append(kShortPiece, '\0');
    }
}

void ReplacementPlan::fillStartPairs() {
    // A one-byte source starts every pair that begins with its byte.
    m_startPairs.assign((std::size_t{1} << 16) / 64, 0);
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        const std::string_view source = m_steps[i].source;
        if ((m_onePassSteps >> i & 1) == 0)
            continue;
        const unsigned first = static_cast<unsigned char>(source[0]) << 8;
        for (unsigned second = 0; second < 256; ++second) {
            if (source.size() == 1 || static_cast<unsigned char>(source[1]) == second)
                m_startPairs[(first | second) / 64] |= std::uint64_t{1} << ((first | second) % 64);
        }
    }
}

ReplacementPlan::Reach ReplacementPlan::reachOf(const Replacement& step,
                                                std::span<const Replacement> later) {
    Reach reach;
    const std::string_view target = step.target;
    // A target that ends on a whole character leaves the boundaries after it alone, and
    // one that starts with a possible second byte is checked where it lands; the text
    // around it then keeps its boundaries, so a later source can newly start only on a
    // character of the target, or on one of its own characters that puts its rest over
    // the target's start.
    reach.independent = !step.source.empty() && endsOnWholeCharacter(step.source) &&
                        !target.empty() && endsOnWholeCharacter(target);
    reach.trailFirst = !target.empty() && sjis::isTrailByte(static_cast<unsigned char>(target[0]));
    if (!reach.independent)
        return reach;
    for (const Replacement& next : later) {
        const std::string_view source = next.source;
        for (std::size_t at = 0; at < target.size(); at += sjis::charLength(target, at)) {
            const std::string_view rest = target.substr(at);
            if (rest.starts_with(source))
                reach.independent = false; // the target holds the source
            else if (source.starts_with(rest))
                reach.after.push_back(source.substr(rest.size()));
        }
        for (std::size_t at = sjis::charLength(source, 0); at < source.size();
             at += sjis::charLength(source, at)) {
            const std::string_view rest = source.substr(at);
            if (rest.starts_with(target) || target.starts_with(rest))
                reach.before.push_back(source.substr(0, at));
        }
    }
    return reach;
}

ReplacementPlan::Prelude ReplacementPlan::prepare(std::span<const Replacement> first) const {
    Prelude prelude;
    std::vector<Replacement> later(first.begin(), first.end());
    later.insert(later.end(), m_steps.begin(), m_steps.end());
    for (std::size_t k = 0; k < first.size(); ++k) {
        const std::span<const Replacement> after(later.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                                                 later.end());
        prelude.m_leads.push_back({first[k], reachOf(first[k], after)});
        prelude.m_leads.back().reach.paddedTarget = prelude.m_paddedTargets.size();
        prelude.m_paddedTargets.append(first[k].target);
        if (!first[k].source.empty())
            prelude.m_startsLead[static_cast<unsigned char>(first[k].source[0])] = true;
    }
    prelude.m_paddedTargets.append(kShortPiece, '\0');
    return prelude;
}

bool ReplacementPlan::appendInOnePass(std::string_view segment, const Prelude& first,
                                      std::string& out) const {
    if (!m_onePass)
        return false;
    if (first.m_leads.empty() && m_steps.empty()) {
        out.append(segment);
        return true;
    }
    OnePass pass(segment, out);
    const auto* bytes = reinterpret_cast<const unsigned char*>(segment.data());
    const std::size_t size = segment.size();
    const std::uint64_t* startPairs = m_startPairs.data();
    const bool* startsLead = first.m_startsLead.data();
    // Character by character; the table of the sources' first two bytes tells in one
    // look whether a character may start one (a lone byte at the end pairs with 0,
    // which is no second byte). Whether it does is as good as random in a text, so
    // the characters that may are gathered first, without a branch, then tried.
    std::array<std::uint64_t, 64> found; // start << 1 | whether a lone lead byte is before
    bool afterLoneLead = false;
    for (std::size_t at = 0; at < size;) {
        std::size_t count = 0;
        for (; at < size && count < found.size();) {
            const unsigned byte = bytes[at];
            const unsigned next = at + 1 < size ? bytes[at + 1] : 0;
            found[count] = at << 1 | afterLoneLead;
            const unsigned pair = byte << 8 | next;
            count += ((startPairs[pair / 64] >> (pair % 64)) & 1) | startsLead[byte];
            const bool lead = kLeadBytes[byte];
            const bool pairs = lead & kTrailBytes[next];
            afterLoneLead = lead & !pairs;
            at += 1 + pairs;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!takeMatchesAt(pass, found[i] >> 1, found[i] & 1, first)) {
                pass.abandon();
                return false;
            }
        }
    }
    pass.finish();
    return true;
}

bool ReplacementPlan::takeMatchesAt(OnePass& pass, std::size_t at, bool afterLoneLead,
                                    const Prelude& first) const {
    const std::string_view segment = pass.segment();
    const auto* bytes = reinterpret_cast<const unsigned char*>(segment.data()) + at;
    const std::size_t available = segment.size() - at;
    const unsigned next = available > 1 ? bytes[1] : 0;
    pass.afterLoneLead = afterLoneLead;
    const std::vector<Prelude::Lead>& leads = first.m_leads;
    for (std::size_t k = 0; first.m_startsLead[bytes[0]] && k < leads.size(); ++k) {
        const Prelude::Lead& lead = leads[k];
        if (occursAt(bytes, available, lead.replacement.source) &&
            !pass.take(at, k, lead.replacement, lead.reach,
                       first.m_paddedTargets.data() + lead.reach.paddedTarget))
            return false;
    }
    for (std::uint64_t candidates =
             (m_byByte[bytes[0]] | m_byPair[pairHash(bytes[0], static_cast<unsigned char>(next))]) &
             m_onePassSteps;
         candidates; candidates &= candidates - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(candidates));
        const Step& step = m_steps[i];
        if (step.head.startsAt(bytes, available, step.source) &&
            !pass.take(at, leads.size() + i, step, step.reach,
                       m_paddedTargets.data() + step.reach.paddedTarget))
            return false;
    }
    return true;
}

std::uint64_t ReplacementPlan::candidates(std::string_view segment) const {
    std::uint64_t found = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(segment.data());
    const std::size_t size = segment.size();
    for (std::size_t i = 0; i < size; ++i) {
        found |= m_byByte[bytes[i]];
        if (i + 1 < size)
            found |= m_byPair[pairHash(bytes[i], bytes[i + 1])];
    }
    return found;
}

std::uint64_t ReplacementPlan::enabledBy(std::string_view target) const {
    if (target.empty())
        return ~std::uint64_t{0};
    std::uint64_t enables = candidates(target);
    for (std::size_t j = 0; j < m_steps.size() && j < 64; ++j) {
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
        if (i < 64 && (possible & (std::uint64_t{1} << i)) == 0)
            continue;
        if (sjis::replaceAll(segment, m_steps[i].source, m_steps[i].target, buffer) > 0)
            possible |= m_steps[i].enables;
    }
}

void ReplacementPlan::appendInBlocks(std::string_view segment, std::span<const Replacement> first,
                                     std::string& out) const {
    // Every step joins the chain. Whether it finds anything is only known once a block
    // reaches it, and a step that finds nothing costs one memchr over a block in the
    // cache: less than a pass over the whole segment to rule it out beforehand.
    std::vector<sjis::StreamReplacer> chain;
    chain.reserve(first.size() + m_steps.size());
    for (const Replacement& replacement : first)
        chain.emplace_back(replacement.source, replacement.target);
    for (const Step& step : m_steps)
        chain.emplace_back(step.source, step.target);
    if (chain.empty()) {
        out.append(segment);
        return;
    }
    for (std::size_t at = 0; at < segment.size(); at += m_blockBytes) {
        const bool last = segment.size() - at <= m_blockBytes;
        chain.front().input().append(segment.substr(at, m_blockBytes));
        for (std::size_t k = 0; k < chain.size(); ++k)
            chain[k].drain(k + 1 < chain.size() ? chain[k + 1].input() : out, last);
    }
}

} // namespace mireto
