#include "cli/utf8_to_sjis.h"

#include "cli/character_converter.h"

#include <cerrno>
#include <cstdio>

namespace mireto::cli {

namespace {

// Length of the well-formed UTF-8 sequence at `pos`, or 0 when it is malformed.
std::size_t utf8SequenceLength(std::string_view s, std::size_t pos, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > s.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(pos + i) & 0x3F);
    }
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

SjisConversion utf8ToSjis(std::string_view utf8) {
    CharacterConverter converter("CP932", "UTF-8");
    if (!converter.valid())
        return {false, {}, "this system cannot convert to Shift_JIS (CP932)"};

    SjisConversion result;
    result.text.reserve(utf8.size());
    // A byte-order mark, as Windows editors write, is not part of the text.
    std::size_t pos = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < utf8.size()) {
        // Plain ASCII runs are the same bytes in both encodings.
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            result.text.push_back(utf8[pos++]);
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = utf8SequenceLength(utf8, pos, codePoint);
        if (length == 0) {
            result.error = "input is not valid UTF-8 at byte " + std::to_string(pos);
            result.text.clear();
            return result;
        }
        if (!converter.convert(utf8.substr(pos, length), result.text)) {
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(codePoint));
            result.text += reference;
        }
        pos += length;
    }
    result.ok = true;
    return result;
}

} // namespace mireto::cli
