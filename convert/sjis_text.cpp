#include "convert/sjis_text.h"

#include <algorithm>
#include <cstring>

namespace mireto::sjis {

namespace {

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
