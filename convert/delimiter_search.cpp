#include "convert/delimiter_search.h"

#include "convert/sjis_text.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace mireto {

namespace {

using sjis::BoundaryCursor;

// DelimiterSearch for needles far apart: each needle's second byte is looked for with memchr,
// as in byteSearch, and the nearest occurrence checked first, so that the boundary
// cursor moves forward. `lanes` holds each needle's first and second byte, in turn.
template <std::size_t Needles, typename Lanes>
std::size_t findFar(std::string_view text, const Lanes& lanes, std::size_t from,
                    BoundaryCursor& cursor) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    // Where needle k next occurs at or after `at`, character boundaries aside.
    auto occurrence = [&](std::size_t k, std::size_t at) {
        for (std::size_t scan = at + 1; scan < size;) {
            const void* hit = std::memchr(bytes + scan, lanes[2 * k + 1][0], size - scan);
            if (!hit)
                return DelimiterSearch::npos;
            const auto second =
                static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - bytes);
            if (bytes[second - 1] == lanes[2 * k][0])
                return second - 1;
            scan = second + 1;
        }
        return DelimiterSearch::npos;
    };
    std::array<std::size_t, Needles> next;
    for (std::size_t k = 0; k < Needles; ++k)
        next[k] = occurrence(k, from);
    while (true) {
        const auto nearest =
            static_cast<std::size_t>(std::min_element(next.begin(), next.end()) - next.begin());
        if (next[nearest] == DelimiterSearch::npos)
            return DelimiterSearch::npos;
        if (cursor.isBoundary(next[nearest]))
            return next[nearest];
        next[nearest] = occurrence(nearest, next[nearest] + 1);
    }
}

} // namespace

DelimiterSearch::DelimiterSearch(std::span<const std::string_view> needles)
    : m_count(needles.size()) {
    assert(needles.size() <= kMaxNeedles);
    for (std::size_t k = 0; k < needles.size(); ++k) {
        assert(needles[k].size() == 2);
        m_lanes[2 * k].fill(static_cast<unsigned char>(needles[k][0]));
        m_lanes[2 * k + 1].fill(static_cast<unsigned char>(needles[k][1]));
    }
}

std::size_t DelimiterSearch::find(std::string_view text, std::size_t from) const {
    return Scan(*this, text).find(from);
}

std::size_t DelimiterSearch::Scan::find(std::size_t from) {
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

template <std::size_t Needles> std::size_t DelimiterSearch::Scan::findAny(std::size_t from) {
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
        for (std::size_t blocks = 0; at + 17 <= size; at += 16, ++blocks) {
            // Needles this far apart are faster found with memchr, one by one.
            if (blocks == kNearBlocks) {
                m_block = npos;
                return findFar<Needles>(m_text, m_search->m_lanes, at, cursor);
            }
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

} // namespace mireto
