// One character at a time between Unicode and Shift_JIS, usable at compile time: the
// rules every encoding in the program follows, and the UTF-8 reading they start from.
#pragma once

#include "convert/sjis_index_encode.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mireto::sjis_char {

// The Shift_JIS code of `codePoint`: one byte (below 0x100) or two (lead << 8 | trail);
// kNone when Shift_JIS has no such character.
//
// The Encoding Standard's shift_jis encoder (U+00A5 to 0x5C, U+203E to 0x7E, U+2212 as
// U+FF0D), the look-alikes that input methods type and code page 932 files have always
// used for the same characters, and the user-defined area (U+E000-U+E757 to
// 0xF040-0xF9FC), which the decoder reads back the same way.
inline constexpr std::uint16_t kNone = 0xFFFF;

struct Mapping {
    char32_t codePoint;
    std::uint16_t code;
};

// Characters written as another one's code.
inline constexpr Mapping kWrittenAs[] = {
    {U'\u00A5', 0x5C},   // ¥ as \ (the standard's encoder)
    {U'\u203E', 0x7E},   // ‾ as ~ (the standard's encoder)
    {U'\u2212', 0x817C}, // − as － (the standard's encoder)
    {U'\u301C', 0x8160}, // 〜 as ～
    {U'\u2016', 0x8161}, // ‖ as ∥
    {U'\u00A2', 0x8191}, // ¢ as ￠
    {U'\u00A3', 0x8192}, // £ as ￡
    {U'\u00AC', 0x81CA}, // ¬ as ￢
    {U'\u2014', 0x815C}, // — as ―
};

constexpr std::uint16_t codeOf(char32_t codePoint) {
    if (codePoint <= 0x80)
        return static_cast<std::uint16_t>(codePoint);
    for (const Mapping& alike : kWrittenAs) {
        if (alike.codePoint == codePoint)
            return alike.code;
    }
    if (codePoint >= 0xFF61 && codePoint <= 0xFF9F)
        return static_cast<std::uint16_t>(codePoint - 0xFF61 + 0xA1);
    if (codePoint >= 0xE000 && codePoint <= 0xE757) {
        const unsigned pointer = 8836 + (codePoint - 0xE000);
        const unsigned lead = pointer / 188 + 0xC1;
        const unsigned trail = pointer % 188;
        return static_cast<std::uint16_t>(lead << 8 | (trail + (trail < 0x3F ? 0x40 : 0x41)));
    }
    if (codePoint > 0xFFFF)
        return kNone;
    const auto& table = sjis_index::kEncode;
    std::size_t low = 0;
    std::size_t high = std::size(table);
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (table[middle].codePoint < codePoint)
            low = middle + 1;
        else
            high = middle;
    }
    return low < std::size(table) && table[low].codePoint == codePoint ? table[low].code : kNone;
}

// One UTF-8 character: its code point and length in bytes; length 0 when the bytes at
// `pos` are not well-formed UTF-8 (overlong forms, surrogates and values past U+10FFFF
// included).
struct Utf8Step {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

constexpr Utf8Step utf8At(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, codePoint = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, codePoint = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, codePoint = lead & 0x07, least = 0x10000;
    else
        return {};
    if (length > text.size() - pos)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return {};
        codePoint = codePoint << 6 | (byte(pos + i) & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {};
    return {codePoint, length};
}

} // namespace mireto::sjis_char
