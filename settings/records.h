// The value records every part of Mireto passes around: the named rule sets and
// templates the user keeps, the seven page-style names and the per-style settings.
// All strings are Shift_JIS (code page 932) bytes; names compare byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

// Name of the built-in "none" ending and replacement sets: 無し
inline constexpr std::string_view kNoneName = "\x96\xB3\x82\xB5";

// One sentence-ending conversion set (語尾変換).
struct EndingSet {
    std::array<std::string, 4> words;
    std::string name;
    std::array<std::int32_t, 4> frequencies{0, 0, 0, 0};
    // 1 = the chosen word also takes the place of line breaks. The file carries it as
    // one more field after the four slots, written only when it is 1.
    std::int32_t changeLineBreaks = 0;

    friend bool operator==(const EndingSet&, const EndingSet&) = default;
};

// One named set of replacement rules (置換). Rule i is sources[i] -> targets[i];
// the two sequences always have the same length.
struct ReplacementSet {
    using Sources = std::array<std::string, 4>;

    std::vector<Sources> sources{Sources{}};
    std::vector<std::string> targets{std::string{}};
    std::string name;

    std::size_t ruleCount() const { return targets.size(); }
    void clearRules() {
        sources.clear();
        targets.clear();
    }
    void addRule(Sources ruleSources, std::string target) {
        sources.push_back(std::move(ruleSources));
        targets.push_back(std::move(target));
    }

    friend bool operator==(const ReplacementSet&, const ReplacementSet&) = default;
};

// The seven page styles, by position. The position is the style's identity.
enum class OutputFormat : int {
    FontPlayBlack = 0,
    FontPlayWhite = 1,
    IdolNews = 2,
    Thread = 3,
    Standard = 4,
    StandardFrameless = 5,
    HouseStyle = 6,
};

inline constexpr std::size_t kFormatCount = 7;

inline constexpr std::array<std::string_view, kFormatCount> kFormatNames = {
    "\x83t\x83H\x83\x93\x83g\x98M\x82\xE8",                     // フォント弄り
    "\x83t\x83H\x83\x93\x83g\x98M\x82\xE8(\x94w\x8Ci\x94\x92)", // フォント弄り(背景白)
    "\x96^\x83o\x81[\x83`\x83\x83\x83\x8B\x83l\x83"
    "b\x83g\x83"
    "A\x83"
    "C\x83h\x83\x8B", // 某バーチャルネットアイドル
    "\x96^\x8B\x90\x91\xE5\x8C"
    "f\x8E\xA6\x94\xC2\x8CQ",                    // 某巨大掲示板群
    "\x95W\x8F\x80\x93I",                        // 標準的
    "\x95W\x8F\x80\x93I(\x98g\x96\xB3\x82\xB5)", // 標準的(枠無し)
    "\x83\\\x83\x8B\x83l\x89\xAE\x8E"
    "d\x97l", // ソルネ屋仕様
};

// One named combination of an ending set, a replacement set and a page style.
// The sets are referred to by name only.
struct OverallTemplate {
    std::string endingSetName{kNoneName};
    std::string replacementSetName{kNoneName};
    std::string formatName{kFormatNames[0]};
    std::string name;

    friend bool operator==(const OverallTemplate&, const OverallTemplate&) = default;
};

// The built-in entries at position 0 of the ending and replacement lists.
EndingSet noneEndingSet();
ReplacementSet noneReplacementSet();

// Settings of the idol-news page.
struct IdolNewsSettings {
    std::string supportTarget = "\x83\\\x83\x8B\x83l\x89\xAE"; // ソルネ屋
    // バーチャルネットアイドル　ぺかり (the gap is a full-width space)
    std::string name = "\x83o\x81[\x83`\x83\x83\x83\x8B\x83l\x83"
                       "b\x83g\x83"
                       "A\x83"
                       "C\x83h\x83\x8B\x81@\x82\xD8\x82\xA9\x82\xE8";
    std::int32_t supportOn = 0;
    std::string title =
        "\x82\xD8\x82\xA9\x82\xE8\x83j\x83\x85\x81[\x83X\x82\xE0\x82\xC7\x82\xAB"; // ぺかりニュースもどき

    friend bool operator==(const IdolNewsSettings&, const IdolNewsSettings&) = default;
};

// Settings of the bulletin-board thread page.
struct ThreadSettings {
    enum Mode : std::int32_t { None = 0, GoodThread = 1, BadThread = 2 };

    std::string title = "\x88\xEA\x90l\x8C\xEA\x82\xE8\x83X\x83\x8C"; // 一人語りスレ
    std::string name = "\x96\xBC\x96\xB3\x82\xB5\x82\xB3\x82\xF1";    // 名無しさん
    std::int32_t mode = None;

    friend bool operator==(const ThreadSettings&, const ThreadSettings&) = default;
};

// Colours of the two standard pages, as "#RRGGBB" strings kept exactly as entered.
struct StandardColours {
    std::string textColour = "#333333";
    std::string backgroundColour = "#66aaFF";

    friend bool operator==(const StandardColours&, const StandardColours&) = default;
};

// Settings of the two font-play pages.
struct FontPlaySettings {
    std::int32_t deleteCommas = 0;
    std::int32_t lineBreakDegree = 0;

    friend bool operator==(const FontPlaySettings&, const FontPlaySettings&) = default;
};

} // namespace mireto
