// The conversion session without any front end: start-up from bytes, the lists, the
// picks, the saves and deletes as the editors make them, and the pages it builds.
#include "convert/conversion_session.h"
#include "convert/converter_factory.h"
#include "page_test_support.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cctype>

namespace mireto::test {
namespace {

constexpr std::time_t kMoment = 1031227620;

using Position = ConversionSession::Position;
using Names = std::vector<std::string>;

// ASCII letters compared without case, as the editors' lists compare names.
NameRules caseBlindRules() {
    return {[](std::string_view name) {
        std::string folded(name);
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    }};
}

EndingSet ending(const std::string& name, const std::string& word = "nari") {
    EndingSet set;
    set.name = name;
    set.words = {word, "", "", ""};
    set.frequencies = {100, 0, 0, 0};
    return set;
}

ReplacementSet replacement(const std::string& name, const std::string& from = "a",
                           const std::string& to = "b") {
    ReplacementSet set;
    set.name = name;
    set.clearRules();
    set.addRule({from, "", "", ""}, to);
    return set;
}

OverallTemplate overall(const std::string& name, const std::string& endingName,
                        const std::string& replacementName, OutputFormat format) {
    return {endingName, replacementName, std::string(kFormatNames[static_cast<int>(format)]), name};
}

// A session holding the sets "kaze" and "tsuki" of each kind and the templates
// "night" (tsuki, tsuki, the thread page) and "wind" (kaze, a set no one has, the
// standard page).
ConversionSession stocked(NameRules rules = {}) {
    ConversionSession session(std::move(rules));
    for (const char* name : {"tsuki", "kaze"}) {
        session.saveEndingSet(ending(name, std::string(name) + "-word"));
        session.saveReplacementSet(replacement(name, sjis("猫"), name));
    }
    session.saveTemplate(overall("night", "tsuki", "tsuki", OutputFormat::Thread));
    session.saveTemplate(overall("wind", "kaze", "gone", OutputFormat::Standard));
    return session;
}

TEST(ConversionSession, StartsAsStartUpDoesWithoutAFile) {
    const ConversionSession session;
    const Names none{std::string(kNoneName)};
    EXPECT_EQ(session.names(RecordKind::EndingSet), none);
    EXPECT_EQ(session.names(RecordKind::ReplacementSet), none);
    EXPECT_EQ(session.names(RecordKind::OverallTemplate), Names{});
    EXPECT_EQ(session.formatNames(), Names(kFormatNames.begin(), kFormatNames.end()));
    EXPECT_EQ(session.current(), CurrentSelection{});
    EXPECT_EQ(session.currentFormat(), OutputFormat::FontPlayBlack);
}

TEST(ConversionSession, SavedBytesStartTheSameSessionAgain) {
    ConversionSession first = stocked();
    first.pickTemplate(1);
    FormatSettings settings;
    settings.thread.mode = ThreadSettings::BadThread;
    settings.lineBreakDegree = 4;
    first.setFormatSettings(settings);
    const std::string bytes = first.settingsBytes();

    ConversionSession again;
    EXPECT_EQ(again.start(bytes), StartupOutcome::Loaded);
    EXPECT_EQ(again.settingsBytes(), bytes);
    EXPECT_EQ(again.current(), first.current());
    EXPECT_EQ(again.formatSettings(), settings);
    // The current slots leave the lists, and the none sets take position 0 again.
    EXPECT_EQ(again.names(RecordKind::EndingSet), (Names{std::string(kNoneName), "kaze", "tsuki"}));
    EXPECT_EQ(again.names(RecordKind::OverallTemplate), (Names{"night", "wind"}));
    EXPECT_EQ(again.store().GetReplacementSet(0), noneReplacementSet());
}

TEST(ConversionSession, StartReplacesEverythingHeldBefore) {
    ConversionSession session = stocked();
    EXPECT_EQ(session.start(ConversionSession().settingsBytes()), StartupOutcome::Loaded);
    EXPECT_EQ(session.names(RecordKind::EndingSet), Names{std::string(kNoneName)});
    EXPECT_EQ(session.names(RecordKind::OverallTemplate), Names{});
    EXPECT_EQ(session.store().endingSetCount(), 1u);
}

TEST(ConversionSession, AFileWithTooManyEntriesForItsSizeStartsWithTheDefaults) {
    ConversionSession session = stocked();
    // Empty lines: each an ending set of empty strings, far larger in memory than the
    // two bytes it came from.
    std::string padded = "100,\r\n----\r\n";
    for (int line = 0; line < 30000; ++line)
        padded += "\r\n";
    EXPECT_EQ(session.start(padded), StartupOutcome::TooManyEntries);
    EXPECT_EQ(session.settingsBytes(), ConversionSession().settingsBytes());
}

TEST(ConversionSession, AMissingFileStartsWithTheDefaults) {
    TempDir dir;
    ConversionSession session = stocked();
    EXPECT_EQ(session.startFromFile(dir.path() / "Mireto.ini"), StartupOutcome::FileMissing);
    EXPECT_EQ(session.settingsBytes(), ConversionSession().settingsBytes());
}

TEST(ConversionSession, APickedTemplateBringsItsSetsByNameAndItsStyle) {
    ConversionSession session = stocked();
    const ConversionSession::TemplatePick night = session.pickTemplate(0);
    EXPECT_EQ(night.endingSet, 2u);
    EXPECT_EQ(night.replacementSet, 2u);
    EXPECT_EQ(night.format, Position{3});
    EXPECT_EQ(session.currentEndingSet(), ending("tsuki", "tsuki-word"));
    EXPECT_EQ(session.currentReplacementSet().name, "tsuki");
    EXPECT_EQ(session.currentTemplate(), overall("night", "tsuki", "tsuki", OutputFormat::Thread));
    EXPECT_EQ(session.currentFormat(), OutputFormat::Thread);

    // A set no one has: the none set, which the current template then names.
    const ConversionSession::TemplatePick wind = session.pickTemplate(1);
    EXPECT_EQ(wind.endingSet, 1u);
    EXPECT_EQ(wind.replacementSet, 0u);
    EXPECT_EQ(session.currentReplacementSet(), noneReplacementSet());
    EXPECT_EQ(session.currentTemplate(),
              overall("wind", "kaze", std::string(kNoneName), OutputFormat::Standard));
}

TEST(ConversionSession, ATemplateStyleIsFoundAsTheListsFindNamesOrLeftUnselected) {
    ConversionSession session(caseBlindRules());
    OverallTemplate shouting = overall("loud", std::string(kNoneName), std::string(kNoneName),
                                       OutputFormat::FontPlayBlack);
    shouting.formatName = "ODD STYLE";
    session.saveTemplate(shouting);
    const ConversionSession::TemplatePick pick = session.pickTemplate(0);
    EXPECT_EQ(pick.format, std::nullopt);
    EXPECT_EQ(session.currentTemplate().formatName, "");
    EXPECT_EQ(session.currentFormat(), std::nullopt);
    EXPECT_EQ(session.buildPage("text", kMoment), std::nullopt);
    EXPECT_FALSE(session.streamPage("text", kMoment, [](std::string_view) {
        ADD_FAILURE() << "a piece of a page with no style";
        return true;
    }));
}

TEST(ConversionSession, PicksBySetPositionStyleAndName) {
    ConversionSession session = stocked();
    session.pickEndingSet(1);
    session.pickReplacementSet(2);
    session.pickFormat(OutputFormat::IdolNews);
    EXPECT_EQ(session.currentEndingSet().name, "kaze");
    EXPECT_EQ(session.currentTemplate().endingSetName, "kaze");
    EXPECT_EQ(session.currentTemplate().replacementSetName, "tsuki");
    EXPECT_EQ(session.currentFormat(), OutputFormat::IdolNews);
    // No selection: past every list, the defaults.
    session.pickFormat(static_cast<Position>(-1));
    EXPECT_EQ(session.currentTemplate().formatName, "");
    EXPECT_EQ(session.currentFormat(), std::nullopt);

    EXPECT_TRUE(session.pickByName(RecordKind::OverallTemplate, "night"));
    EXPECT_EQ(session.currentFormat(), OutputFormat::Thread);
    EXPECT_TRUE(session.pickByName(RecordKind::ReplacementSet, "kaze"));
    EXPECT_EQ(session.currentReplacementSet().name, "kaze");
    const CurrentSelection before = session.current();
    EXPECT_FALSE(session.pickByName(RecordKind::EndingSet, "KAZE"));
    EXPECT_FALSE(session.pickByName(RecordKind::OverallTemplate, "nobody"));
    EXPECT_EQ(session.current(), before);
    EXPECT_EQ(session.find(RecordKind::EndingSet, kNoneName), Position{0});
}

TEST(ConversionSession, RecordsHandedInAreUsedWithoutBeingStored) {
    ConversionSession session = stocked();
    const std::string stored = session.store().GetEndingSet(1).name;
    const Names endings = session.names(RecordKind::EndingSet);
    const Names templates = session.names(RecordKind::OverallTemplate);
    session.useCurrent({overall("shared", "theirs", "theirs", OutputFormat::HouseStyle),
                        ending("theirs", "desu"), replacement("theirs", "x", "y")});
    session.useEndingSet(ending("theirs", "nya"));
    EXPECT_EQ(session.currentEndingSet().words[0], "nya");
    EXPECT_EQ(session.currentFormat(), OutputFormat::HouseStyle);
    EXPECT_EQ(session.names(RecordKind::EndingSet), endings);
    EXPECT_EQ(session.names(RecordKind::OverallTemplate), templates);
    EXPECT_EQ(session.store().GetEndingSet(1).name, stored);
    // What is used is what the page is built from.
    const std::unique_ptr<Converter> direct =
        createConverter(OutputFormat::HouseStyle, session.formatSettings());
    EXPECT_TRUE(samePage(*session.buildPage("x" + sjis("。"), kMoment),
                         buildPage(*direct, "x" + sjis("。"), kMoment, ending("theirs", "nya"),
                                   replacement("theirs", "x", "y"))));
}

TEST(ConversionSession, SavesGoWhereTheEditorsPutThemAndOverwriteByListedName) {
    ConversionSession session = stocked(caseBlindRules());
    // Sorted past the none set, letter case ignored.
    const auto saved = session.saveEndingSet(ending("Hana"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->position, 1u);
    EXPECT_FALSE(saved->overwritten);
    EXPECT_EQ(session.names(RecordKind::EndingSet),
              (Names{std::string(kNoneName), "Hana", "kaze", "tsuki"}));
    EXPECT_EQ(session.sortedPosition(RecordKind::EndingSet, "zzz"), 4u);
    EXPECT_EQ(session.sortedPosition(RecordKind::OverallTemplate, "a"), 0u);

    // The same name in other letters overwrites every field, the name as given.
    const auto again = session.saveEndingSet(ending("KAZE", "new-word"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->position, 2u);
    EXPECT_TRUE(again->overwritten);
    EXPECT_EQ(session.store().GetEndingSet(2), ending("KAZE", "new-word"));
    EXPECT_EQ(session.store().endingSetCount(), 4u);

    // The none set is not listed: a set of its name is a new one beside it.
    const auto none = session.saveReplacementSet(replacement(std::string(kNoneName)));
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->overwritten);
    EXPECT_NE(none->position, 0u);
    EXPECT_EQ(session.store().GetReplacementSet(0), noneReplacementSet());

    EXPECT_EQ(session.saveTemplate(overall("", "a", "b", OutputFormat::Standard)), std::nullopt);
    const auto wind =
        session.saveTemplate(overall("WIND", "tsuki", "kaze", OutputFormat::IdolNews));
    ASSERT_TRUE(wind);
    EXPECT_EQ(wind->position, 1u);
    EXPECT_TRUE(wind->overwritten);
    // Saves leave the current records alone.
    EXPECT_EQ(session.current(), CurrentSelection{});
}

TEST(ConversionSession, AListOutOfOrderStillGivesANewNameOneDefinitePlace) {
    ConversionSession session;
    session.editableStore().InsertEndingSet(ending("zeta"), 1);
    session.editableStore().InsertEndingSet(ending("beta"), 2);
    // Before the first listed name that sorts after it.
    EXPECT_EQ(session.saveEndingSet(ending("alpha"))->position, 1u);
    EXPECT_EQ(session.saveEndingSet(ending("gamma"))->position, 2u);
    EXPECT_EQ(session.names(RecordKind::EndingSet),
              (Names{std::string(kNoneName), "alpha", "gamma", "zeta", "beta"}));
    // The lists end at the first entry without a name: a new name goes before it.
    session.editableStore().InsertEndingSet(ending(""), 3);
    EXPECT_EQ(session.saveEndingSet(ending("omega"))->position, 3u);
    EXPECT_EQ(session.findListed(RecordKind::EndingSet, "zeta"), std::nullopt);
}

TEST(ConversionSession, DeletesNeverTakeTheNoneSets) {
    ConversionSession session = stocked();
    EXPECT_FALSE(session.deleteRecord(RecordKind::EndingSet, 0));
    EXPECT_FALSE(session.deleteRecord(RecordKind::ReplacementSet, 0));
    EXPECT_FALSE(session.deleteRecord(RecordKind::EndingSet, 3));
    EXPECT_TRUE(session.deleteRecord(RecordKind::EndingSet, 2));
    EXPECT_TRUE(session.deleteRecord(RecordKind::OverallTemplate, 0));
    EXPECT_EQ(session.names(RecordKind::EndingSet), (Names{std::string(kNoneName), "kaze"}));
    EXPECT_EQ(session.names(RecordKind::OverallTemplate), Names{"wind"});
    EXPECT_EQ(ConversionSession::firstEditable(RecordKind::ReplacementSet), 1u);
    EXPECT_EQ(ConversionSession::firstEditable(RecordKind::OverallTemplate), 0u);
}

TEST(ConversionSession, ThePageIsTheCurrentStylesWithTheCurrentSetsAndSettings) {
    ConversionSession session = stocked();
    FormatSettings settings;
    settings.deleteCommas = 1;
    settings.lineBreakDegree = 7;
    settings.thread.mode = ThreadSettings::GoodThread;
    settings.idolNews.supportOn = 1;
    settings.standardColours.textColour = "#010203";
    session.setFormatSettings(settings);
    const ThreadSettings thread{sjis("題"), sjis("名無し"), ThreadSettings::BadThread};
    session.setThreadSettings(thread);
    settings.thread = thread;
    session.pickEndingSet(2);
    session.pickReplacementSet(1);
    const std::string text = sjis("月が、猫です。\r\n風です。\r\n\r\n終わり");
    for (std::size_t style = 0; style < kFormatCount; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        session.pickFormat(style);
        const auto format = static_cast<OutputFormat>(style);
        // Every moment its own page: the draws and the date follow it.
        for (const std::time_t moment : {kMoment, kMoment + 86400 * 400 + 7}) {
            const std::unique_ptr<Converter> direct = createConverter(format, settings);
            const std::optional<std::string> page = session.buildPage(text, moment);
            ASSERT_TRUE(page);
            EXPECT_TRUE(
                samePage(*page, buildPage(*direct, text, moment, ending("tsuki", "tsuki-word"),
                                          replacement("kaze", sjis("猫"), "kaze"))));
        }
        const std::string expected = *session.buildPage(text, kMoment);
        std::string streamed;
        EXPECT_TRUE(session.streamPage(text, kMoment, [&streamed](std::string_view piece) {
            streamed.append(piece);
            return true;
        }));
        EXPECT_TRUE(samePage(streamed, expected));
    }
}

TEST(ConversionSession, ARefusedPieceEndsTheStream) {
    ConversionSession session;
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += sjis("猫です。\r\n");
    int pieces = 0;
    EXPECT_FALSE(session.streamPage(text, kMoment, [&pieces](std::string_view) {
        ++pieces;
        return false;
    }));
    EXPECT_EQ(pieces, 1);
}

} // namespace
} // namespace mireto::test
