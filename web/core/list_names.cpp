#include "web/core/list_names.h"

#include "convert/sjis_codec.h"

#include <algorithm>
#include <string>

namespace mireto::web {

namespace {

// The capital letters Shift_JIS holds, each to its small letter: Latin (also full
// width), Greek, Cyrillic and the Roman numerals.
char32_t foldCase(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= U'\uFF21' && c <= U'\uFF3A') ||
        (c >= U'\u0391' && c <= U'\u03A9' && c != U'\u03A2') || (c >= U'\u0410' && c <= U'\u042F'))
        return c + 0x20;
    if (c == U'\u0401')
        return U'\u0451';
    if (c >= U'\u2160' && c <= U'\u216F')
        return c + 0x10;
    return c;
}

// The folded name, each character as two bytes, big-endian: comparing keys byte by byte
// orders names as the desktop's lists do (Shift_JIS holds nothing past the first plane).
std::string foldedKey(std::string_view sjis) {
    const std::string utf8 = sjisToUtf8(sjis);
    std::string key;
    key.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (int next = 1; next < length && at + next < utf8.size(); ++next)
            c = (c << 6) | (static_cast<unsigned char>(utf8[at + next]) & 0x3F);
        const char32_t unit = foldCase(c);
        key += static_cast<char>((unit >> 8) & 0xFF);
        key += static_cast<char>(unit & 0xFF);
        at += length;
    }
    return key;
}

} // namespace

NameRules listNameRules() {
    return {foldedKey};
}

} // namespace mireto::web
