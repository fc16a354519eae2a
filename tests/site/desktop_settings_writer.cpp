// Writes, with the desktop editor's own code, the files the browser edition must read
// and write byte for byte: a Mireto.ini as the editor writes it at exit (the starter
// settings and sets with odd names, long rule lists and the page settings changed), and
// a set file as its 書き出し writes it, with the positions exported in sets.json.
//
//   mireto-desktop-settings FOLDER
#include "settings/settings_file.h"
#include "settings/template_exchange.h"
#include "tests/support/sjis.h"

#include <fstream>
#include <iostream>

using namespace mireto;
using mireto::test::sjis;

namespace {

void write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: mireto-desktop-settings FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    if (LoadSettingsAtStartup(MIRETO_STARTER_FILE, store, settings, current) !=
        StartupOutcome::Loaded) {
        std::cerr << "cannot read the starter settings\n";
        return 1;
    }

    EndingSet ending;
    ending.name = sjis("ﾃｽﾄ語尾～波");
    ending.words = {sjis("ですわ～。"), sjis("ｶﾞｯ。"), "", sjis("だ！！")};
    ending.frequencies = {55, 0, 15, 30};
    ending.changeLineBreaks = 1;
    store.InsertEndingSet(ending, 1);

    ReplacementSet rules;
    rules.name = sjis("長い置換");
    rules.clearRules();
    for (int rule = 0; rule < 12; ++rule)
        rules.addRule({sjis("私") + std::to_string(rule), sjis("ワタシ"), "", "abc"},
                      sjis("拙者") + std::to_string(rule));
    rules.addRule({}, {});
    store.InsertReplacementSet(rules, store.replacementSetCount());

    OverallTemplate overall;
    overall.name = sjis("テスト用");
    overall.endingSetName = ending.name;
    overall.replacementSetName = rules.name;
    overall.formatName = std::string(kFormatNames[3]);
    store.InsertOverallTemplate(overall, 0);

    settings.thread.title = sjis("テストスレ");
    settings.thread.mode = ThreadSettings::BadThread;
    settings.standardColours.textColour = "#12AB9F";
    settings.lineBreakDegree = 7;
    current.endingSet = ending;
    current.overallTemplate = overall;

    write(folder / "Mireto.ini", SettingsFileBytes(store, settings, current));

    // 書き出し of the new template (with its sets), one starter ending set and one
    // starter replacement set: as the site numbers them after reading Mireto.ini.
    SettingsStore read;
    FormatSettings readSettings;
    CurrentSelection readCurrent;
    LoadSettingsAtStartup(folder / "Mireto.ini", read, readSettings, readCurrent);
    const ExportRequest request{{0}, {2}, {3}};
    write(folder / "sets.ini", SharedFileBytes(RecordsToExport(read, request), readSettings));
    write(folder / "sets.json", R"({"templates":[0],"endingSets":[2],"replacementSets":[3]})");
    return 0;
}
