// The starter settings in res/: exactly the file the editor itself would write, sets
// and templates that hang together, and templates that change every sentence.
#include "convert/converter_factory.h"
#include "convert/standard_html_converter.h"
#include "settings/settings_file.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <numeric>

namespace mireto::test {
namespace {

struct Starter {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;

    Starter() {
        EXPECT_EQ(LoadSettingsAtStartup(MIRETO_STARTER_FILE, store, settings, current),
                  StartupOutcome::Loaded);
    }
};

TEST(Starter, IsWrittenAsTheEditorWritesMiretoIni) {
    Starter starter;
    TempDir dir;
    ASSERT_TRUE(
        SaveSettingsAtShutdown(dir / "Mireto.ini", starter.store, starter.settings, starter.current)
            .ok);
    // Same bytes: Shift_JIS, CR LF, every length right, the current slots first.
    EXPECT_EQ(readFile(dir / "Mireto.ini"), readFile(MIRETO_STARTER_FILE));
}

TEST(Starter, HoldsEnoughSetsAndTemplatesThatNameThem) {
    const Starter starter;
    const SettingsStore& store = starter.store;
    EXPECT_GE(store.endingSetCount(), 1u + 5u) << "the none set and five";
    EXPECT_GE(store.replacementSetCount(), 1u + 3u);
    EXPECT_GE(store.overallTemplateCount(), 5u);

    bool anyChangesLineBreaks = false;
    for (std::size_t p = 1; p < store.endingSetCount(); ++p) {
        const EndingSet set = store.GetEndingSet(p);
        for (std::size_t slot = 0; slot < 4; ++slot) {
            EXPECT_FALSE(set.words[slot].empty()) << set.name;
            EXPECT_GE(set.frequencies[slot], 0) << set.name;
        }
        EXPECT_LE(std::accumulate(set.frequencies.begin(), set.frequencies.end(), 0), 100)
            << set.name;
        anyChangesLineBreaks = anyChangesLineBreaks || set.changeLineBreaks == 1;
    }
    EXPECT_TRUE(anyChangesLineBreaks);

    for (std::size_t p = 0; p < store.overallTemplateCount(); ++p) {
        const OverallTemplate overall = store.GetOverallTemplate(p);
        EXPECT_NE(store.FindEndingSetIndex(p), 0u) << overall.name;
        EXPECT_NE(store.FindReplacementSetIndex(p), 0u) << overall.name;
        EXPECT_TRUE(formatByName(overall.formatName)) << overall.name;
    }

    // What is current is one of the templates, with the sets it names.
    const CurrentSelection& current = starter.current;
    std::size_t listed = 0;
    while (listed < store.overallTemplateCount() &&
           store.GetOverallTemplate(listed) != current.overallTemplate)
        ++listed;
    ASSERT_LT(listed, store.overallTemplateCount());
    EXPECT_EQ(current.endingSet, store.GetEndingSet(store.FindEndingSetIndex(listed)));
    EXPECT_EQ(current.replacementSet,
              store.GetReplacementSet(store.FindReplacementSetIndex(listed)));
}

TEST(Starter, EveryTemplateChangesEverySentenceOfPoliteJapanese) {
    const Starter starter;
    const SettingsStore& store = starter.store;
    const std::string text = sjis("今日はとても良い天気です。私は公園へ散歩に行きます。");
    for (std::size_t p = 0; p < store.overallTemplateCount(); ++p) {
        const EndingSet endings = store.GetEndingSet(store.FindEndingSetIndex(p));
        const ReplacementSet replacements =
            store.GetReplacementSet(store.FindReplacementSetIndex(p));
        // Whatever the moment draws.
        for (std::time_t moment = 1031227620; moment < 1031227660; ++moment) {
            StandardHtmlConverter converter(starter.settings.standardColours, 0);
            converter.setInputs(endings, replacements, text);
            converter.setClock([moment] { return moment; });
            const std::string& page = converter.buildPage();
            EXPECT_EQ(page.find(sjis("天気です。")), std::string::npos)
                << store.GetOverallTemplate(p).name << " at " << moment;
            EXPECT_EQ(page.find(sjis("行きます。")), std::string::npos)
                << store.GetOverallTemplate(p).name << " at " << moment;
        }
    }
}

} // namespace
} // namespace mireto::test
