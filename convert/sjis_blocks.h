// Shift_JIS character boundaries sixty-four bytes at a time: which bytes of a block are
// the second byte of a two-byte character, found with a few operations on bit masks
// instead of a walk from character to character, so that nothing waits on the byte
// before.
//
// A byte is a second byte when the byte before it is a lead byte that starts a
// character and it is itself a trail byte. Within a run of bytes that could each be the
// second byte of the one before (every lead byte can also be a trail byte), the first
// pairs with the byte before the run, the next starts a character, and so on: the
// second bytes are every other byte of the run, from its start.
#pragma once

#include "convert/sjis_text.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mireto::sjis {

// Lead bytes and trail bytes among 64 bytes, one bit each.
struct ByteKinds {
    std::uint64_t lead = 0;
    std::uint64_t trail = 0;
};

#if defined(__SSE2__)
namespace detail {
// Bytes of `v` from `low` to `high`, as 0xFF each.
inline __m128i inRange(__m128i v, unsigned char low, unsigned char high) {
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(low)));
    const __m128i span = _mm_set1_epi8(static_cast<char>(high - low));
    return _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);
}
} // namespace detail
#endif

// The kinds of the 64 bytes at `bytes`.
inline ByteKinds kindsOf64(const unsigned char* bytes) {
    ByteKinds kinds;
#if defined(__SSE2__)
    for (int chunk = 0; chunk < 64; chunk += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + chunk));
        const __m128i lead =
            _mm_or_si128(detail::inRange(v, 0x81, 0x9F), detail::inRange(v, 0xE0, 0xFC));
        const __m128i trail =
            _mm_or_si128(detail::inRange(v, 0x40, 0x7E), detail::inRange(v, 0x80, 0xFC));
        kinds.lead |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(lead))} << chunk;
        kinds.trail |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(trail))} << chunk;
    }
#else
    for (int at = 0; at < 64; ++at) {
        kinds.lead |= std::uint64_t{isLeadByte(bytes[at])} << at;
        kinds.trail |= std::uint64_t{isTrailByte(bytes[at])} << at;
    }
#endif
    return kinds;
}

// Second bytes block after block, from the start of a text (which starts a character).
class SecondBytes {
public:
    // The second bytes among the next 64 bytes, of kinds `kinds`.
    std::uint64_t next(ByteKinds kinds) {
        constexpr std::uint64_t kEven = 0x5555555555555555;
        // Bytes that could be the second byte of the one before.
        const std::uint64_t joins = (kinds.lead << 1 | m_leadBefore) & kinds.trail;
        std::uint64_t evenStarts = joins & ~(joins << 1) & kEven;
        // A run going on from the block before, whose last byte was a second byte,
        // starts a character here: its second bytes fall at odd places.
        if (m_secondBefore)
            evenStarts &= ~std::uint64_t{1};
        // Adding one at a run's start clears the run.
        const std::uint64_t inEvenRuns = joins & ~(joins + evenStarts);
        const std::uint64_t inOddRuns = joins & ~inEvenRuns;
        const std::uint64_t second = (inEvenRuns & kEven) | (inOddRuns & ~kEven);
        m_leadBefore = kinds.lead >> 63;
        m_secondBefore = second >> 63;
        return second;
    }

private:
    std::uint64_t m_leadBefore = 0;   // the block before ended on a lead byte
    std::uint64_t m_secondBefore = 0; // on a second byte
};

} // namespace mireto::sjis
