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

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mireto {

// Lead bytes and trail bytes among 64 bytes, one bit each.
struct SjisByteKinds {
    std::uint64_t lead = 0;
    std::uint64_t trail = 0;
};

#if defined(__SSE2__)
namespace sjis_blocks_detail {
// Bytes of `v` from `low` to `high`, as 0xFF each.
inline __m128i inRange(__m128i v, unsigned char low, unsigned char high) {
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(low)));
    const __m128i span = _mm_set1_epi8(static_cast<char>(high - low));
    return _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);
}
} // namespace sjis_blocks_detail
#endif

// The kinds of the 64 bytes at `bytes`.
inline SjisByteKinds sjisKindsOf64(const unsigned char* bytes) {
    SjisByteKinds kinds;
#if defined(__SSE2__)
    for (int chunk = 0; chunk < 64; chunk += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + chunk));
        const __m128i lead = _mm_or_si128(sjis_blocks_detail::inRange(v, 0x81, 0x9F),
                                          sjis_blocks_detail::inRange(v, 0xE0, 0xFC));
        const __m128i trail = _mm_or_si128(sjis_blocks_detail::inRange(v, 0x40, 0x7E),
                                           sjis_blocks_detail::inRange(v, 0x80, 0xFC));
        kinds.lead |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(lead))} << chunk;
        kinds.trail |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(trail))} << chunk;
    }
#else
    for (int at = 0; at < 64; ++at) {
        const unsigned char c = bytes[at];
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        const bool trail = (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
        kinds.lead |= std::uint64_t{lead} << at;
        kinds.trail |= std::uint64_t{trail} << at;
    }
#endif
    return kinds;
}

// Second bytes block after block, from the start of a text (which starts a character).
class SjisSecondBytes {
public:
    // The second bytes among the next 64 bytes, of kinds `kinds`.
    std::uint64_t next(SjisByteKinds kinds) {
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

// Places in a text, a block of 64 at a time, that start a character and that `Marks`
// marks: `marks(bytes)` gives one bit for each of the 64 places at `bytes`, where 65
// bytes can be read (the end of the text is read from a copy padded with zeros). Places
// are asked for in order, so that every block is looked at once.
template <class Marks> class SjisCharacterScan {
public:
    static constexpr std::size_t kBlock = 64;
    static constexpr std::size_t npos = std::string_view::npos;

    SjisCharacterScan() = default;
    // The text must outlive the scan.
    SjisCharacterScan(std::string_view text, Marks marks) : m_text(text), m_marks(marks) {}

    std::string_view text() const { return m_text; }

    // The marked places that start a character in the block holding `from`, from
    // `from` on and before `until` (at most the text's size), one bit each from the
    // block's start, which `block` is set to. `from` starts a character unless it
    // lies in the block of the last call or the one after.
    std::uint64_t placesIn(std::size_t from, std::size_t until, std::size_t& block) {
        block = from - from % kBlock;
        if (m_block != npos && block == m_block + kBlock)
            look(block, npos);
        else if (block != m_block || from < m_validFrom)
            look(block, from);
        std::uint64_t places = m_starts & (~std::uint64_t{0} << (from - block));
        if (until - block < kBlock)
            places &= (std::uint64_t{1} << (until - block)) - 1;
        return places;
    }

    // The first of those places from `from` on and before `until`; `until` when there
    // is none.
    std::size_t next(std::size_t from, std::size_t until) {
        while (from < until) {
            std::size_t block = 0;
            if (const std::uint64_t places = placesIn(from, until, block))
                return block + static_cast<std::size_t>(std::countr_zero(places));
            from = block + kBlock;
        }
        return until;
    }

private:
    // Looks at the block that starts at `block`: the one after the block looked at
    // last, or afresh from `knownBoundary`, a character boundary in it.
    void look(std::size_t block, std::size_t knownBoundary) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data()) + block;
        const std::size_t left = m_text.size() - block;
        unsigned char copy[kBlock + 1];
        if (left <= kBlock) {
            std::memset(copy, 0, sizeof copy);
            std::memcpy(copy, bytes, left);
            bytes = copy;
        }
        SjisByteKinds kinds = sjisKindsOf64(bytes);
        if (knownBoundary != npos) {
            // What comes before a known boundary plays no part.
            const std::uint64_t from = ~std::uint64_t{0} << (knownBoundary - block);
            kinds.lead &= from;
            kinds.trail &= from;
            m_secondBytes = {};
            m_validFrom = knownBoundary;
        }
        m_block = block;
        m_starts = m_marks(bytes) & ~m_secondBytes.next(kinds);
        if (left < kBlock)
            m_starts &= (std::uint64_t{1} << left) - 1;
    }

    std::string_view m_text;
    Marks m_marks{};
    std::size_t m_block = npos;
    // The block's marked places that start a character, one bit each, from
    // m_validFrom on.
    std::uint64_t m_starts = 0;
    std::size_t m_validFrom = 0;
    SjisSecondBytes m_secondBytes;
};

} // namespace mireto
