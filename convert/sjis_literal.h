// Shift_JIS text written readably: "無し"_sjis is the Shift_JIS bytes of 無し, encoded
// while compiling by the same rules as convert/sjis_codec.h. A character Shift_JIS
// cannot hold stops the build, so no text the program writes into a page or a settings
// file can lose one.
#pragma once

#include "convert/sjis_char.h"

#include <cstddef>
#include <string_view>

namespace mireto {

namespace sjis_literal {

// A string literal as a template argument.
template <std::size_t N> struct Utf8Text {
    char bytes[N];
    consteval Utf8Text(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = text[i];
    }
    constexpr std::string_view view() const { return {bytes, N - 1}; }
};

void notShiftJis(); // not constexpr: calling it while compiling is the error

// Shift_JIS is never longer than UTF-8, so N bytes (the terminating NUL included) hold
// the result with its own NUL.
template <std::size_t N> struct Encoded {
    char bytes[N] = {};
    std::size_t size = 0;

    consteval explicit Encoded(std::string_view utf8) {
        for (std::size_t pos = 0; pos < utf8.size();) {
            const sjis_char::Utf8Step step = sjis_char::utf8At(utf8, pos);
            if (step.length == 0)
                notShiftJis(); // not valid UTF-8
            const std::uint16_t code = sjis_char::codeOf(step.codePoint);
            if (code == sjis_char::kNone)
                notShiftJis(); // a character Shift_JIS cannot hold
            if (code > 0xFF)
                bytes[size++] = static_cast<char>(code >> 8);
            bytes[size++] = static_cast<char>(code & 0xFF);
            pos += step.length;
        }
    }
    constexpr std::string_view view() const { return {bytes, size}; }
};

template <Utf8Text text> inline constexpr Encoded<sizeof text.bytes> kEncoded{text.view()};

} // namespace sjis_literal

// The Shift_JIS bytes of a UTF-8 literal, NUL-terminated in static storage.
template <sjis_literal::Utf8Text text> constexpr std::string_view operator""_sjis() {
    return sjis_literal::kEncoded<text>.view();
}

} // namespace mireto
