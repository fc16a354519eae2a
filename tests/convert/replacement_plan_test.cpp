// The prepared replacement set gives exactly what visiting every source in order gives.
#include "convert/crt_random.h"
#include "convert/replacement_plan.h"
#include "convert/sjis_text.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

// The rule as stated: every rule in order, each of its four sources in order.
std::string visitEverySource(const ReplacementSet& set, std::string segment) {
    for (std::size_t rule = 0; rule < set.ruleCount(); ++rule)
        for (const std::string& source : set.sources[rule])
            sjis::replaceAll(segment, source, set.targets[rule]);
    return segment;
}

// Random strings over a small alphabet of single- and double-byte characters, so that
// sources often occur, overlap, and appear again inside targets.
std::string randomPiece(CrtRandom& random, int maxChars) {
    static const std::vector<std::string> alphabet = {"a",        "b",    sjis("あ"), sjis("猫"),
                                                      sjis("。"), "\r\n", sjis("ソ")};
    std::string piece;
    const int chars = random.next() % (maxChars + 1);
    for (int i = 0; i < chars; ++i)
        piece += alphabet[static_cast<std::size_t>(random.next()) % alphabet.size()];
    return piece;
}

ReplacementSet randomSet(CrtRandom& random, int rules) {
    ReplacementSet set;
    set.clearRules();
    for (int r = 0; r < rules; ++r) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = random.next() % 3 == 0 ? "" : randomPiece(random, 2);
        set.addRule(sources, randomPiece(random, 3));
    }
    return set;
}

TEST(ReplacementPlan, MatchesVisitingEverySourceInOrder) {
    CrtRandom random(2024);
    std::string buffer;
    for (int round = 0; round < 3000; ++round) {
        const ReplacementSet set = randomSet(random, 1 + random.next() % 6);
        const ReplacementPlan plan(set);
        const std::string segment = randomPiece(random, 12);
        std::string planned = segment;
        plan.apply(planned, buffer);
        ASSERT_EQ(planned, visitEverySource(set, segment)) << "round " << round;
    }
}

TEST(ReplacementPlan, LongSegmentsFedInBlocksGiveTheSameResult) {
    CrtRandom random(4711);
    std::string buffer;
    for (int round = 0; round < 3000; ++round) {
        const ReplacementSet set = randomSet(random, 1 + random.next() % 6);
        // Blocks of a few bytes put block edges inside sources, targets and characters.
        const ReplacementPlan plan(set, 1 + static_cast<std::size_t>(random.next() % 6));
        const std::string segment = randomPiece(random, 40);
        std::string planned = segment;
        plan.apply(planned, buffer);
        ASSERT_EQ(planned, visitEverySource(set, segment)) << "round " << round;

        // Replacements made first (a sentence ending) join the same chain.
        const std::string source = randomPiece(random, 1);
        const std::string target = randomPiece(random, 2);
        const ReplacementPlan::Replacement first[] = {{source, target}};
        std::string appended = "kept";
        plan.appendInBlocks(segment, first, appended);
        std::string expected = segment;
        sjis::replaceAll(expected, source, target);
        ASSERT_EQ(appended, "kept" + visitEverySource(set, expected)) << "round " << round;
    }
}

TEST(ReplacementPlan, MoreThanSixtyFourSourcesAreAllApplied) {
    ReplacementSet set;
    set.clearRules();
    for (int r = 0; r < 30; ++r)
        set.addRule({"x" + std::to_string(r) + ";", "y" + std::to_string(r) + ";", "", "z"}, "w");
    set.addRule({"w", "", "", ""}, sjis("完"));
    const ReplacementPlan plan(set);
    std::string buffer;
    std::string segment = "x5; y29; z x29;";
    plan.apply(segment, buffer);
    EXPECT_EQ(segment, sjis("完 完 完 完"));
    EXPECT_EQ(segment, visitEverySource(set, "x5; y29; z x29;"));
}

TEST(ReplacementPlan, EmptyTargetJoiningNeighboursLetsALaterSourceMatch) {
    ReplacementSet set;
    set.clearRules();
    set.addRule({"-", "", "", ""}, "");
    set.addRule({"ab", "", "", ""}, "X");
    const ReplacementPlan plan(set);
    std::string buffer;
    std::string segment = "a-b";
    plan.apply(segment, buffer);
    EXPECT_EQ(segment, "X");
}

} // namespace
} // namespace mireto::test
