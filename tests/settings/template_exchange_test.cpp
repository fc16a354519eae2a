// Templates and sets as files: what an export holds and how it reads back, what
// mireto-convert finds in it, and how an import adds records under taken names.
#include "settings/settings_file.h"
#include "settings/template_exchange.h"
#include "tests/support/records.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace mireto::test {
namespace {

using Result = ImportedRecord::Result;

// A store as the editor holds it: the none sets first, the user's in list order.
SettingsStore runningStore() {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(endingSet("侍", "でござる", 60), 1);
    store.InsertEndingSet(endingSet("猫", "にゃ", 60), 2);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.InsertReplacementSet(replacementSet("猫語", "な", "にゃ"), 1);
    store.InsertOverallTemplate(overallTemplate("お侍さん", "侍", "無し", "標準的"), 0);
    store.InsertOverallTemplate(overallTemplate("猫になる", "猫", "猫語", "フォント弄り(背景白)"),
                                1);
    store.InsertOverallTemplate(overallTemplate("消えた", "もう無い", "猫語", "標準的"), 2);
    store.BuildFormatNames();
    return store;
}

std::vector<std::string> names(const SettingsStore& store, RecordKind kind) {
    std::vector<std::string> list;
    const std::size_t count = kind == RecordKind::OverallTemplate ? store.overallTemplateCount()
                              : kind == RecordKind::EndingSet     ? store.endingSetCount()
                                                                  : store.replacementSetCount();
    for (std::size_t p = 0; p < count; ++p) {
        const std::string name = kind == RecordKind::OverallTemplate
                                     ? store.GetOverallTemplate(p).name
                                 : kind == RecordKind::EndingSet ? store.GetEndingSet(p).name
                                                                 : store.GetReplacementSet(p).name;
        list.push_back(utf8(name));
    }
    return list;
}

class TemplateExchange : public ::testing::Test {
protected:
    TempDir dir;
    SettingsStore store = runningStore();

    SharedFile exportAndRead(const ExportRequest& request, const FormatSettings& settings = {}) {
        writeFile(dir / "shared.ini", SharedFileBytes(RecordsToExport(store, request), settings));
        return ReadSharedFile(dir / "shared.ini");
    }
};

TEST_F(TemplateExchange, ATemplateTravelsWithTheSetsItUses) {
    const SharedRecords records = RecordsToExport(store, {{1, 0}, {}, {}});
    EXPECT_EQ(records.templates,
              (std::vector{store.GetOverallTemplate(0), store.GetOverallTemplate(1)}));
    EXPECT_EQ(records.endingSets, (std::vector{store.GetEndingSet(1), store.GetEndingSet(2)}));
    EXPECT_EQ(records.replacementSets, std::vector{store.GetReplacementSet(1)});

    // A set asked for as well comes once; a template whose set is gone brings none; the
    // none sets are never written; positions past the lists are no records.
    const SharedRecords alone = RecordsToExport(store, {{2, 9}, {0, 2, 2}, {1, 5}});
    EXPECT_EQ(alone.templates, std::vector{store.GetOverallTemplate(2)});
    EXPECT_EQ(alone.endingSets, std::vector{store.GetEndingSet(2)});
    EXPECT_EQ(alone.replacementSets, std::vector{store.GetReplacementSet(1)});
}

TEST_F(TemplateExchange, AnExportReadsBackAsTheSameRecordsAndSettings) {
    FormatSettings settings;
    settings.standardColours = {"#102030", "#405060"};
    settings.thread.mode = ThreadSettings::BadThread;
    settings.lineBreakDegree = 4;
    const ExportRequest request{{0, 1, 2}, {1, 2}, {1}};
    const SharedFile file = exportAndRead(request, settings);
    ASSERT_EQ(file.status, SharedFile::Status::Read);
    EXPECT_EQ(file.records, RecordsToExport(store, request));
    EXPECT_EQ(file.formatSettings, settings);

    // A single set alone.
    const SharedFile one = exportAndRead({{}, {}, {1}});
    ASSERT_EQ(one.status, SharedFile::Status::Read);
    EXPECT_EQ(one.records, (SharedRecords{{}, {}, {store.GetReplacementSet(1)}}));
}

TEST_F(TemplateExchange, TheFirstTemplateIsCurrentAndEveryOneIsListed) {
    writeFile(dir / "shared.ini", SharedFileBytes(RecordsToExport(store, {{1, 0}, {}, {}}), {}));
    SettingsStore read;
    FormatSettings settings;
    CurrentSelection current;
    ASSERT_EQ(LoadSettingsAtStartup(dir / "shared.ini", read, settings, current),
              StartupOutcome::Loaded);
    // In store order お侍さん comes first: it is what -s FILE alone converts with.
    EXPECT_EQ(current.overallTemplate, store.GetOverallTemplate(0));
    EXPECT_EQ(current.endingSet, store.GetEndingSet(1));
    EXPECT_EQ(current.replacementSet, noneReplacementSet());
    EXPECT_EQ(names(read, RecordKind::OverallTemplate),
              (std::vector<std::string>{"お侍さん", "猫になる"}));
    EXPECT_EQ(names(read, RecordKind::EndingSet), (std::vector<std::string>{"無し", "侍", "猫"}));
    // As -t 猫になる finds its sets.
    EXPECT_EQ(read.GetEndingSet(read.FindEndingSetIndex(1)), store.GetEndingSet(2));
    EXPECT_EQ(read.GetReplacementSet(read.FindReplacementSetIndex(1)), store.GetReplacementSet(1));

    // Sets alone: the first of each is current.
    writeFile(dir / "sets.ini", SharedFileBytes(RecordsToExport(store, {{}, {2}, {1}}), {}));
    SettingsStore sets;
    ASSERT_EQ(LoadSettingsAtStartup(dir / "sets.ini", sets, settings, current),
              StartupOutcome::Loaded);
    EXPECT_EQ(current.endingSet, store.GetEndingSet(2));
    EXPECT_EQ(current.replacementSet, store.GetReplacementSet(1));
    EXPECT_EQ(current.overallTemplate.endingSetName, sjis("猫"));
}

TEST_F(TemplateExchange, AnyMiretoIniListsItsNamedRecordsOnly) {
    SettingsStore file;
    file.InsertEndingSet(endingSet("今の", "x", 60), 0); // the current slot
    file.InsertEndingSet(endingSet("犬", "わん", 60), 1);
    file.InsertEndingSet(endingSet("", "x", 60), 2);
    file.InsertEndingSet(endingSet("犬", "ばう", 60), 3);
    file.InsertEndingSet(endingSet("無し", "x", 60), 4);
    file.InsertEndingSet(endingSet("狐", "こん", 60), 5);
    file.InsertReplacementSet(noneReplacementSet(), 0);
    file.InsertOverallTemplate(overallTemplate("今のテンプレート", "犬", "無し", "標準的"), 0);
    file.InsertOverallTemplate(overallTemplate("いぬ", "犬", "無し", "標準的"), 1);
    std::string bytes;
    WriteFormatSettings(bytes, {});
    file.Save(bytes);
    writeFile(dir / "Mireto.ini", bytes);

    const SharedFile read = ReadSharedFile(dir / "Mireto.ini");
    ASSERT_EQ(read.status, SharedFile::Status::Read);
    EXPECT_EQ(read.records.endingSets,
              (std::vector{endingSet("犬", "わん", 60), endingSet("狐", "こん", 60)}));
    EXPECT_TRUE(read.records.replacementSets.empty());
    EXPECT_EQ(read.records.templates, std::vector{overallTemplate("いぬ", "犬", "無し", "標準的")});
}

TEST_F(TemplateExchange, FilesThatCannotBeImportedSayWhy) {
    EXPECT_EQ(ReadSharedFile(dir / "none.ini").status, SharedFile::Status::Missing);
    EXPECT_EQ(ReadSharedFile(dir.path()).status, SharedFile::Status::NotAFile);
    writeFile(dir / "note.txt", sjis("今日は晴れ。\r\n"));
    const SharedFile text = ReadSharedFile(dir / "note.txt");
    EXPECT_EQ(text.status, SharedFile::Status::Malformed);
    EXPECT_EQ(text.check.line, 1u);
    EXPECT_TRUE(text.records.empty());
}

TEST_F(TemplateExchange, NewNamesGoWhereTheEditorsWouldPutThem) {
    const SharedRecords records{{overallTemplate("ぬこ", "狐", "無し", "標準的")},
                                {endingSet("狐", "こん", 60), endingSet("ア", "あ", 60)},
                                {}};
    const std::vector<ImportedRecord> results = ImportRecords(
        store, records,
        {{RecordKind::OverallTemplate, 0}, {RecordKind::EndingSet, 1}, {RecordKind::EndingSet, 0}});
    // Sets first, then templates, each before the first name that sorts after it in
    // byte order (ア 83 41, 狐 8C CF, 侍 8E 98, 猫 94 4C), whatever order the list is in.
    EXPECT_EQ(results, (std::vector<ImportedRecord>{
                           {RecordKind::EndingSet, sjis("ア"), sjis("ア"), Result::Added},
                           {RecordKind::EndingSet, sjis("狐"), sjis("狐"), Result::Added},
                           {RecordKind::OverallTemplate, sjis("ぬこ"), sjis("ぬこ"), Result::Added},
                       }));
    EXPECT_EQ(names(store, RecordKind::EndingSet),
              (std::vector<std::string>{"無し", "ア", "狐", "侍", "猫"}));
    EXPECT_EQ(names(store, RecordKind::OverallTemplate),
              (std::vector<std::string>{"お侍さん", "ぬこ", "猫になる", "消えた"}));
    EXPECT_EQ(store.GetEndingSet(2), endingSet("狐", "こん", 60));
}

TEST_F(TemplateExchange, EachConflictChoiceDoesWhatItSays) {
    const SharedRecords records{{overallTemplate("猫になる", "猫", "猫語", "標準的")},
                                {endingSet("猫", "にゃん", 60)},
                                {replacementSet("猫語", "の", "にゃ")}};
    const SettingsStore before = store;

    SettingsStore skipped = store;
    EXPECT_EQ(
        ImportRecords(skipped, records,
                      {{RecordKind::EndingSet, 0, OnConflict::Skip},
                       {RecordKind::OverallTemplate, 0, OnConflict::Skip}}),
        (std::vector<ImportedRecord>{
            {RecordKind::EndingSet, sjis("猫"), sjis("猫"), Result::Skipped},
            {RecordKind::OverallTemplate, sjis("猫になる"), sjis("猫になる"), Result::Skipped}}));
    EXPECT_EQ(names(skipped, RecordKind::EndingSet), names(before, RecordKind::EndingSet));
    EXPECT_EQ(skipped.GetEndingSet(2), before.GetEndingSet(2));
    EXPECT_EQ(skipped.GetOverallTemplate(1), before.GetOverallTemplate(1));

    SettingsStore overwritten = store;
    ImportRecords(overwritten, records,
                  {{RecordKind::EndingSet, 0, OnConflict::Overwrite},
                   {RecordKind::OverallTemplate, 0, OnConflict::Overwrite}});
    EXPECT_EQ(names(overwritten, RecordKind::EndingSet), names(before, RecordKind::EndingSet));
    EXPECT_EQ(overwritten.GetEndingSet(2), records.endingSets[0]);
    EXPECT_EQ(overwritten.GetOverallTemplate(1), records.templates[0]);

    // Kept both: the file's sets take free names, and the template imported with them
    // names them so, while the stored records stay as they were.
    SettingsStore both = store;
    both.InsertEndingSet(endingSet("猫 (2)", "x", 60), 3);
    EXPECT_EQ(ImportRecords(both, records,
                            {{RecordKind::OverallTemplate, 0, OnConflict::KeepBoth},
                             {RecordKind::ReplacementSet, 0, OnConflict::KeepBoth},
                             {RecordKind::EndingSet, 0, OnConflict::KeepBoth}}),
              (std::vector<ImportedRecord>{
                  {RecordKind::EndingSet, sjis("猫"), sjis("猫 (3)"), Result::AddedAs},
                  {RecordKind::ReplacementSet, sjis("猫語"), sjis("猫語 (2)"), Result::AddedAs},
                  {RecordKind::OverallTemplate, sjis("猫になる"), sjis("猫になる (2)"),
                   Result::AddedAs}}));
    EXPECT_EQ(names(both, RecordKind::EndingSet),
              (std::vector<std::string>{"無し", "侍", "猫", "猫 (2)", "猫 (3)"}));
    EXPECT_EQ(both.GetEndingSet(2), before.GetEndingSet(2));
    EXPECT_EQ(names(both, RecordKind::OverallTemplate),
              (std::vector<std::string>{"お侍さん", "猫になる", "消えた", "猫になる (2)"}));
    EXPECT_EQ(both.GetOverallTemplate(3),
              overallTemplate("猫になる (2)", "猫 (3)", "猫語 (2)", "標準的"));
    EXPECT_EQ(both.GetEndingSet(both.FindEndingSetIndex(3)).words[0], sjis("にゃん"));
    EXPECT_EQ(both.GetOverallTemplate(1), before.GetOverallTemplate(1));
}

TEST_F(TemplateExchange, TheListsRulesDecideWhatIsTaken) {
    store.InsertEndingSet(endingSet("Neko", "x", 60), 3);
    const SharedRecords records{{}, {endingSet("neko", "y", 60)}, {}};
    const NameRules ignoringCase{[](std::string_view name) {
        std::string key(name);
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    }};
    EXPECT_FALSE(NameTaken(store, RecordKind::EndingSet, "neko"));
    EXPECT_TRUE(NameTaken(store, RecordKind::EndingSet, "neko", ignoringCase));
    ImportRecords(store, records, {{RecordKind::EndingSet, 0, OnConflict::Overwrite}},
                  ignoringCase);
    // Overwritten, and named as the file spells it.
    EXPECT_EQ(store.GetEndingSet(3), endingSet("neko", "y", 60));
    EXPECT_EQ(store.endingSetCount(), 4u);
    // The built-in none set is no name to take.
    EXPECT_FALSE(NameTaken(store, RecordKind::EndingSet, sjis("無し")));
}

TEST_F(TemplateExchange, MissingSetsAreThoseNeitherTheFileNorTheStoreHas) {
    const SharedRecords records{{overallTemplate("狐の嫁入り", "狐", "狐語", "標準的"),
                                 overallTemplate("猫", "猫", "無し", "標準的"),
                                 overallTemplate("侍の狐", "侍", "狐語", "標準的")},
                                {endingSet("狐", "こん", 60)},
                                {replacementSet("狐語", "の", "こん")}};
    using K = RecordKind;
    const ImportPreview preview(store, records);
    const auto missing = [&](std::size_t index, const std::vector<ImportChoice>& choices) {
        return preview.missingSets(choices).at(index);
    };
    // Neither set chosen: the store has no 狐 and no 狐語.
    EXPECT_EQ(missing(0, {}), (std::vector<RecordKind>{K::EndingSet, K::ReplacementSet}));
    EXPECT_EQ(missing(0, {{K::EndingSet, 0}}), std::vector<RecordKind>{K::ReplacementSet});
    EXPECT_TRUE(missing(0, {{K::EndingSet, 0}, {K::ReplacementSet, 0}}).empty());
    // The store's 猫 and 侍 do, and 無し is always there.
    EXPECT_TRUE(missing(1, {}).empty());
    EXPECT_EQ(missing(2, {{K::OverallTemplate, 2}}), std::vector<RecordKind>{K::ReplacementSet});
    // The import that says them too says them of the store before it.
    const std::vector<ImportChoice> some{{K::OverallTemplate, 0}, {K::EndingSet, 0}};
    SettingsStore imported = store;
    std::vector<std::vector<RecordKind>> said;
    ImportRecords(imported, records, some, {}, said);
    EXPECT_EQ(said, preview.missingSets(some));
    EXPECT_EQ(said.at(0), std::vector<RecordKind>{K::ReplacementSet});

    // A skipped template goes nowhere, and so misses nothing.
    const SharedRecords taken{{overallTemplate("猫になる", "狐", "狐語", "標準的")}, {}, {}};
    const ImportPreview takenPreview(store, taken);
    EXPECT_TRUE(takenPreview.missingSets({{K::OverallTemplate, 0, OnConflict::Skip}})[0].empty());
    EXPECT_EQ(takenPreview.missingSets({{K::OverallTemplate, 0, OnConflict::KeepBoth}})[0].size(),
              2u);
}

// The import places every record as adding them one at a time before the first listed
// name that sorts after it would, in lists in order or not, with names taken by the
// store and by the import itself: checked against that one-at-a-time rule on random
// cases.
TEST_F(TemplateExchange, AnImportOfManyPlacesEachRecordAsOneAtATimeWould) {
    std::mt19937 random(20261207);
    const std::vector<std::string> pool = {"a", "B", "b", "c", "a (2)", "C (2)", "d", "e"};
    const auto pickName = [&] { return pool[random() % pool.size()]; };
    const NameRules ignoringCase{[](std::string_view name) {
        std::string key(name);
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    }};
    for (int round = 0; round < 400; ++round) {
        const NameRules rules = round % 2 ? ignoringCase : NameRules{};
        SettingsStore start;
        start.InsertEndingSet(noneEndingSet(), 0);
        for (std::size_t n = random() % 6; n > 0; --n)
            start.InsertEndingSet(endingSet(pickName().c_str(), "x", 60), start.endingSetCount());
        SharedRecords records;
        std::vector<ImportChoice> choices;
        for (std::size_t n = random() % 6; n > 0; --n) {
            EndingSet set;
            set.name = pickName();
            set.words[0] = std::to_string(n);
            records.endingSets.push_back(set);
            choices.push_back({RecordKind::EndingSet, records.endingSets.size() - 1,
                               static_cast<OnConflict>(random() % 3)});
        }

        // One at a time, comparing names as the rules say.
        SettingsStore expected = start;
        std::vector<ImportedRecord> expectedResults;
        for (const ImportChoice& choice : choices) {
            EndingSet set = records.endingSets[choice.index];
            ImportedRecord result{RecordKind::EndingSet, set.name, set.name, Result::Added};
            const auto find = [&](const std::string& name) -> std::optional<std::size_t> {
                for (std::size_t p = 1; p < expected.endingSetCount(); ++p) {
                    if (rules.same(expected.GetEndingSet(p).name, name))
                        return p;
                }
                return std::nullopt;
            };
            const std::optional<std::size_t> taken = find(set.name);
            if (taken && choice.onConflict == OnConflict::Skip) {
                result = {RecordKind::EndingSet, set.name, expected.GetEndingSet(*taken).name,
                          Result::Skipped};
            } else if (taken && choice.onConflict == OnConflict::Overwrite) {
                result.result = Result::Overwritten;
                expected.OverwriteEndingSet(set, *taken);
            } else {
                if (taken) {
                    for (int n = 2; find(set.name + " (" + std::to_string(n) + ")"); ++n)
                        result.storedName = set.name + " (" + std::to_string(n + 1) + ")";
                    if (result.storedName == set.name)
                        result.storedName = set.name + " (2)";
                    result.result = Result::AddedAs;
                    set.name = result.storedName;
                }
                std::size_t at = 1;
                while (at < expected.endingSetCount() &&
                       !rules.before(set.name, expected.GetEndingSet(at).name))
                    ++at;
                expected.InsertEndingSet(set, at);
            }
            expectedResults.push_back(result);
        }

        SettingsStore imported = start;
        ASSERT_EQ(ImportRecords(imported, records, choices, rules), expectedResults)
            << "round " << round;
        ASSERT_EQ(names(imported, RecordKind::EndingSet), names(expected, RecordKind::EndingSet))
            << "round " << round;
        for (std::size_t p = 0; p < expected.endingSetCount(); ++p)
            ASSERT_EQ(imported.GetEndingSet(p), expected.GetEndingSet(p)) << "round " << round;
    }
}

} // namespace
} // namespace mireto::test
