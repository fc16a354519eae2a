#include "cli/utf8_page_stream.h"

#include "cli/sjis_to_utf8.h"
#include "convert/page_charset.h"
#include "convert/sjis_text.h"

#include <algorithm>
#include <cctype>

namespace mireto::cli {

namespace {

constexpr std::string_view kHeadEnd = "</head";

// Whether "</head" (in any letter case) starts at or after `from`. No byte of the tag
// can be the second byte of a Shift_JIS character, so the bytes alone tell.
bool holdsHeadEnd(std::string_view text, std::size_t from) {
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                   kHeadEnd.begin(), kHeadEnd.end(), [](char a, char b) {
                                       return std::tolower(static_cast<unsigned char>(a)) ==
                                              static_cast<unsigned char>(b);
                                   });
    return found != text.end();
}

// Where the last whole character of `text` ends: before a final lead byte whose second
// byte has not come yet.
std::size_t wholeCharactersEnd(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (pos + 1 == text.size() && sjis::isLeadByte(static_cast<unsigned char>(text[pos])))
            return pos;
        pos += sjis::charLength(text, pos);
    }
    return pos;
}

} // namespace

bool Utf8PageStream::put(std::string_view sjisPiece) {
    if (m_failed)
        return false;
    if (!m_headDone) {
        const std::size_t searchFrom = m_held.size() - std::min(m_held.size(), kHeadEnd.size());
        m_held.append(sjisPiece);
        if (!holdsHeadEnd(m_held, searchFrom))
            return true;
        m_headDone = true;
        const std::size_t end = wholeCharactersEnd(m_held);
        std::string head = sjisToUtf8(std::string_view(m_held).substr(0, end));
        declareUtf8Charset(head);
        m_held.erase(0, end);
        if (!m_out(head))
            m_failed = true;
        return !m_failed;
    }
    if (m_held.empty()) {
        const std::size_t end = wholeCharactersEnd(sjisPiece);
        if (!passOn(sjisPiece.substr(0, end)))
            return false;
        m_held.assign(sjisPiece.substr(end));
        return true;
    }
    m_held.append(sjisPiece);
    const std::size_t end = wholeCharactersEnd(m_held);
    const std::string whole = m_held.substr(0, end);
    m_held.erase(0, end);
    return passOn(whole);
}

bool Utf8PageStream::finish() {
    if (m_failed)
        return false;
    if (!m_headDone) {
        // A page whose head never ends: all of it is the head.
        m_headDone = true;
        std::string page = sjisToUtf8(m_held);
        declareUtf8Charset(page);
        m_held.clear();
        m_failed = !m_out(page);
        return !m_failed;
    }
    const std::string rest = std::move(m_held);
    m_held.clear();
    return passOn(rest);
}

bool Utf8PageStream::passOn(std::string_view sjisText) {
    if (sjisText.empty())
        return true;
    if (!m_out(sjisToUtf8(sjisText)))
        m_failed = true;
    return !m_failed;
}

} // namespace mireto::cli
