#include "convert/page_charset.h"

#include "convert/sjis_codec.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace mireto {

namespace {

// Where `needle` (lower case) first starts in `text` ignoring ASCII letter case, or npos.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0) {
    const auto found = std::search(
        text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
        needle.begin(), needle.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
        });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

bool isCharsetNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

} // namespace

void declareUtf8Charset(std::string& utf8Page) {
    const std::string_view page = utf8Page;
    const std::size_t headEnd = std::min(findIgnoringCase(page, "</head"), page.size());
    const std::string_view head = page.substr(0, headEnd);
    const std::size_t declaration = findIgnoringCase(head, "charset=");
    if (declaration != std::string_view::npos) {
        std::size_t start = declaration + std::string_view("charset=").size();
        if (start < head.size() && (head[start] == '"' || head[start] == '\''))
            ++start;
        std::size_t end = start;
        while (end < head.size() && isCharsetNameChar(head[end]))
            ++end;
        const std::string_view name = head.substr(start, end - start);
        const bool lower = std::none_of(name.begin(), name.end(), [](char c) {
            return std::isupper(static_cast<unsigned char>(c));
        });
        utf8Page.replace(start, end - start, lower ? "utf-8" : "UTF-8");
        return;
    }
    std::size_t at = 0;
    if (const std::size_t open = findIgnoringCase(head, "<head"); open != std::string_view::npos)
        at = std::min(head.find('>', open), head.size() - 1) + 1;
    utf8Page.insert(at, "<meta charset=\"UTF-8\">");
}

std::string pageAsUtf8(std::string_view sjisPage) {
    std::string page = sjisToUtf8(sjisPage);
    declareUtf8Charset(page);
    return page;
}

} // namespace mireto
