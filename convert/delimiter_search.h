// The first occurrence of any of a few two-byte needles (the page builders'
// delimiters) on a Shift_JIS character boundary, found in one pass: sixteen places are
// compared with every needle at a time, and only where one occurs is a boundary
// checked. Needles far apart are found with memchr instead.
#pragma once

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

    // Successive searches over one text, each from at or after where the last one
    // started: sixteen places compared once serve every search that starts among
    // them. The search and the text must outlive the scan.
    class Scan {
    public:
        Scan() = default;
        Scan(const DelimiterSearch& search, std::string_view text)
            : m_search(&search), m_text(text) {}
        std::size_t find(std::size_t from);

    private:
        // Blocks of sixteen compared before the search turns to memchr.
        static constexpr std::size_t kNearBlocks = 4;
        template <std::size_t Needles> std::size_t findAny(std::size_t from);

        const DelimiterSearch* m_search = nullptr;
        std::string_view m_text;
        // The sixteen places compared last, from m_block, and where needles start there.
        std::size_t m_block = npos;
        std::uint64_t m_hits[2] = {0, 0};
    };

private:
    static constexpr std::size_t kMaxNeedles = 4;

    std::size_t m_count = 0;
    // Each needle's first byte sixteen times, then its second byte sixteen times.
    alignas(16) std::array<std::array<unsigned char, 16>, 2 * kMaxNeedles> m_lanes{};
};

} // namespace mireto
