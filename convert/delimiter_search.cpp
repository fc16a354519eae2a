#include "convert/delimiter_search.h"

#include "convert/sjis_text.h"

#include <bit>
#include <cassert>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mireto {

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

namespace {

// Where the needles start among the kBlock places from `bytes`, of which one more
// byte can be read.
std::uint64_t startsAmong(const unsigned char* bytes, std::size_t count,
                          const std::array<std::array<unsigned char, 16>, 8>& lanes) {
    std::uint64_t starts = 0;
#if defined(__SSE2__)
    __m128i first[4];
    __m128i second[4];
    for (std::size_t k = 0; k < count; ++k) {
        first[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[2 * k].data()));
        second[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[2 * k + 1].data()));
    }
    for (std::size_t chunk = 0; chunk < DelimiterSearch::kBlock; chunk += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + chunk));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + chunk + 1));
        __m128i hits =
            _mm_and_si128(_mm_cmpeq_epi8(here, first[0]), _mm_cmpeq_epi8(after, second[0]));
        for (std::size_t k = 1; k < count; ++k)
            hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(here, first[k]),
                                                    _mm_cmpeq_epi8(after, second[k])));
        starts |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(hits))} << chunk;
    }
#else
    for (std::size_t at = 0; at < DelimiterSearch::kBlock; ++at) {
        for (std::size_t k = 0; k < count; ++k) {
            if (bytes[at] == lanes[2 * k][0] && bytes[at + 1] == lanes[2 * k + 1][0])
                starts |= std::uint64_t{1} << at;
        }
    }
#endif
    return starts;
}

} // namespace

std::uint64_t DelimiterSearch::NeedleStarts::operator()(const unsigned char* bytes) const {
    return startsAmong(bytes, m_search->m_count, m_search->m_lanes);
}

std::size_t DelimiterSearch::Scan::find(std::size_t from) {
    const std::size_t size = m_places.text().size();
    if (!m_search || m_search->m_count == 0 || from + 1 >= size)
        return npos;
    // A needle needs a second byte: none starts at the last place.
    const std::size_t at = m_places.next(from, size - 1);
    return at == size - 1 ? npos : at;
}

} // namespace mireto
