// Character-aware search and replace on Shift_JIS (code page 932) byte strings.
//
// A match never starts on the second byte of a double-byte character. A lead byte
// (0x81-0x9F, 0xE0-0xFC) pairs with the byte after it only when that byte is a valid
// trail byte (0x40-0x7E, 0x80-0xFC); otherwise, and at the very end of the text, it
// stands alone. So odd bytes pass through unchanged and never hide a line break.
#pragma once

#include "convert/sjis_literal.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mireto::sjis {

// The three delimiters the page builders cut the text at; each is two bytes.
inline constexpr std::string_view kFullStop = "。"_sjis;
inline constexpr std::string_view kComma = "、"_sjis;
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

// Tells whether a byte offset starts a character, given one offset already known to.
// Candidates come from a fast byte search; only at a candidate does it look back over the run of
// bytes that could be lead bytes just before it: the run starts on a boundary and its bytes pair up
// from there, so its length's parity decides. The known boundary moves forward with every answer,
// which keeps the work linear.
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
