// Mireto.ini: the bytes written at shutdown, what start-up makes of them, damaged files,
// and a save that fails leaving the old file in place.
#include "settings/settings_file.h"
#include "tests/settings/settings_session.h"
#include "tests/support/first_run_settings.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace mireto::test {
namespace {

// Every entry of the store's three lists, by position.
struct Lists {
    std::vector<EndingSet> endings;
    std::vector<ReplacementSet> replacements;
    std::vector<OverallTemplate> templates;
    bool operator==(const Lists&) const = default;
};

Lists lists(const SettingsStore& store) {
    Lists result;
    for (std::size_t i = 0; i < store.endingSetCount(); ++i)
        result.endings.push_back(store.GetEndingSet(i));
    for (std::size_t i = 0; i < store.replacementSetCount(); ++i)
        result.replacements.push_back(store.GetReplacementSet(i));
    for (std::size_t i = 0; i < store.overallTemplateCount(); ++i)
        result.templates.push_back(store.GetOverallTemplate(i));
    return result;
}

// Only the none sets stored, and every setting and current slot at its default.
void expectDefaults(const Session& session) {
    EXPECT_EQ(lists(session.store), (Lists{{noneEndingSet()}, {noneReplacementSet()}, {}}));
    EXPECT_EQ(session.settings, FormatSettings{});
    EXPECT_EQ(session.current, CurrentSelection{});
}

class SettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path path = dir / "Mireto.ini";

    Session startFrom(const std::string& fileBytes) {
        writeFile(path, fileBytes);
        Session session;
        EXPECT_EQ(session.start(path), StartupOutcome::Loaded);
        return session;
    }
    std::ptrdiff_t entriesInDir() const {
        return std::distance(std::filesystem::directory_iterator(dir.path()), {});
    }
};

TEST_F(SettingsFile, FirstRunWithoutAFileStartsWithDefaultsAndWritesTheTwelveLines) {
    Session session;
    ASSERT_EQ(session.start(path), StartupOutcome::FileMissing);
    expectDefaults(session);
    EXPECT_EQ(session.store.GetFormatName(6), sjis("ソルネ屋仕様"));
    const FileWriteResult saved = session.close(path);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(readFile(path), firstRunSettingsFile());
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

TEST_F(SettingsFile, EveryRecordSurvivesARestartWrittenByCount) {
    const Session before = richSession();
    ASSERT_TRUE(Session(before).close(path).ok);
    const std::string written = readFile(path);
    EXPECT_NE(written.find("\r\n60,4,many,4,a,b0,0,,"), std::string::npos);
    EXPECT_NE(written.find(",3,0,,,"), std::string::npos) << "the source \"0,,\"";
    EXPECT_NE(written.find("\r\n0,10,zero rules,\r\n"), std::string::npos);
    EXPECT_NE(written.find("16,unsaved, current,0,,-1,"), std::string::npos);
    EXPECT_EQ(written.rfind("100,\r\n9,1,\r\n0,,", 0), 0u) << "degree first, then commas";

    Session after;
    ASSERT_EQ(after.start(path), StartupOutcome::Loaded);
    EXPECT_EQ(lists(after.store), lists(before.store))
        << "the current template, never saved, stays out of the list";
    EXPECT_EQ(after.settings, before.settings);
    EXPECT_EQ(after.current, before.current);
    EXPECT_EQ(after.store.GetFormatName(0), sjis("フォント弄り"));
    EXPECT_EQ(after.store.GetFormatName(7), "") << "the names are built once";
    ASSERT_TRUE(after.close(path).ok);
    EXPECT_EQ(readFile(path), written) << "a second round writes the same bytes";
}

TEST_F(SettingsFile, ChangeLineBreaksTravelsAsAFieldWrittenOnlyWhenOn) {
    Session before;
    before.start(path);
    before.current.endingSet.changeLineBreaks = 1;
    before.current.endingSet.words[0] = "w";
    EndingSet listed = before.current.endingSet;
    listed.name = "listed";
    listed.changeLineBreaks = 0;
    before.store.InsertEndingSet(listed, 1);
    ASSERT_TRUE(before.close(path).ok);
    const std::string written = readFile(path);
    EXPECT_NE(written.find("----\r\n0,,1,w,0,0,,0,0,,0,0,,0,1,\r\n"
                           "6,listed,1,w,0,0,,0,0,,0,0,,0,\r\n----"),
              std::string::npos)
        << written;

    Session after;
    after.start(path);
    EXPECT_EQ(after.current.endingSet, before.current.endingSet);
    EXPECT_EQ(after.store.GetEndingSet(1), listed);

    // Only 1 is on; a line without the field, as older files have, is off.
    const Session read = startFrom("100,\r\n----\r\n"
                                   "0,,0,,0,0,,0,0,,0,0,,0,1,\r\n"
                                   "1,a,0,,0,0,,0,0,,0,0,,0,2,\r\n"
                                   "1,b,0,,0,0,,0,0,,0,0,,0,\r\n"
                                   "----\r\n");
    EXPECT_EQ(read.current.endingSet.changeLineBreaks, 1);
    EXPECT_EQ(read.store.GetEndingSet(1).changeLineBreaks, 0);
    EXPECT_EQ(read.store.GetEndingSet(2).changeLineBreaks, 0);
}

TEST_F(SettingsFile, StartupMakesEachFirstLineCurrentAndPutsTheNoneSetsInItsPlace) {
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

TEST_F(SettingsFile, AnEmptyOrShortFormatSectionKeepsTheRestAtTheirDefaults) {
    expectDefaults(startFrom(""));

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

TEST_F(SettingsFile, EmptyLinesInTemplateSectionsAreEntriesOfEmptyFields) {
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

TEST_F(SettingsFile, DamagedRuleLinesGiveOnlyTheRulesThatAreThere) {
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

TEST_F(SettingsFile, NothingAfterTheThirdTemplateSeparatorIsRead) {
    const Session session = startFrom("----\r\n----\r\n----\r\n----\r\n"
                                      "0,,0,,0,,0,,\r\n----\r\n"
                                      "4,late,0,,0,,0,,\r\n");
    EXPECT_EQ(session.store.overallTemplateCount(), 0u);
    EXPECT_EQ(session.store.endingSetCount(), 1u);
    EXPECT_EQ(session.current.overallTemplate, OverallTemplate{});
}

// The old file, for the failed saves below.
const std::string kOldFile = "100,\r\n----\r\n----\r\n----\r\n4,keep,0,,0,,0,,\r\n----\r\n";
using SettingsFileSave = SettingsFile;

TEST_F(SettingsFileSave, AnUnwritablePlaceReportsFailureAndWritesNothing) {
    writeFile(dir / "plain-file", "x");
    Session session;
    session.start(dir / "plain-file" / "Mireto.ini");
    const FileWriteResult saved = session.close(dir / "plain-file" / "Mireto.ini");
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error, "");
    EXPECT_EQ(readFile(dir / "plain-file"), "x");
    EXPECT_EQ(entriesInDir(), 1);
}

TEST_F(SettingsFileSave, AReadOnlyFileIsLeftAsItWas) {
    Session session = startFrom(kOldFile);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(session.close(path).ok);
    EXPECT_EQ(readFile(path), kOldFile);
    EXPECT_EQ(entriesInDir(), 1);
}

TEST_F(SettingsFileSave, AnInterruptedSaveLeavesTheOldFileWhole) {
    Session session = startFrom(kOldFile);
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
    EXPECT_EQ(entriesInDir(), 1);
}

} // namespace
} // namespace mireto::test
