// The first occurrence of any of a few two-byte needles (the page builders'
// delimiters) on a Shift_JIS character boundary, found in one pass: the text is read
// sixty-four places at a time into a mask of the places where a needle starts, and
// one of the places that start a character.
#pragma once

#include "convert/sjis_blocks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace mireto {

class DelimiterSearch {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    DelimiterSearch() = default;
    // At most four needles, each of two bytes.
    explicit DelimiterSearch(std::span<const std::string_view> needles);

    // First occurrence of any needle at or after `from`, which must lie on a character
    // boundary; npos when there is none.
    std::size_t find(std::string_view text, std::size_t from) const;

    // Marks where the search's needles start among 64 places.
    class NeedleStarts {
    public:
        NeedleStarts() = default;
        explicit NeedleStarts(const DelimiterSearch& search) : m_search(&search) {}
        std::uint64_t operator()(const unsigned char* bytes) const;

    private:
        const DelimiterSearch* m_search = nullptr;
    };

    // Successive searches over one text, each from at or after where the last one
    // started: every block of sixty-four places is read once, and the character
    // boundaries in it are found from bit masks. The search and the text must outlive
    // the scan.
    class Scan {
    public:
        Scan() = default;
        Scan(const DelimiterSearch& search, std::string_view text)
            : m_search(&search), m_places(text, NeedleStarts(search)) {}
        std::size_t find(std::size_t from);

    private:
        const DelimiterSearch* m_search = nullptr;
        SjisCharacterScan<NeedleStarts> m_places;
    };

    static constexpr std::size_t kBlock = 64;

private:
    static constexpr std::size_t kMaxNeedles = 4;

    std::size_t m_count = 0;
    // Each needle's first byte sixteen times, then its second byte sixteen times.
    alignas(16) std::array<std::array<unsigned char, 16>, 2 * kMaxNeedles> m_lanes{};
};

} // namespace mireto
