#include "convert/sjis_text.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace mireto::sjis {

namespace {

// Tells whether a byte offset starts a character, given one offset already known to.
// Candidates come from a fast byte search (byteSearch below); only at a candidate does
// it look back over the run of bytes that could be lead bytes just before it: the run
// starts on a boundary and its bytes pair up from there, so its length's parity decides.
// The known boundary moves forward with every answer, which keeps the work linear.
class BoundaryCursor {
public:
    BoundaryCursor(std::string_view text, std::size_t knownBoundary)
        : m_text(text), m_known(knownBoundary) {}

    // True when `candidate` (>= the known boundary) starts a character.
    bool isBoundary(std::size_t candidate) {
        std::size_t runStart = candidate;
        while (runStart > m_known && isLeadByte(byteAt(runStart - 1)))
            --runStart;
        if ((candidate - runStart) % 2 == 0) {
            m_known = candidate;
            return true;
        }
        // The byte before the candidate is a lead byte on a boundary: it pairs with the
        // candidate unless the candidate cannot be a second byte.
        m_known = candidate - 1;
        if (candidate < m_text.size() && isTrailByte(byteAt(candidate)))
            return false;
        m_known = candidate;
        return true;
    }

private:
    unsigned char byteAt(std::size_t pos) const { return static_cast<unsigned char>(m_text[pos]); }

    std::string_view m_text;
    std::size_t m_known;
};

// Plain byte search. It looks for the needle's last byte with memchr: in Japanese
// text the second byte of a character is far rarer than the common lead bytes, and
// for the delimiters it is "B" (。), "A" (、) or LF, rare bytes indeed.
std::size_t byteSearch(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t last = needle.size() - 1;
    if (from > text.size() || text.size() - from < needle.size())
        return npos;
    const char* begin = text.data();
    const char* scan = begin + from + last;
    const char* end = begin + text.size();
    while (scan < end) {
        const void* hit = std::memchr(scan, needle[last], static_cast<std::size_t>(end - scan));
        if (!hit)
            return npos;
        const char* at = static_cast<const char*>(hit) - last;
        // The last byte is the one memchr found. Needles are short words: comparing
        // the rest in place beats a call.
        std::size_t same = 0;
        while (same < last && at[same] == needle[same])
            ++same;
        if (same == last)
            return static_cast<std::size_t>(at - begin);
        scan = static_cast<const char*>(hit) + 1;
    }
    return npos;
}

std::size_t findWith(BoundaryCursor& cursor, std::string_view text, std::string_view needle,
                     std::size_t from) {
    for (std::size_t candidate = byteSearch(text, needle, from); candidate != npos;
         candidate = byteSearch(text, needle, candidate + 1)) {
        if (cursor.isBoundary(candidate))
            return candidate;
    }
    return npos;
}

} // namespace

std::size_t find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from >= text.size())
        return npos;
    BoundaryCursor cursor(text, from);
    return findWith(cursor, text, needle, from);
}

PairSearch::PairSearch(std::span<const std::string_view> needles) : m_count(needles.size()) {
    assert(needles.size() <= kMaxNeedles);
    for (std::size_t k = 0; k < needles.size(); ++k) {
        assert(needles[k].size() == 2);
        m_lanes[2 * k].fill(static_cast<unsigned char>(needles[k][0]));
        m_lanes[2 * k + 1].fill(static_cast<unsigned char>(needles[k][1]));
    }
}

std::size_t PairSearch::find(std::string_view text, std::size_t from) const {
    return Scan(*this, text).find(from);
}

std::size_t PairSearch::Scan::find(std::size_t from) {
    switch (m_search ? m_search->m_count : 0) {
    case 1:
        return findAny<1>(from);
    case 2:
        return findAny<2>(from);
    case 3:
        return findAny<3>(from);
    case 4:
        return findAny<4>(from);
    default:
        return npos;
    }
}

template <std::size_t Needles> std::size_t PairSearch::Scan::findAny(std::size_t from) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
    const std::size_t size = m_text.size();
    BoundaryCursor cursor(m_text, from);
    // The first needle starting in `hits` (places from `block`) at or after `from`.
    auto firstIn = [&](std::size_t block, const std::uint64_t(&hits)[2]) {
        const std::size_t skip = from > block ? from - block : 0; // places before `from`
        for (std::size_t half = 0; half < 2; ++half) {
            const std::size_t below =
                std::min<std::size_t>(skip > 8 * half ? skip - 8 * half : 0, 8);
            std::uint64_t lanes = below == 8 ? 0 : hits[half] & (~std::uint64_t{0} << (8 * below));
            while (lanes != 0) {
                const auto lane = static_cast<std::size_t>(std::countr_zero(lanes) / 8);
                if (cursor.isBoundary(block + 8 * half + lane))
                    return block + 8 * half + lane;
                lanes &= ~(std::uint64_t{0xFF} << (8 * lane));
            }
        }
        return npos;
    };
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        if (m_block != npos && from >= m_block && from < m_block + 16) {
            if (const std::size_t found = firstIn(m_block, m_hits); found != npos)
                return found;
            at = m_block + 16;
        }
        // Sixteen places at a time: a lane is all ones where a needle starts.
        using Lanes = unsigned char __attribute__((vector_size(16)));
        Lanes needle[2 * Needles];
        std::memcpy(needle, m_search->m_lanes.data(), sizeof needle);
        for (; at + 17 <= size; at += 16) {
            Lanes here;
            Lanes after;
            std::memcpy(&here, bytes + at, sizeof here);
            std::memcpy(&after, bytes + at + 1, sizeof after);
            auto hits = (here == needle[0]) & (after == needle[1]);
            for (std::size_t k = 1; k < Needles; ++k)
                hits |= (here == needle[2 * k]) & (after == needle[2 * k + 1]);
            static_assert(sizeof hits == sizeof m_hits);
            std::memcpy(m_hits, &hits, sizeof m_hits);
            m_block = at;
            if (const std::size_t found = firstIn(at, m_hits); found != npos)
                return found;
        }
    }
    const auto& lanes = m_search->m_lanes;
    for (; at + 1 < size; ++at) {
        for (std::size_t k = 0; k < Needles; ++k) {
            if (bytes[at] == lanes[2 * k][0] && bytes[at + 1] == lanes[2 * k + 1][0] &&
                cursor.isBoundary(at))
                return at;
        }
    }
    return npos;
}

std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string buffer;
    return replaceAll(text, from, to, buffer);
}

std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to,
                       std::string& buffer) {
    if (from.empty())
        return 0;
    const std::string_view source(text);
    BoundaryCursor cursor(source, 0);
    std::size_t match = findWith(cursor, source, from, 0);
    if (match == npos)
        return 0;

    std::string& result = buffer;
    result.clear();
    std::size_t copied = 0;
    std::size_t count = 0;
    while (match != npos) {
        result.append(source, copied, match - copied);
        result.append(to);
        copied = match + from.size();
        ++count;
        match = findWith(cursor, source, from, copied);
    }
    result.append(source, copied);
    text.swap(result);
    return count;
}

std::size_t StreamReplacer::drain(std::string& out, bool last) {
    const std::string_view input(m_input);
    const std::size_t size = input.size();
    if (m_from.empty()) {
        out.append(input.substr(m_covered));
        m_input.clear();
        m_covered = 0;
        return 0;
    }
    BoundaryCursor cursor(input, 0);
    std::size_t copied = m_covered;
    std::size_t lastMatch = 0;
    std::size_t count = 0;
    // A match that fits wholly in the input is settled: whether it starts on a
    // character boundary depends only on the bytes before it.
    for (std::size_t match = findWith(cursor, input, m_from, copied); match != npos;
         match = findWith(cursor, input, m_from, copied)) {
        out.append(input.substr(copied, match - copied));
        out.append(m_to);
        copied = match + m_from.size();
        lastMatch = match;
        ++count;
    }
    if (last || size == 0) {
        out.append(input.substr(std::min(copied, size)));
        m_input.clear();
        m_covered = 0;
        return count;
    }
    // A match may still start where the needle does not fit yet. Keep from a character
    // boundary at or before the first such place, judged with the byte after it in
    // hand, so that the next drain starts from a boundary again.
    const std::size_t open = size >= m_from.size() ? size - m_from.size() + 1 : 0;
    const std::size_t probe = std::min(std::max(copied, open), size - 1);
    BoundaryCursor back(input, lastMatch);
    const std::size_t keep = back.isBoundary(probe) ? probe : probe - 1;
    if (keep > copied)
        out.append(input.substr(copied, keep - copied));
    m_covered = copied > keep ? copied - keep : 0;
    m_input.erase(0, keep);
    return count;
}

} // namespace mireto::sjis
