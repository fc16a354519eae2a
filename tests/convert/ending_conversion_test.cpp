// The sentence-ending conversion and the replacement rules on single segments.
#include "probe_converter.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

// Seed 1 draws 41, 18467, 6334, 26500, ... (mod 100: 41, 67, 34, 0, 69, 24).
class EndingConversion : public ::testing::Test {
protected:
    void start(std::time_t seed = 1) {
        probe.setInputs(endings, replacements, text);
        probe.setClock([seed] { return seed; });
        probe.seedRandom();
    }
    std::string convert(const std::string& segment, int* applied = nullptr) {
        std::string result = segment;
        const int r = probe.convertEnding(result);
        if (applied)
            *applied = r;
        return result;
    }

    EndingSet endings;
    ReplacementSet replacements;
    std::string text;
    ProbeConverter probe;
};

TEST_F(EndingConversion, EmptyWordsOrZeroFrequenciesDrawNothing) {
    for (const EndingSet& set : {EndingSet{.words = {}, .name = "", .frequencies = {50, 50, 0, 0}},
                                 EndingSet{.words = {sjis("ナリ"), "", "", ""}, .name = ""}}) {
        endings = set;
        start();
        int applied = -1;
        EXPECT_EQ(convert(sjis("文。"), &applied), sjis("文。"));
        EXPECT_EQ(applied, 0);
        EXPECT_EQ(probe.draw(), 41) << "no number was drawn";
    }
}

TEST_F(EndingConversion, EmptySlotHandsItsShareToTheNextWord) {
    endings = {.words = {"", sjis("ナリ"), "", ""}, .name = "", .frequencies = {30, 0, 0, 0}};
    start(7); // draws 61, 22, 15, 40 (mod 100)
    int applied = -1;
    EXPECT_EQ(convert(sjis("猫だ。"), &applied), sjis("猫だ。")) << "61 is beyond 30";
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(convert(sjis("猫だ。"), &applied), sjis("猫だナリ"));
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(convert(sjis("犬だ。犬だ。")), sjis("犬だナリ犬だナリ")) << "one word per segment";
}

TEST_F(EndingConversion, DrawPicksTheSlotByRunningTotal) {
    endings = {.words = {"A", "B", "C", "D"}, .name = "", .frequencies = {40, 20, 10, 30}};
    start();
    for (char word : std::string_view("BCAACAD")) // drawn 41, 67, 34, 0, 69, 24, 78
        EXPECT_EQ(convert(sjis("。")), std::string(1, word));
}

TEST_F(EndingConversion, LineBreaksChangeOnlyWhenTheFlagIsOne) {
    endings = {.words = {sjis("ナリ。"), "", "", ""}, .name = "", .frequencies = {100, 0, 0, 0}};
    start();
    // With the flag at 1 the word's own full stop is replaced in turn.
    for (int flag : {0, 1, 2}) {
        endings.changeLineBreaks = flag;
        EXPECT_EQ(convert(sjis("文\r\n")), sjis(flag == 1 ? "文ナリナリ。" : "文\r\n")) << flag;
    }
}

TEST_F(EndingConversion, ExtremeFrequenciesFromAHandEditedFileDoNotOverflow) {
    endings = {
        .words = {"A", "B", "", ""}, .name = "", .frequencies = {INT32_MIN, INT32_MAX, 0, 0}};
    start(); // 41 + 2^31 - (2^31 - 1) = 42: no slot; 32-bit wrapping would pick A
    EXPECT_EQ(convert(sjis("。")), sjis("。"));
}

class Replacements : public EndingConversion {};

TEST_F(Replacements, RulesAndSourcesApplyInOrderOnEarlierResults) {
    replacements.clearRules();
    replacements.addRule({sjis("猫"), "", sjis("犬"), ""}, sjis("鳥"));
    replacements.addRule({sjis("鳥"), "", "", ""}, sjis("魚"));
    start();
    std::string segment = sjis("猫と犬。");
    probe.applyReplacements(segment);
    EXPECT_EQ(segment, sjis("魚と魚。"));
}

} // namespace
} // namespace mireto::test
