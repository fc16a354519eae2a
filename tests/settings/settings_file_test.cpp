// Mireto.ini: the bytes written at shutdown, what start-up makes of them, damaged files,
// and a save that fails leaving the old file in place.
#include "settings/settings_file.h"
#include "tests/support/first_run_settings.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace mireto::test {
namespace {

// What the editor holds between start-up and shutdown.
struct Session {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;

    StartupOutcome start(const std::filesystem::path& path) {
        return LoadSettingsAtStartup(path, store, settings, current);
    }
    FileWriteResult close(const std::filesystem::path& path) {
        return SaveSettingsAtShutdown(path, store, settings, current);
    }
};

Session startFrom(const std::string& fileBytes, StartupOutcome expected = StartupOutcome::Loaded) {
    TempDir dir;
    writeFile(dir / "Mireto.ini", fileBytes);
    Session session;
    EXPECT_EQ(session.start(dir / "Mireto.ini"), expected);
    return session;
}

// Every entry of one of the store's lists, by position.
template <typename Record>
std::vector<Record> entries(const SettingsStore& store, std::size_t count,
                            Record (SettingsStore::*get)(SettingsStore::Position) const) {
    std::vector<Record> records;
    for (std::size_t i = 0; i < count; ++i)
        records.push_back((store.*get)(i));
    return records;
}

std::vector<EndingSet> endingSets(const SettingsStore& store) {
    return entries(store, store.endingSetCount(), &SettingsStore::GetEndingSet);
}

std::vector<ReplacementSet> replacementSets(const SettingsStore& store) {
    return entries(store, store.replacementSetCount(), &SettingsStore::GetReplacementSet);
}

std::vector<OverallTemplate> overallTemplates(const SettingsStore& store) {
    return entries(store, store.overallTemplateCount(), &SettingsStore::GetOverallTemplate);
}

const std::string kFirstRunFile = firstRunSettingsFile();

TEST(SettingsFile, FirstRunWithoutAFileStartsWithDefaultsAndWritesTheTwelveLines) {
    TempDir dir;
    Session session;
    ASSERT_EQ(session.start(dir / "Mireto.ini"), StartupOutcome::FileMissing);
    EXPECT_EQ(endingSets(session.store), std::vector<EndingSet>{noneEndingSet()});
    EXPECT_EQ(replacementSets(session.store), std::vector<ReplacementSet>{noneReplacementSet()});
    EXPECT_EQ(session.store.overallTemplateCount(), 0u);
    EXPECT_EQ(session.store.GetFormatName(6), sjis("ソルネ屋仕様"));
    EXPECT_EQ(session.settings, FormatSettings{});
    EXPECT_EQ(session.current, CurrentSelection{});

    const FileWriteResult saved = session.close(dir / "Mireto.ini");
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(readFile(dir / "Mireto.ini"), kFirstRunFile);
}

// Everything the file carries, in forms that trip a careless reader or writer.
Session richSession() {
    Session session;
    SettingsStore& store = session.store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);

    EndingSet ending;
    ending.name = sjis("語尾,その一");
    ending.words = {sjis("にゃ。"), "", ",", sjis("だぴょん")};
    ending.frequencies = {30, 0, -5, 2147483647};
    store.InsertEndingSet(ending, 1);
    EndingSet emptyWords;
    emptyWords.name = "plain";
    store.InsertEndingSet(emptyWords, 2);

    ReplacementSet many;
    many.name = "many";
    many.clearRules();
    for (int i = 0; i < 60; ++i)
        many.addRule({"a,b" + std::to_string(i), "", sjis("表"), "0,,"}, sjis("十,") + "x");
    store.InsertReplacementSet(many, 1);
    ReplacementSet none;
    none.name = "zero rules";
    none.clearRules();
    store.InsertReplacementSet(none, 2);

    OverallTemplate overall;
    overall.name = sjis("全体,A");
    overall.endingSetName = ending.name;
    overall.replacementSetName = "many";
    overall.formatName = sjis("某巨大掲示板群");
    store.InsertOverallTemplate(overall, 0);
    overall.name = "";
    overall.formatName = "no such style";
    store.InsertOverallTemplate(overall, 1);

    FormatSettings& settings = session.settings;
    settings.deleteCommas = 1;
    settings.lineBreakDegree = 9;
    settings.idolNews.supportOn = 1;
    settings.idolNews.name = "";
    settings.idolNews.title = sjis("題,名");
    settings.thread.mode = 2;
    settings.thread.title = ",";
    settings.standardColours.textColour = "#000000";

    CurrentSelection& current = session.current;
    current.endingSet.name = "unsaved, current";
    current.endingSet.words[1] = sjis("です");
    current.endingSet.frequencies = {-1, 50, 0, 0};
    current.replacementSet.name = "current rules";
    current.replacementSet.addRule({"x", "y", "", ""}, "");
    current.overallTemplate.name = "never saved";
    current.overallTemplate.formatName = sjis("標準的(枠無し)");
    return session;
}

TEST(SettingsFile, EveryRecordSurvivesARestart) {
    TempDir dir;
    Session before = richSession();
    const std::vector<EndingSet> endings = endingSets(before.store);
    const std::vector<ReplacementSet> replacements = replacementSets(before.store);
    const std::vector<OverallTemplate> templates = overallTemplates(before.store);
    ASSERT_TRUE(before.close(dir / "Mireto.ini").ok);

    Session after;
    ASSERT_EQ(after.start(dir / "Mireto.ini"), StartupOutcome::Loaded);
    EXPECT_EQ(endingSets(after.store), endings);
    EXPECT_EQ(replacementSets(after.store), replacements);
    EXPECT_EQ(overallTemplates(after.store), templates)
        << "the current template, never saved, stays out of the list";
    EXPECT_EQ(after.settings, before.settings);
    EXPECT_EQ(after.current, before.current);
    EXPECT_EQ(after.store.GetFormatName(0), sjis("フォント弄り"));
    EXPECT_EQ(after.store.GetFormatName(7), "") << "the names are built once";

    const std::string written = readFile(dir / "Mireto.ini");
    ASSERT_TRUE(after.close(dir / "Mireto.ini").ok);
    EXPECT_EQ(readFile(dir / "Mireto.ini"), written) << "a second round writes the same bytes";
}

TEST(SettingsFile, CommasNegativesAndEmptyStringsAreWrittenByCount) {
    TempDir dir;
    Session session = richSession();
    ASSERT_TRUE(session.close(dir / "Mireto.ini").ok);
    const std::string written = readFile(dir / "Mireto.ini");
    EXPECT_NE(written.find("\r\n60,4,many,4,a,b0,0,,"), std::string::npos);
    EXPECT_NE(written.find(",3,0,,,"), std::string::npos) << "the source \"0,,\"";
    EXPECT_NE(written.find("\r\n0,10,zero rules,\r\n"), std::string::npos);
    EXPECT_NE(written.find("16,unsaved, current,0,,-1,"), std::string::npos);
    EXPECT_EQ(written.rfind("100,\r\n9,1,\r\n0,,", 0), 0u) << "degree first, then commas";
}

TEST(SettingsFile, ChangeLineBreaksIsNotCarried) {
    TempDir dir;
    Session before;
    before.start(dir / "Mireto.ini");
    before.current.endingSet.changeLineBreaks = 1;
    before.current.endingSet.words[0] = "w";
    EndingSet listed = before.current.endingSet;
    listed.name = "listed";
    before.store.InsertEndingSet(listed, 1);
    ASSERT_TRUE(before.close(dir / "Mireto.ini").ok);

    Session after;
    after.start(dir / "Mireto.ini");
    EXPECT_EQ(after.current.endingSet.changeLineBreaks, 0);
    EXPECT_EQ(after.current.endingSet.words[0], "w");
    EXPECT_EQ(after.store.GetEndingSet(1).changeLineBreaks, 0);
    EXPECT_EQ(after.store.GetEndingSet(1).name, "listed");
}

TEST(SettingsFile, StartupMakesEachFirstLineCurrentAndPutsTheNoneSetsInItsPlace) {
    const Session session = startFrom("100,\r\n----\r\n"
                                      "3,cur,0,,0,0,,0,0,,0,0,,0,\r\n"
                                      "4,kept,1,a,10,0,,0,0,,0,0,,0,\r\n"
                                      "----\r\n"
                                      "1,3,cur,1,p,0,,0,,0,,1,q,\r\n"
                                      "0,4,none,\r\n"
                                      "----\r\n"
                                      "3,now,4,kept,4,none,3,abc,\r\n"
                                      "2,t1,0,,0,,0,,\r\n"
                                      "----\r\n");
    EXPECT_EQ(session.current.endingSet.name, "cur");
    EXPECT_EQ(session.current.replacementSet.name, "cur");
    EXPECT_EQ(session.current.replacementSet.sources[0][0], "p");
    EXPECT_EQ(session.current.replacementSet.targets[0], "q");
    EXPECT_EQ(session.current.overallTemplate.name, "now");
    EXPECT_EQ(session.current.overallTemplate.formatName, "abc");

    EXPECT_EQ(session.store.GetEndingSet(0), noneEndingSet());
    EXPECT_EQ(session.store.GetEndingSet(1).name, "kept");
    EXPECT_EQ(session.store.GetEndingSet(1).frequencies[0], 10);
    EXPECT_EQ(session.store.GetReplacementSet(0), noneReplacementSet());
    EXPECT_EQ(session.store.GetReplacementSet(1).name, "none");
    EXPECT_EQ(session.store.GetReplacementSet(1).ruleCount(), 0u);
    ASSERT_EQ(session.store.overallTemplateCount(), 1u);
    EXPECT_EQ(session.store.GetOverallTemplate(0).name, "t1");
    EXPECT_EQ(session.store.FindEndingSetIndex(0), 0u) << "an empty set name resolves to none";
}

TEST(SettingsFile, AnEmptyOrShortFormatSectionKeepsTheRestAtTheirDefaults) {
    const Session empty = startFrom("");
    EXPECT_EQ(empty.settings, FormatSettings{});
    EXPECT_EQ(empty.current, CurrentSelection{});
    EXPECT_EQ(endingSets(empty.store), std::vector<EndingSet>{noneEndingSet()});
    EXPECT_EQ(replacementSets(empty.store), std::vector<ReplacementSet>{noneReplacementSet()});
    EXPECT_EQ(empty.store.overallTemplateCount(), 0u);

    const Session firstLineOnly = startFrom("99,\r\n----\r\n");
    EXPECT_EQ(firstLineOnly.settings, FormatSettings{}) << "the first line changes nothing";

    const Session twoLines = startFrom("100,\n3,1,\n");
    FormatSettings expected;
    expected.lineBreakDegree = 3;
    expected.deleteCommas = 1;
    EXPECT_EQ(twoLines.settings, expected) << "bare LF ends; no separator ends at the file's end";
    EXPECT_EQ(twoLines.store.overallTemplateCount(), 0u);

    const Session extraLines = startFrom("100,\r\n0,0,\r\n0,,0,,0,,1,\r\n7,#000000,\r\n"
                                         "0,,0,,2,\r\nsixth,\r\nseventh,\r\n----\r\n"
                                         "4,next,\r\n----\r\n");
    EXPECT_EQ(extraLines.settings.idolNews.supportOn, 1);
    EXPECT_EQ(extraLines.settings.idolNews.name, "");
    EXPECT_EQ(extraLines.settings.standardColours.backgroundColour, "#000000");
    EXPECT_EQ(extraLines.settings.standardColours.textColour, "") << "a field without its comma";
    EXPECT_EQ(extraLines.settings.thread.mode, 2);
    EXPECT_EQ(extraLines.current.endingSet.name, "next") << "lines after the fifth are skipped";

    // A line-break degree outside the slider is kept as stored.
    EXPECT_EQ(startFrom("100,\r\n2000000000,0,\r\n----\r\n").settings.lineBreakDegree, 2000000000);
    EXPECT_EQ(startFrom("100,\r\n-4,0,\r\n----\r\n").settings.lineBreakDegree, -4);
}

TEST(SettingsFile, EmptyLinesInTemplateSectionsAreEntriesOfEmptyFields) {
    const Session session = startFrom("----\r\n"
                                      "\r\n\r\n----\r\n"
                                      "\r\n\r\n----\r\n"
                                      "\r\n\r\n----\r\n");
    EXPECT_EQ(session.current.endingSet, EndingSet{});
    EXPECT_EQ(session.current.replacementSet.ruleCount(), 0u);
    EXPECT_EQ(session.current.replacementSet.name, "");
    EXPECT_EQ(session.store.GetEndingSet(1), EndingSet{});
    EXPECT_EQ(session.store.endingSetCount(), 2u);
    EXPECT_EQ(session.store.replacementSetCount(), 2u);
    ASSERT_EQ(session.store.overallTemplateCount(), 1u);
    const OverallTemplate blank = session.store.GetOverallTemplate(0);
    EXPECT_EQ(blank.endingSetName, "");
    EXPECT_EQ(blank.formatName, "");
}

TEST(SettingsFile, DamagedRuleLinesGiveOnlyTheRulesThatAreThere) {
    const Session session = startFrom("----\r\n----\r\n"
                                      "cur,\r\n"
                                      "5,4,more,1,a,0,,0,,0,,1,b,\r\n"
                                      "2000000000,4,huge,\r\n"
                                      "-3,3,neg,1,a,0,,0,,0,,1,b,\r\n"
                                      "2,4,half,1,a,0,,0,,0,,1,b,1,c,0,,\r\n"
                                      "1,5,extra,1,a,0,,0,,0,,1,b,junk,9,9,\r\n"
                                      "2,60,long,\r\n"
                                      "----\r\n");
    const ReplacementSet more = session.store.GetReplacementSet(1);
    ASSERT_EQ(more.ruleCount(), 1u);
    EXPECT_EQ(more.sources[0][0], "a");
    EXPECT_EQ(more.targets[0], "b");
    EXPECT_EQ(session.store.GetReplacementSet(2).ruleCount(), 0u);
    EXPECT_EQ(session.store.GetReplacementSet(3).ruleCount(), 0u);
    EXPECT_EQ(session.store.GetReplacementSet(3).name, "neg");

    const ReplacementSet half = session.store.GetReplacementSet(4);
    ASSERT_EQ(half.ruleCount(), 2u) << "a rule cut short keeps the fields it has";
    EXPECT_EQ(half.sources[1][0], "c");
    EXPECT_EQ(half.targets[1], "");

    const ReplacementSet extra = session.store.GetReplacementSet(5);
    ASSERT_EQ(extra.ruleCount(), 1u) << "leftover bytes are ignored";
    EXPECT_EQ(extra.targets[0], "b");

    const ReplacementSet longName = session.store.GetReplacementSet(6);
    EXPECT_EQ(longName.name, "long,") << "a length past the line stops at its end";
    EXPECT_EQ(longName.ruleCount(), 0u);
}

TEST(SettingsFile, NothingAfterTheThirdTemplateSeparatorIsRead) {
    const Session session = startFrom("----\r\n----\r\n----\r\n----\r\n"
                                      "0,,0,,0,,0,,\r\n----\r\n"
                                      "4,late,0,,0,,0,,\r\n");
    EXPECT_EQ(session.store.overallTemplateCount(), 0u);
    EXPECT_EQ(session.store.endingSetCount(), 1u);
    EXPECT_EQ(session.current.overallTemplate, OverallTemplate{});
}

TEST(SettingsFile, AFolderInPlaceOfTheFileCountsAsMissing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "Mireto.ini");
    Session session;
    EXPECT_EQ(session.start(dir / "Mireto.ini"), StartupOutcome::FileMissing);
    EXPECT_EQ(session.store.endingSetCount(), 1u);
}

// The old file, for the failed saves below.
const std::string kOldFile = "100,\r\n----\r\n----\r\n----\r\n4,keep,0,,0,,0,,\r\n----\r\n";

TEST(SettingsFileSave, AnUnwritablePlaceReportsFailureAndWritesNothing) {
    TempDir dir;
    writeFile(dir / "plain-file", "x");
    const auto path = dir / "plain-file" / "Mireto.ini";
    Session session;
    session.start(path);
    const FileWriteResult saved = session.close(path);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error, "");
    EXPECT_EQ(readFile(dir / "plain-file"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(SettingsFileSave, AReadOnlyFileIsLeftAsItWas) {
    TempDir dir;
    const auto path = dir / "Mireto.ini";
    writeFile(path, kOldFile);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    Session session;
    session.start(path);
    EXPECT_FALSE(session.close(path).ok);
    EXPECT_EQ(readFile(path), kOldFile);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(SettingsFileSave, AnInterruptedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    const auto path = dir / "Mireto.ini";
    writeFile(path, kOldFile);
    Session session;
    session.start(path);
    session.current.overallTemplate.name = "changed";

    std::string tempContents;
    setAtomicWriteHookForTesting([&](const std::filesystem::path& temp) {
        tempContents = readFile(temp);
        return false;
    });
    const FileWriteResult saved = session.close(path);
    setAtomicWriteHookForTesting(nullptr);

    EXPECT_FALSE(saved.ok);
    EXPECT_NE(tempContents.find("7,changed,"), std::string::npos) << "the new file was complete";
    EXPECT_EQ(readFile(path), kOldFile);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace mireto::test
