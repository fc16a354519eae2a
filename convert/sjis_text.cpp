#include "convert/sjis_text.h"

namespace mireto::sjis {

namespace {

// Walks character boundaries forward from a known boundary. Candidates come from a
// plain byte search; the walker only has to confirm that a candidate is a boundary,
// so the total work stays linear in the distance covered.
class BoundaryWalker {
public:
    BoundaryWalker(std::string_view text, std::size_t start) : m_text(text), m_pos(start) {}

    // True when `candidate` (>= the current position) starts a character.
    bool isBoundary(std::size_t candidate) {
        while (m_pos < candidate)
            m_pos += charLength(m_text, m_pos);
        return m_pos == candidate;
    }

private:
    std::string_view m_text;
    std::size_t m_pos;
};

std::size_t findWith(BoundaryWalker& walker, std::string_view text, std::string_view needle,
                     std::size_t from) {
    for (std::size_t candidate = text.find(needle, from); candidate != npos;
         candidate = text.find(needle, candidate + 1)) {
        if (walker.isBoundary(candidate))
            return candidate;
    }
    return npos;
}

} // namespace

std::size_t find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from >= text.size())
        return npos;
    BoundaryWalker walker(text, from);
    return findWith(walker, text, needle, from);
}

std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty())
        return 0;
    const std::string_view source(text);
    BoundaryWalker walker(source, 0);
    std::size_t match = findWith(walker, source, from, 0);
    if (match == npos)
        return 0;

    std::string result;
    result.reserve(text.size() + (to.size() > from.size() ? to.size() - from.size() : 0) * 4);
    std::size_t copied = 0;
    std::size_t count = 0;
    while (match != npos) {
        result.append(source, copied, match - copied);
        result.append(to);
        copied = match + from.size();
        ++count;
        // The byte after a match is a boundary whenever the needle ends on one; when it
        // does not (a needle ending in a lone lead byte), the walker catches up anyway.
        match = findWith(walker, source, from, copied);
    }
    result.append(source, copied);
    text = std::move(result);
    return count;
}

} // namespace mireto::sjis
