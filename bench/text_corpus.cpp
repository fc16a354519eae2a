#include "bench/text_corpus.h"

#include "convert/crt_random.h"
#include "convert/sjis_literal.h"
#include "convert/sjis_text.h"

#include <array>

namespace mireto::bench {

namespace {

// Shift_JIS words.
constexpr std::array<std::string_view, 28> kWords = {
    "今日"_sjis,     "天気"_sjis,   "散歩"_sjis, "公園"_sjis, "猫"_sjis,     "友達"_sjis,
    "電車"_sjis,     "学校"_sjis,   "ご飯"_sjis, "映画"_sjis, "とても"_sjis, "すこし"_sjis,
    "ゆっくり"_sjis, "楽しい"_sjis, "思う"_sjis, "した"_sjis, "見た"_sjis,   "行った"_sjis,
    "です"_sjis,     "ました"_sjis, "は"_sjis,   "が"_sjis,   "を"_sjis,     "に"_sjis,
    "で"_sjis,       "と"_sjis,     "も"_sjis,   "の"_sjis,
};
using sjis::kComma;
using sjis::kFullStop;
using sjis::kLineBreak;

} // namespace

std::string_view shapeName(TextShape shape) {
    switch (shape) {
    case TextShape::Prose:
        return "prose";
    case TextShape::NoCommas:
        return "no-commas";
    case TextShape::OneLine:
        return "one-line";
    }
    return "?";
}

std::string makeText(TextShape shape, std::size_t bytes) {
    CrtRandom random(12345);
    std::string text;
    text.reserve(bytes + 64);
    // A sentence is 4-12 words; about one clause break in four words; about three
    // sentences a line; about one empty line in five lines.
    while (text.size() < bytes) {
        const int words = 4 + random.next() % 9;
        for (int w = 0; w < words; ++w) {
            text += kWords[static_cast<std::size_t>(random.next()) % kWords.size()];
            if (shape == TextShape::Prose && w + 1 < words && random.next() % 4 == 0)
                text += kComma;
        }
        if (shape == TextShape::OneLine)
            continue;
        text += kFullStop;
        if (random.next() % 3 == 0) {
            text += kLineBreak;
            if (random.next() % 5 == 0)
                text += kLineBreak;
        }
    }
    // Cut on a character boundary below the size asked for.
    std::size_t cut = 0;
    for (std::size_t pos = 0; pos < text.size() && pos <= bytes;) {
        cut = pos;
        pos += sjis::charLength(text, pos);
    }
    text.resize(cut);
    return text;
}

} // namespace mireto::bench
