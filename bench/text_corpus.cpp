#include "bench/text_corpus.h"

#include "convert/crt_random.h"
#include "convert/sjis_text.h"

#include <array>

namespace mireto::bench {

namespace {

// Shift_JIS words: 今日 天気 散歩 公園 猫 友達 電車 学校 ご飯 映画 とても すこし
// ゆっくり 楽しい 思う した 見た 行った です ました は が を に で と も の
constexpr std::array<std::string_view, 28> kWords = {
    "\x8D\xA1\x93\xFA",
    "\x93V\x8B"
    "C",
    "\x8EU\x95\xE0",
    "\x8C\xF6\x89\x80",
    "\x94L",
    "\x97"
    "F\x92"
    "B",
    "\x93"
    "d\x8E\xD4",
    "\x8Aw\x8DZ",
    "\x82\xB2\x94\xD1",
    "\x89"
    "f\x89\xE6",
    "\x82\xC6\x82\xC4\x82\xE0",
    "\x82\xB7\x82\xB1\x82\xB5",
    "\x82\xE4\x82\xC1\x82\xAD\x82\xE8",
    "\x8Ay\x82\xB5\x82\xA2",
    "\x8Ev\x82\xA4",
    "\x82\xB5\x82\xBD",
    "\x8C\xA9\x82\xBD",
    "\x8Ds\x82\xC1\x82\xBD",
    "\x82\xC5\x82\xB7",
    "\x82\xDC\x82\xB5\x82\xBD",
    "\x82\xCD",
    "\x82\xAA",
    "\x82\xF0",
    "\x82\xC9",
    "\x82\xC5",
    "\x82\xC6",
    "\x82\xE0",
    "\x82\xCC",
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
