// The font-play pages: exact pages for fixed moments, and the emphasis and the
// breaks per clause over many moments.
#include "convert/font_play_converter.h"
#include "page_test_support.h"

#include <climits>
#include <map>
#include <set>

namespace mireto::test {
namespace {

std::string fontPlayHead(bool white) {
    return kHeadOpening + sjis("\r\n<TITLE>弄りHTML</TITLE>\r\n") + "</HEAD>\r\n<BODY bgcolor=\"" +
           (white ? "#ffffff\" text=\"#000000" : "#000000\" text=\"#ffffff") +
           "\" link=\"#00cccc\" vlink=\"#999999\">\r\n<P align=\"center\">\r\n";
}

const std::string kFontPlayEnd = "</P>\r\n</BODY>\r\n</HTML>";

std::string repeated(const std::string& piece, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += piece;
    return result;
}

std::string breaks(int count) {
    return repeated("<BR>\r\n", count);
}

// Forty clauses "x、", which add no break of their own.
const std::string kClauses = repeated(sjis("x、"), 40);

struct FontPlayPage {
    int deleteCommas = 0;
    int degree = 0;
    bool white = false;
    EndingSet endings{};
    ReplacementSet replacements{};

    std::string build(const std::string& text, std::time_t moment) const {
        FontPlayConverter converter(deleteCommas, degree, white ? 1 : 0);
        return buildPage(converter, text, moment, endings, replacements);
    }
};

// ナリ -> なり, to tell whether the replacements run after the ending conversion.
ReplacementSet nariToHiragana() {
    ReplacementSet set;
    set.clearRules();
    set.addRule({sjis("ナリ"), "", "", ""}, sjis("なり"));
    return set;
}

TEST(FontPlayPage, ClauseAndSentenceOnTheBlackPageWithAndWithoutCommas) {
    // Seed 1031227622 draws 20943, 21854, 18841, 28197, 17150. 今日は、: tag 20943
    // (%13 = 0 red, %3 = 0 size +1), no ending draw, 21854 % 5 = 4 breaks. 晴れ。: tag
    // 18841 (%13 = 4 cyan, %3 = 1 size +2), ending 97 (< 100, applied), 17150 % 5 = 0
    // breaks, then the sentence's own break.
    FontPlayPage page{.endings = alwaysNari(), .replacements = nariToHiragana()};
    const std::string body =
        sjis("<FONT size=\"+1\" color=\"#ff0000\"><B>今日は、</FONT></B>\r\n") + breaks(4) +
        sjis("<FONT size=\"+2\" color=\"#00ffff\"><B>晴れなり</FONT></B>\r\n") + breaks(1);
    EXPECT_TRUE(samePage(page.build(sjis("今日は、晴れ。"), 1031227622),
                         fontPlayHead(false) + body + kFontPlayEnd));

    // Deleted commas still cut the clause.
    page.deleteCommas = 1;
    page.replacements = {};
    const std::string withoutCommas =
        sjis("<FONT size=\"+1\" color=\"#ff0000\"><B>今日は</FONT></B>\r\n") + breaks(4) +
        sjis("<FONT size=\"+2\" color=\"#00ffff\"><B>晴れナリ</FONT></B>\r\n") + breaks(1);
    EXPECT_TRUE(samePage(page.build(sjis("今日は、晴れ。"), 1031227622),
                         fontPlayHead(false) + withoutCommas + kFontPlayEnd));
}

TEST(FontPlayPage, WhitePageConvertsLinesWhenTheEndingSetChangesLineBreaks) {
    // Seed 1031227623 draws 20947, 32602, 3937, 19492, 27464. 一行目: tag 20947 (%13 = 4
    // uncoloured, %3 = 1 size +2), ending 2 (applied, in place of the line break), 3937
    // % 5 = 2 breaks, then the line's own break. 二行目 (final, never converted): tag
    // 19492 (%13 = 5: none on the white page), 27464 % 5 = 4 breaks.
    FontPlayPage page{.white = true, .endings = alwaysNari()};
    page.endings.changeLineBreaks = 1;
    const std::string body = sjis("<FONT size=\"+2\"><B>一行目ナリ</FONT></B>\r\n") + breaks(2) +
                             breaks(1) + sjis("二行目") + breaks(4);
    EXPECT_TRUE(samePage(page.build(sjis("一行目\r\n二行目"), 1031227623),
                         fontPlayHead(true) + body + kFontPlayEnd));
}

TEST(FontPlayPage, DegreeNineLinesBlankLinesAndTheFinalClause) {
    // Seed 1031227703 draws 21208, 7739, 24047, 11245, 662, 17630, 21165; degree 9 gives
    // 6 + draw % 9 breaks.
    //   一行目 CR LF: tag 21208 (%13 = 5 magenta, %3 = 1 size +2), no ending draw (line
    //     breaks are not changed), 6 + 8 breaks, then the line's break;
    //   the full-width space line: nothing drawn or written, then the line's break;
    //   二行目。 (leading space and tab removed): tag 24047 (%13 = 10, none), ending 45
    //     (applied), 6 + 5 breaks, then the sentence's break;
    //   the line break after the sentence and the empty line: one break each;
    //   おわり: tag 17630 (%13 = 2 red, %3 = 2 size +3), no ending, 6 + 6 breaks.
    const FontPlayPage page{.degree = 9, .endings = alwaysNari()};
    const std::string body =
        sjis("<FONT size=\"+2\" color=\"#ff00ff\"><B>一行目\r\n</FONT></B>\r\n") + breaks(14) +
        breaks(1) + breaks(1) + sjis("二行目ナリ") + breaks(11) + breaks(1) + breaks(1) +
        breaks(1) + sjis("<FONT size=\"+3\" color=\"#ff0000\"><B>おわり</FONT></B>\r\n") +
        breaks(12);
    EXPECT_TRUE(samePage(page.build(sjis("一行目\r\n　\r\n \t二行目。\r\n\r\nおわり"), 1031227703),
                         fontPlayHead(false) + body + kFontPlayEnd));
}

TEST(FontPlayPage, BlankClausesDrawNothingAndLeadingSpaceGoes) {
    const FontPlayPage page;
    const std::string head = fontPlayHead(false);
    const std::string alone = page.build(sjis("あ"), 1031227620);
    ASSERT_EQ(alone.rfind(head, 0), 0u);
    const std::string aloneBody = alone.substr(head.size());

    // The full-width space line writes only its break and draws nothing, so あ is
    // decorated exactly as when it stands alone.
    EXPECT_TRUE(samePage(page.build(sjis("　\r\nあ"), 1031227620), head + "<BR>\r\n" + aloneBody));
    EXPECT_TRUE(samePage(page.build(sjis(" \t\tあ"), 1031227620), alone));
    // A leading full-width space is not white space.
    EXPECT_NE(page.build(sjis("　あ"), 1031227620).find(sjis("　あ")), std::string::npos);
}

// Per clause "x、", the number of breaks written after it.
std::vector<int> breaksPerClause(const std::string& page) {
    std::vector<int> counts;
    const std::string clauseEnd = sjis("、");
    for (std::size_t at = page.find(clauseEnd); at != std::string::npos;
         at = page.find(clauseEnd, at + 1)) {
        std::size_t next = at + clauseEnd.size();
        if (page.compare(next, 13, "</FONT></B>\r\n") == 0)
            next += 13;
        int count = 0;
        while (page.compare(next, 6, "<BR>\r\n") == 0) {
            next += 6;
            ++count;
        }
        counts.push_back(count);
    }
    return counts;
}

TEST(FontPlayPage, BreaksPerClauseSpanTheDegreesRange) {
    // Degree -> fewest and most breaks after a clause; degrees outside 0-9 (a
    // hand-edited settings file) count as the nearest end of the range.
    const std::map<int, std::pair<int, int>> ranges = {
        {0, {0, 4}},   {1, {0, 4}},  {2, {0, 5}},        {3, {0, 5}},   {4, {1, 7}},
        {5, {2, 8}},   {6, {3, 10}}, {7, {4, 11}},       {8, {5, 13}},  {9, {6, 14}},
        {-10, {0, 4}}, {-1, {0, 4}}, {INT_MAX, {6, 14}}, {10, {6, 14}},
    };
    for (const auto& [degree, range] : ranges) {
        const FontPlayPage page{.degree = degree};
        int fewest = INT_MAX;
        int most = INT_MIN;
        for (std::time_t moment = 1031227620; moment < 1031227670; ++moment) {
            const std::vector<int> counts = breaksPerClause(page.build(kClauses, moment));
            ASSERT_EQ(counts.size(), 40u);
            fewest = std::min(fewest, *std::min_element(counts.begin(), counts.end()));
            most = std::max(most, *std::max_element(counts.begin(), counts.end()));
        }
        EXPECT_EQ(fewest, range.first) << "degree " << degree;
        EXPECT_EQ(most, range.second) << "degree " << degree;
    }
}

std::set<std::string> openingTags(const std::string& page) {
    std::set<std::string> tags;
    for (std::size_t at = page.find("<FONT"); at != std::string::npos;
         at = page.find("<FONT", at + 1))
        tags.insert(page.substr(at, page.find("<B>", at) + 3 - at));
    return tags;
}

TEST(FontPlayPage, EmphasisTagsOfEachPage) {
    const FontPlayPage whitePage{.white = true};
    std::set<std::string> black;
    std::set<std::string> white;
    for (std::time_t moment = 1031227620; moment < 1031227640; ++moment) {
        black.merge(openingTags(FontPlayPage{}.build(kClauses, moment)));
        white.merge(openingTags(whitePage.build(kClauses, moment)));
    }
    auto tag = [](int size, const std::string& colour) {
        return "<FONT size=\"+" + std::to_string(size) + "\"" +
               (colour.empty() ? "" : " color=\"" + colour + "\"") + "><B>";
    };
    std::set<std::string> expectedBlack;
    for (const char* colour : {"#ff0000", "#ffff00", "#00ffff", "#ff00ff"}) {
        for (int size = 1; size <= 3; ++size)
            expectedBlack.insert(tag(size, colour));
    }
    EXPECT_EQ(black, expectedBlack);
    EXPECT_EQ(white, (std::set<std::string>{tag(2, "#ff0000"), tag(3, "#ff0000"), tag(2, ""),
                                            tag(3, "")}));
}

} // namespace
} // namespace mireto::test
