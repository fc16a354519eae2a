// The settings store: positions, defaults beyond the end, inserts, overwrites, deletes.
#include "settings/settings_store.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

EndingSet namedEnding(const std::string& name) {
    EndingSet set;
    set.name = name;
    set.words[0] = name + "!";
    return set;
}

OverallTemplate overall(const std::string& name, const std::string& ending,
                        const std::string& replacement) {
    OverallTemplate t;
    t.name = name;
    t.endingSetName = ending;
    t.replacementSetName = replacement;
    return t;
}

TEST(SettingsStore, QueriesBeyondTheEndGiveTheDefaults) {
    SettingsStore store;
    store.InsertEndingSet(namedEnding("a"), 0);
    EXPECT_EQ(store.GetEndingSet(1), EndingSet{});
    EXPECT_EQ(store.GetEndingSet(static_cast<SettingsStore::Position>(-1)), EndingSet{});
    EXPECT_EQ(store.GetReplacementSet(0).ruleCount(), 1u);
    EXPECT_EQ(store.GetReplacementSet(0).name, "");
    EXPECT_EQ(store.GetOverallTemplate(0),
              (OverallTemplate{sjis("無し"), sjis("無し"), sjis("フォント弄り"), ""}));
}

TEST(SettingsStore, InsertShiftsAndAppends) {
    SettingsStore store;
    store.InsertEndingSet(namedEnding("b"), 0);
    store.InsertEndingSet(namedEnding("a"), 0);
    store.InsertEndingSet(namedEnding("c"), 2);
    ASSERT_EQ(store.endingSetCount(), 3u);
    for (SettingsStore::Position at = 0; at < 3; ++at)
        EXPECT_EQ(store.GetEndingSet(at), namedEnding(std::string(1, char('a' + at))));
}

TEST(SettingsStore, DeletesRefuseEmptyListsAndOutOfRangePositions) {
    SettingsStore store;
    EXPECT_FALSE(store.DeleteOverallTemplate(0));
    EXPECT_FALSE(store.DeleteOverallTemplate(static_cast<SettingsStore::Position>(-1)));
    store.InsertOverallTemplate(overall("t1", "", ""), 0);
    store.InsertOverallTemplate(overall("t2", "", ""), 1);
    EXPECT_FALSE(store.DeleteOverallTemplate(2));
    EXPECT_TRUE(store.DeleteOverallTemplate(0));
    EXPECT_EQ(store.GetOverallTemplate(0).name, "t2");
    EXPECT_EQ(store.overallTemplateCount(), 1u);
}

TEST(SettingsStore, FindSetIndexByTemplateNamesFirstMatchOrNone) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(namedEnding("twin"), 1);
    store.InsertEndingSet(namedEnding("twin"), 2);
    store.InsertEndingSet(namedEnding("Other"), 3);
    ReplacementSet replacement = noneReplacementSet();
    store.InsertReplacementSet(replacement, 0);
    replacement.name = "rules";
    store.InsertReplacementSet(replacement, 1);

    store.InsertOverallTemplate(overall("t", "twin", "rules"), 0);
    store.InsertOverallTemplate(overall("gone", "deleted", "missing"), 1);
    store.InsertOverallTemplate(overall("case", "other", "RULES"), 2);

    EXPECT_EQ(store.FindEndingSetIndex(0), 1u) << "the lower of two equal names";
    EXPECT_EQ(store.FindReplacementSetIndex(0), 1u);
    EXPECT_EQ(store.FindEndingSetIndex(1), 0u) << "a deleted set resolves to the none set";
    EXPECT_EQ(store.FindReplacementSetIndex(1), 0u);
    EXPECT_EQ(store.FindEndingSetIndex(2), 0u) << "names differing in case differ";
    EXPECT_EQ(store.FindReplacementSetIndex(2), 0u);
}

TEST(SettingsStore, PositionsBeyondTheCountNeverLoseARecord) {
    SettingsStore store;
    const auto noSelection = static_cast<SettingsStore::Position>(-1);
    store.InsertReplacementSet(noneReplacementSet(), noSelection);
    store.OverwriteOverallTemplate(overall("t", "", ""), 5);
    EXPECT_EQ(store.replacementSetCount(), 1u);
    EXPECT_EQ(store.GetReplacementSet(0), noneReplacementSet());
    EXPECT_EQ(store.overallTemplateCount(), 1u);
    EXPECT_EQ(store.GetOverallTemplate(0).name, "t");
    EXPECT_FALSE(store.DeleteReplacementSet(noSelection));
    EXPECT_FALSE(store.DeleteEndingSet(0));
    EXPECT_EQ(store.replacementSetCount(), 1u);
}

} // namespace
} // namespace mireto::test
