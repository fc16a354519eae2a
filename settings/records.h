// The value records every part of Mireto passes around: the named rule sets and
// templates the user keeps, the seven page-style names and the per-style settings.
// All strings are Shift_JIS (code page 932) bytes; names compare byte for byte.
#pragma once

#include "convert/sjis_literal.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

// Name of the built-in "none" ending and replacement sets: 無し
inline constexpr std::string_view kNoneName = "無し"_sjis;

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
    "フォント弄り"_sjis,
    "フォント弄り(背景白)"_sjis,
    "某バーチャルネットアイドル"_sjis,
    "某巨大掲示板群"_sjis,
    "標準的"_sjis,
    "標準的(枠無し)"_sjis,
    "ソルネ屋仕様"_sjis,
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

// The page settings' default texts. Named constants rather than literals in the members'
// initializers: clang 14 crashes on a default-constructed record whose initializers call
// the literal operator.
inline constexpr std::string_view kDefaultSupportTarget = "ソルネ屋"_sjis;
// バーチャルネットアイドル　ぺかり (the gap is a full-width space)
inline constexpr std::string_view kDefaultIdolName = "バーチャルネットアイドル　ぺかり"_sjis;
inline constexpr std::string_view kDefaultIdolTitle = "ぺかりニュースもどき"_sjis;
inline constexpr std::string_view kDefaultThreadTitle = "一人語りスレ"_sjis;
inline constexpr std::string_view kDefaultPosterName = "名無しさん"_sjis;

// Settings of the idol-news page.
struct IdolNewsSettings {
    std::string supportTarget{kDefaultSupportTarget};
    std::string name{kDefaultIdolName};
    std::int32_t supportOn = 0;
    std::string title{kDefaultIdolTitle};

    friend bool operator==(const IdolNewsSettings&, const IdolNewsSettings&) = default;
};

// Settings of the bulletin-board thread page.
struct ThreadSettings {
    enum Mode : std::int32_t { None = 0, GoodThread = 1, BadThread = 2 };

    std::string title{kDefaultThreadTitle};
    std::string name{kDefaultPosterName};
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
