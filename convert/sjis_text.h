// Character-aware search and replace on Shift_JIS (code page 932) byte strings.
//
// A match never starts on the second byte of a double-byte character. A lead byte
// (0x81-0x9F, 0xE0-0xFC) pairs with the byte after it only when that byte is a valid
// trail byte (0x40-0x7E, 0x80-0xFC); otherwise, and at the very end of the text, it
// stands alone. So odd bytes pass through unchanged and never hide a line break.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mireto::sjis {

// The three delimiters the page builders cut the text at; each is two bytes.
inline constexpr std::string_view kFullStop = "\x81\x42"; // 。
inline constexpr std::string_view kComma = "\x81\x41";    // 、
inline constexpr std::string_view kLineBreak = "\r\n";

inline constexpr std::size_t npos = std::string_view::npos;

constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length in bytes (1 or 2) of the character that starts at `pos` (pos < text.size()).
inline std::size_t charLength(std::string_view text, std::size_t pos) {
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                   isTrailByte(static_cast<unsigned char>(text[pos + 1]))
               ? 2
               : 1;
}

// First occurrence of `needle` at or after `from`, which must lie on a character
// boundary; npos when there is none or the needle is empty.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0);

// Replaces every occurrence of `from` by `to`, left to right, non-overlapping; the
// inserted text is not scanned again. An empty `from` changes nothing. Returns the
// number of replacements.
std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to);

// The same, building the result in `buffer` and then swapping it with `text`: a caller
// that replaces again and again reuses the same two allocations.
std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to,
                       std::string& buffer);

// The first occurrence of any of a few two-byte needles (the page builders'
// delimiters), found in one pass: sixteen places are compared with every needle at a
// time, and only where one occurs is a character boundary checked.
class PairSearch {
public:
    PairSearch() = default;
    // At most four needles, each of two bytes.
    explicit PairSearch(std::span<const std::string_view> needles);

    // First occurrence of any needle at or after `from`, which must lie on a character
    // boundary; npos when there is none.
    std::size_t find(std::string_view text, std::size_t from) const;

    // Successive searches over one text, each from at or after where the last one
    // started: sixteen places compared once serve every search that starts among
    // them. The search and the text must outlive the scan.
    class Scan {
    public:
        Scan() = default;
        Scan(const PairSearch& search, std::string_view text) : m_search(&search), m_text(text) {}
        std::size_t find(std::size_t from);

    private:
        template <std::size_t Needles> std::size_t findAny(std::size_t from);

        const PairSearch* m_search = nullptr;
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

// replaceAll over a text that arrives in pieces, with exactly the result replaceAll
// gives on the whole text. Append each piece to input(), then drain() into the
// result: everything already settled moves there, and what a later piece may still
// change (at most a few bytes) stays behind. The last drain, with `last` set, moves
// the rest. Replacements can be chained by draining one replacer into the next one's
// input, so that a long text passes all of them while a piece is still in the cache.
class StreamReplacer {
public:
    StreamReplacer(std::string_view from, std::string_view to) : m_from(from), m_to(to) {}

    std::string& input() { return m_input; }
    // Returns the number of replacements made by this call.
    std::size_t drain(std::string& out, bool last);

private:
    std::string m_from;
    std::string m_to;
    // Starts on a character boundary of the whole text.
    std::string m_input;
    // How many bytes at the start of m_input a replacement already covered.
    std::size_t m_covered = 0;
};

} // namespace mireto::sjis
