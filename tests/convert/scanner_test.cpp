// The segment scanner: where it cuts, and what its tests see at each step.
#include "probe_converter.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

struct Scan {
    std::vector<ScanRecord> steps;
    std::string finalSegment;
};

Scan scan(const std::string& text, bool clauses = false) {
    const EndingSet endings;
    const ReplacementSet replacements;
    ProbeConverter probe(clauses);
    probe.setInputs(endings, replacements, text);
    probe.buildPage();
    return {probe.steps, probe.finalSegment};
}

TEST(Scanner, CutsSentencesAndLinesKeepingTheDelimiter) {
    const Scan result = scan(sjis("今日は晴れ。明日は雨\r\n次"));
    ASSERT_EQ(result.steps.size(), 2u);
    EXPECT_EQ(result.steps[0].segment, sjis("今日は晴れ。"));
    EXPECT_TRUE(result.steps[0].fullStopEndsHere);
    EXPECT_FALSE(result.steps[0].lineBreakEndsHere);
    EXPECT_EQ(result.steps[1].segment, sjis("明日は雨\r\n"));
    EXPECT_TRUE(result.steps[1].lineBreakEndsHere);
    EXPECT_EQ(result.steps[1].twoBytesBefore, sjis("雨"));
    EXPECT_EQ(result.finalSegment, sjis("次"));
}

TEST(Scanner, FullStopFollowedByLineBreakMakesLineBreakEndHereToo) {
    const Scan result = scan(sjis("文。\r\n"));
    ASSERT_EQ(result.steps.size(), 2u);
    EXPECT_EQ(result.steps[0].segment, sjis("文。"));
    EXPECT_TRUE(result.steps[0].lineBreakEndsHere) << "CR LF begins right after the full stop";
    EXPECT_EQ(result.steps[1].segment, "\r\n");
    EXPECT_TRUE(result.steps[1].lineBreakEndsHere);
    EXPECT_EQ(result.steps[1].twoBytesBefore, sjis("。"));
}

TEST(Scanner, LineBreakAtTheStartLooksAtTheFirstTwoBytes) {
    const Scan atZero = scan("\r\nabc");
    ASSERT_EQ(atZero.steps.size(), 1u);
    EXPECT_EQ(atZero.steps[0].twoBytesBefore, "\r\n");
    EXPECT_EQ(atZero.steps[0].position, 2);

    const Scan atOne = scan("x\r\n");
    ASSERT_EQ(atOne.steps.size(), 1u);
    EXPECT_EQ(atOne.steps[0].twoBytesBefore, "x\r");
}

TEST(Scanner, ClauseDelimitersIncludeTheComma) {
    const Scan result = scan(sjis("春、夏。秋"), true);
    ASSERT_EQ(result.steps.size(), 2u);
    EXPECT_EQ(result.steps[0].segment, sjis("春、"));
    EXPECT_TRUE(result.steps[0].commaEndsHere);
    EXPECT_EQ(result.steps[1].segment, sjis("夏。"));
    EXPECT_EQ(result.finalSegment, sjis("秋"));
}

TEST(Scanner, LoneLeadByteAtTheEndIsKept) {
    const Scan result = scan(std::string("ab\r\n") + "\x82");
    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_EQ(result.finalSegment, "\x82");
}

} // namespace
} // namespace mireto::test
