// The check a file to import passes first: what the program writes passes, text files
// and damaged settings files are refused at the line at fault.
#include "settings/settings_file.h"
#include "settings/settings_file_check.h"
#include "tests/support/first_run_settings.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

// The first run's file with `line` (counted from 1) replaced.
std::string withLine(std::size_t line, const std::string& replacement) {
    const std::string file = firstRunSettingsFile();
    std::string result;
    std::size_t start = 0;
    for (std::size_t number = 1; start < file.size(); ++number) {
        const std::size_t end = file.find("\r\n", start) + 2;
        result += number == line ? replacement + "\r\n" : file.substr(start, end - start);
        start = end;
    }
    return result;
}

void expectFault(const std::string& bytes, SettingsFileFault fault, std::size_t line,
                 SettingsSection section) {
    const SettingsFileCheck check = CheckSettingsFile(bytes);
    EXPECT_EQ(check.fault, fault) << utf8(bytes);
    EXPECT_EQ(check.line, line) << utf8(bytes);
    EXPECT_EQ(check.section, section) << utf8(bytes);
}

TEST(SettingsFileCheck, FilesTheProgramWritesPass) {
    EXPECT_TRUE(CheckSettingsFile(firstRunSettingsFile()).ok());
    EXPECT_TRUE(CheckSettingsFile(readFile(MIRETO_STARTER_FILE)).ok());

    // Commas inside strings, negative numbers, 改行も変更, a set without rules, LF ends.
    SettingsStore store;
    EndingSet ending;
    ending.name = sjis("語,尾");
    ending.words = {sjis("にゃ,"), "", ",", sjis("ぴょん")};
    ending.frequencies = {-5, 0, 100, 7};
    ending.changeLineBreaks = 1;
    store.InsertEndingSet(ending, 0);
    ReplacementSet none;
    none.name = "x";
    none.clearRules();
    store.InsertReplacementSet(none, 0);
    std::string bytes;
    FormatSettings settings;
    settings.thread.mode = ThreadSettings::BadThread;
    WriteFormatSettings(bytes, settings);
    store.Save(bytes);
    EXPECT_TRUE(CheckSettingsFile(bytes).ok()) << utf8(bytes);
    std::string lf = bytes;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    EXPECT_TRUE(CheckSettingsFile(lf).ok());

    // What the reader skips: page-settings lines past the fifth, anything at the end.
    EXPECT_TRUE(CheckSettingsFile(withLine(6, "extra line\r\n----")).ok());
    EXPECT_TRUE(CheckSettingsFile(firstRunSettingsFile() + "trailing words").ok());
}

TEST(SettingsFileCheck, TextAndEmptyFilesAreNoSettingsFiles) {
    expectFault(sjis("今日は晴れ。\r\n明日は雨。\r\n"), SettingsFileFault::BadLine, 1,
                SettingsSection::PageSettings);
    expectFault("", SettingsFileFault::MissingSeparator, 1, SettingsSection::PageSettings);
    // Every section must end: here the templates' separator is missing.
    const std::string first = firstRunSettingsFile();
    expectFault(first.substr(0, first.size() - 6), SettingsFileFault::MissingSeparator, 12,
                SettingsSection::OverallTemplates);
}

TEST(SettingsFileCheck, ADamagedLineIsNamed) {
    using S = SettingsSection;
    const auto bad = SettingsFileFault::BadLine;
    expectFault(withLine(1, "hundred,"), bad, 1, S::PageSettings);
    expectFault(withLine(2, "0,"), bad, 2, S::PageSettings);
    expectFault(withLine(4, "7,#66aaFF,7,#333333,0,"), bad, 4, S::PageSettings);
    // A length that runs past the line, and one whose string is not closed by a comma.
    expectFault(withLine(5, sjis("99,名無しさん,12,一人語りスレ,0,")), bad, 5, S::PageSettings);
    expectFault(withLine(4, "7,#66aaFF!7,#333333,"), bad, 4, S::PageSettings);
    expectFault(withLine(7, ""), bad, 7, S::EndingSets);
    expectFault(withLine(7, "0,,0,,0,0,,0,0,,0,0,,0,1,1,"), bad, 7, S::EndingSets);
    // Two rules stated, one there.
    expectFault(withLine(9, "2,0,,0,,0,,0,,0,,0,,"), bad, 9, S::ReplacementSets);
    expectFault(withLine(11, sjis("0,,4,無し,4,無し,12,フォント弄り")), bad, 11,
                S::OverallTemplates);
    expectFault(withLine(11, sjis(" 0,,4,無し,4,無し,12,フォント弄り,")), bad, 11,
                S::OverallTemplates);
}

TEST(SettingsFileCheck, TextThatIsNotShiftJisIsRefused) {
    // A byte no Shift_JIS text holds, in a template's name.
    expectFault(withLine(11, "3," + sjis("あ") + "\xFF," + sjis("4,無し,4,無し,0,,")),
                SettingsFileFault::NotShiftJis, 11, SettingsSection::OverallTemplates);
    EXPECT_TRUE(IsShiftJisText(sjis("ｶﾀｶﾅと漢字とABC")));
    EXPECT_FALSE(IsShiftJisText("\x82"));     // a lead byte at the end
    EXPECT_FALSE(IsShiftJisText("\x82\x20")); // and one before a byte that trails nothing
    EXPECT_FALSE(IsShiftJisText("\xFD"));
}

TEST(SettingsFileCheck, AStringWithAControlCharacterIsRefused) {
    using S = SettingsSection;
    const auto control = SettingsFileFault::ControlCharacter;
    // A template named "a CR b" (a CR not before the line's LF is data to the reader),
    // a tab in an ending word, a DEL in a rule's source.
    expectFault(withLine(11, "3,a\rb,0,,0,,0,,"), control, 11, S::OverallTemplates);
    expectFault(withLine(7, "0,,3,a\tb,0,0,,0,0,,0,0,,0,"), control, 7, S::EndingSets);
    expectFault(withLine(9, "1,0,,1,\x7F,0,,0,,0,,0,,"), control, 9, S::ReplacementSets);
    expectFault(withLine(3, "2,\x01x,0,,0,,0,"), control, 3, S::PageSettings);
}

// Values no settings dialog makes are refused, the texts as the user typed them are not:
// a colour that would end its attribute on the page, numbers beyond the controls.
TEST(SettingsFileCheck, APageSettingNoDialogMakesIsRefusedAndNamed) {
    const auto bad = [](std::size_t line, const std::string& replacement, PageValue value) {
        const SettingsFileCheck check = CheckSettingsFile(withLine(line, replacement));
        EXPECT_EQ(check.fault, SettingsFileFault::BadValue) << replacement;
        EXPECT_EQ(check.line, line) << replacement;
        EXPECT_EQ(check.value, value) << replacement;
    };
    bad(4, "13,red\"><script>,7,#333333,", PageValue::BackgroundColour);
    bad(4, "7,#66aaFF,7,#33<b>3,", PageValue::TextColour);
    bad(4, "7,#66aaFF,3,red,", PageValue::TextColour);
    bad(4, "7,#66aaFF,7,#33&333,", PageValue::TextColour);
    bad(2, "10,0,", PageValue::LineBreakDegree);
    bad(2, "-1,0,", PageValue::LineBreakDegree);
    bad(2, "0,2,", PageValue::DeleteCommas);
    bad(3, "2,ab,2,cd,2,ef,5,", PageValue::IdolNewsSupport);
    bad(5, "2,ab,2,cd,3,", PageValue::ThreadMode);

    // What the dialogs make passes: seven characters typed, markup in the texts.
    EXPECT_TRUE(CheckSettingsFile(withLine(4, "7,#66aaFF,7,black  ,")).ok());
    EXPECT_TRUE(CheckSettingsFile(withLine(2, "9,1,")).ok());
    EXPECT_TRUE(CheckSettingsFile(withLine(3, "7,<b>x</b,2,cd,2,ef,1,")).ok());
    EXPECT_TRUE(CheckSettingsFile(withLine(5, "2,ab,8,<i>t</i>,2,")).ok());
}

} // namespace
} // namespace mireto::test
