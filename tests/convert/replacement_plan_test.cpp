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

// Odd bytes too: a lone lead byte ("\x82" before a digit), bytes that are second bytes
// after a lead byte ("A", "\x82"), so that replacements can shift character boundaries.
std::string randomBytes(CrtRandom& random, int maxPieces) {
    static const std::vector<std::string> alphabet = {
        "a", "A", "1", "\x82", sjis("あ"), sjis("猫"), sjis("。"), "\r\n", sjis("ソ"), "\x82\x82"};
    std::string piece;
    const int pieces = random.next() % (maxPieces + 1);
    for (int i = 0; i < pieces; ++i)
        piece += alphabet[static_cast<std::size_t>(random.next()) % alphabet.size()];
    return piece;
}

// Rules over those odd bytes, half of their sources empty.
ReplacementSet randomByteRules(CrtRandom& random, int rules) {
    ReplacementSet set;
    set.clearRules();
    for (int r = 0; r < rules; ++r) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = random.next() % 2 == 0 ? "" : randomBytes(random, 2);
        set.addRule(sources, randomBytes(random, 2));
    }
    return set;
}

// The one pass, appending to a string as the page builders' writer does.
bool appendInOnePass(const ReplacementPlan& plan, std::string_view segment,
                     const ReplacementPlan::Prelude& first, std::string& out) {
    ByteWriter writer(out);
    const bool taken = plan.appendInOnePass(segment, first, writer);
    writer.settle();
    return taken;
}

TEST(ReplacementPlan, OnePassGivesTheResultOfEachInTurnOrDeclines) {
    CrtRandom random(77);
    std::string buffer;
    int taken = 0;
    const int rounds = 20000;
    for (int round = 0; round < rounds; ++round) {
        const ReplacementSet set = randomByteRules(random, random.next() % 5);
        ReplacementPlan plan(set);
        // A sentence ending: line breaks, then full stops, become the same word.
        const std::string word = randomBytes(random, 2);
        std::vector<ReplacementPlan::Replacement> first;
        if (!word.empty() && random.next() % 2 == 0)
            first.push_back({sjis::kLineBreak, word});
        if (!word.empty())
            first.push_back({sjis::kFullStop, word});
        const ReplacementPlan::Prelude prelude = plan.prepare(first);

        const std::string segment = randomBytes(random, 10);
        std::string expected = segment;
        for (const auto& [source, target] : first)
            sjis::replaceAll(expected, source, target);
        expected = visitEverySource(set, expected);

        std::string out = "kept";
        if (appendInOnePass(plan, segment, prelude, out)) {
            ++taken;
            ASSERT_EQ(out, "kept" + expected) << "round " << round;
        } else {
            ASSERT_EQ(out, "kept") << "round " << round;
        }
    }
    // The pass must carry most segments, or it is of no use.
    EXPECT_GT(taken, rounds / 2);
}

TEST(ReplacementPlan, ClausesOfOneTextThroughOneScanGiveWhatEachGivesAlone) {
    CrtRandom random(31);
    for (int round = 0; round < 300; ++round) {
        const ReplacementSet set = randomByteRules(random, 1 + random.next() % 4);
        ReplacementPlan plan(set);
        const std::string word = randomBytes(random, 2);
        std::vector<ReplacementPlan::Replacement> first;
        if (!word.empty())
            first.push_back({sjis::kFullStop, word});
        const ReplacementPlan::Prelude prelude = plan.prepare(first);

        // Hundreds of bytes, so that clauses and runs of lead bytes cross the scan's
        // blocks; cut after every full stop, as a page cuts its sentences.
        std::string text;
        for (int piece = random.next() % 60; piece > 0; --piece)
            text += randomBytes(random, 8);
        ReplacementPlan::TextScan scan(plan, text);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = sjis::find(text, sjis::kFullStop, start);
            end = end == sjis::npos ? text.size() : end + sjis::kFullStop.size();
            const std::string_view clause = std::string_view(text).substr(start, end - start);
            std::string alone;
            const bool aloneTaken = appendInOnePass(plan, clause, prelude, alone);
            std::string scanned;
            ByteWriter writer(scanned);
            const bool scannedTaken = plan.appendInOnePass(clause, prelude, writer, scan);
            writer.settle();
            ASSERT_EQ(scannedTaken, aloneTaken) << "round " << round << " at " << start;
            ASSERT_EQ(scanned, alone) << "round " << round << " at " << start;
            if (scannedTaken) {
                std::string expected(clause);
                for (const auto& [source, target] : first)
                    sjis::replaceAll(expected, source, target);
                ASSERT_EQ(scanned, visitEverySource(set, expected)) << "round " << round;
            }
            start = end;
        }
    }
}

TEST(ReplacementPlan, OnePassDeclinesWhereOrderMatters) {
    ReplacementSet set;
    set.clearRules();
    set.addRule({"bc", "", "", ""}, "X");
    set.addRule({"ab", "", "", ""}, "Y");
    set.addRule({"d", "", "", ""}, "ab");
    ReplacementPlan plan(set);
    const ReplacementPlan::Prelude none = plan.prepare({});
    std::string out;
    // "abc": the earlier rule wins the "b" although the later one starts first.
    EXPECT_FALSE(appendInOnePass(plan, "abc", none, out));
    // "d" becomes "ab", which nothing later replaces; "bc" then "ab" apart: one pass.
    EXPECT_TRUE(appendInOnePass(plan, "bc ab", none, out));
    EXPECT_EQ(out, "X Y");
    // A target that holds a source of an earlier rule only.
    out.clear();
    EXPECT_TRUE(appendInOnePass(plan, "d", none, out));
    EXPECT_EQ(out, "ab");
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
