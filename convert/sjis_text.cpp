#include "convert/sjis_text.h"

#include <cstring>

namespace mireto::sjis {

namespace {

// Tells whether a byte offset starts a character, given one offset already known to.
// Candidates come from a fast byte search (memmem); only at a candidate does it look
// back over the run of bytes that could be lead bytes just before it: the run starts
// on a boundary and its bytes pair up from there, so its length's parity decides.
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
        if (std::memcmp(at, needle.data(), last) == 0)
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

} // namespace mireto::sjis
