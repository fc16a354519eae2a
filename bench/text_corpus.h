// Synthetic Japanese prose in Shift_JIS for the benchmarks: kana and kanji words,
// "、" and "。", line breaks and empty lines in the proportions of ordinary text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mireto::bench {

enum class TextShape {
    Prose,    // sentences, clauses, lines and paragraphs
    NoCommas, // the same without any "、"
    OneLine,  // one long line without any delimiter
};

std::string_view shapeName(TextShape shape);

// About `bytes` bytes of text (never more), the same for the same arguments.
std::string makeText(TextShape shape, std::size_t bytes);

} // namespace mireto::bench
