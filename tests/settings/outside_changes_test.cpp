// Mireto.ini written by another program while the editor runs: noticed by its contents,
// and its records taken in without overwriting the editor's.
#include "settings/outside_changes.h"
#include "settings/settings_file.h"
#include "tests/support/records.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

SettingsStore editorStore() {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(endingSet("猫", "にゃ", 100), 1);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.InsertOverallTemplate(overallTemplate("ねこ", "猫", "無し", "標準的"), 0);
    store.BuildFormatNames();
    return store;
}

TEST(OutsideChanges, AChangeIsToldByTheContentsNotByTheTime) {
    TempDir dir;
    const auto file = dir / "Mireto.ini";
    SettingsFileState state;
    state.rememberFile(file);
    EXPECT_FALSE(state.changedBytes(file)) << "absent, and still absent";
    writeFile(file, "made by another program");
    EXPECT_EQ(state.changedBytes(file), "made by another program");

    state.remember("ours");
    writeFile(file, "ours");
    EXPECT_FALSE(state.changedBytes(file));
    writeFile(file, "ours, then theirs");
    EXPECT_EQ(state.changedBytes(file), "ours, then theirs");
    state.rememberFile(file);
    EXPECT_FALSE(state.changedBytes(file));
    std::filesystem::remove(file);
    EXPECT_FALSE(state.changedBytes(file)) << "gone: the editor's write makes it again";
}

TEST(OutsideChanges, OnlyTheOtherSidesNewNamesComeInTheEditorsRecordsStay) {
    SettingsStore theirs = editorStore();
    theirs.OverwriteEndingSet(endingSet("猫", "にゃーん", 100), 1); // changed there
    theirs.InsertEndingSet(endingSet("犬", "わん", 100), 2);        // new there
    theirs.InsertOverallTemplate(overallTemplate("いぬ", "犬", "無し", "標準的"), 1);
    const std::string theirBytes = SettingsFileBytes(
        theirs, {}, {overallTemplate("きつね", "無し", "無し", "標準的"), noneEndingSet(), {}});

    SettingsStore store = editorStore();
    const std::vector<ImportedRecord> added = TakeInOtherRecords(store, theirBytes);
    using R = ImportedRecord::Result;
    // The other side's current template is one of its records too.
    EXPECT_EQ(added, (std::vector<ImportedRecord>{
                         {RecordKind::EndingSet, sjis("犬"), sjis("犬"), R::Added},
                         {RecordKind::OverallTemplate, sjis("きつね"), sjis("きつね"), R::Added},
                         {RecordKind::OverallTemplate, sjis("いぬ"), sjis("いぬ"), R::Added},
                     }));
    // 犬 sorts before 猫; the editor's 猫 stays as it was.
    EXPECT_EQ(store.GetEndingSet(1), endingSet("犬", "わん", 100));
    EXPECT_EQ(store.GetEndingSet(2), endingSet("猫", "にゃ", 100));
    EXPECT_EQ(store.overallTemplateCount(), 3u);
    // Bytes that are no settings file bring nothing.
    EXPECT_TRUE(TakeInOtherRecords(store, "plain text\n").empty());
    EXPECT_EQ(store.overallTemplateCount(), 3u);
}

} // namespace
} // namespace mireto::test
