// Settings files for the desktop program's tests, written the way the program itself
// writes them at exit.
#pragma once

#include "settings/settings_file.h"
#include "tests/support/records.h"

namespace mireto::test {

// What was in use at the last exit in most tests: the template うさぎ with its sets.
inline CurrentSelection rabbitSelection() {
    return {overallTemplate("うさぎ", "だぴょん", "猫語", "某巨大掲示板群"),
            endingSet("だぴょん", "だぴょん", 100), replacementSet("猫語", "な", "にゃ")};
}

// A file with the ending set だぴょん, the replacement set 猫語 and the templates
// うさぎ (both sets, 某巨大掲示板群), ねこ (sets that do not exist, フォント弄り(背景白))
// and 謎 (a style no one knows); `current` is what was in use at exit.
inline void writeSettings(const std::filesystem::path& path, const CurrentSelection& current,
                          const FormatSettings& settings = {}) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(endingSet("だぴょん", "だぴょん", 100), 1);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.InsertReplacementSet(replacementSet("猫語", "な", "にゃ"), 1);
    store.InsertOverallTemplate(overallTemplate("うさぎ", "だぴょん", "猫語", "某巨大掲示板群"), 0);
    store.InsertOverallTemplate(
        overallTemplate("ねこ", "消えた語尾", "消えた置換", "フォント弄り(背景白)"), 1);
    store.InsertOverallTemplate(overallTemplate("謎", "無し", "無し", "謎の形式"), 2);
    SaveSettingsAtShutdown(path, store, settings, current);
}

} // namespace mireto::test
