// The font-play pages beyond the golden pages: blank clauses, and the emphasis and the
// breaks per clause over many moments.
#include "convert/font_play_converter.h"
#include "page_test_support.h"

#include <climits>
#include <map>
#include <set>

namespace mireto::test {
namespace {

std::string repeated(const std::string& piece, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += piece;
    return result;
}

// Forty clauses "x、", which add no break of their own.
const std::string kClauses = repeated(sjis("x、"), 40);

struct FontPlayPage {
    int degree = 0;
    bool white = false;

    std::string build(const std::string& text, std::time_t moment) const {
        FontPlayConverter converter(0, degree, white ? 1 : 0);
        return buildPage(converter, text, moment);
    }
};

TEST(FontPlayPage, BlankClausesDrawNothingAndLeadingSpaceGoes) {
    const FontPlayPage page;
    const std::string alone = page.build(sjis("あ"), 1031227620);
    const std::string bodyStart = "<P align=\"center\">\r\n";
    const std::size_t at = alone.find(bodyStart) + bodyStart.size();
    ASSERT_GT(at, bodyStart.size());
    const std::string head = alone.substr(0, at);
    const std::string aloneBody = alone.substr(at);

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
