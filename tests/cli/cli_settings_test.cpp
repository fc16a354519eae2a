// mireto-convert with a settings file: the current slot, templates and sets by name,
// --list, and a file that is read but never written.
#include "convert/standard_html_converter.h"
#include "platform/app_paths.h"
#include "settings/settings_file.h"
#include "tests/support/records.h"
#include "tests/support/run_program.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace mireto::test {
namespace {

ProgramResult convert(const std::vector<std::string>& args, const std::string& input = {}) {
    return runProgram(MIRETO_CONVERT_PATH, args, input);
}

constexpr std::time_t kMoment = 1031227620;
// Shift_JIS, as the editor holds text; no line breaks, so no CR LF question.
const std::string kInput = sjis("A。B。");

// A settings file as the editor leaves it: current page style 標準的 in its own
// colours, a current ending set and replacement set that are stored under no name,
// and named sets and templates.
class ConvertWithSettings : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path path = dir / "Mireto.ini";
    const std::string file = path.string();
    const EndingSet nya = endingSet("にゃ", "にゃ。", 100);
    const ReplacementSet rulesOne = replacementSet("置換,一", "B", "ビー");
    FormatSettings settings;
    CurrentSelection current;

    ConvertWithSettings() {
        SettingsStore store;
        LoadSettingsAtStartup(path, store, settings, current);
        settings.standardColours = {"#112233", "#445566"};
        current.endingSet = endingSet("今の語尾", "だよ", 100);
        current.replacementSet = replacementSet("今の置換", "A", "エー");
        current.overallTemplate = overallTemplate("今", "無し", "無し", "標準的");
        store.InsertEndingSet(nya, 1);
        store.InsertReplacementSet(rulesOne, 1);
        store.InsertOverallTemplate(
            overallTemplate("猫テンプレ", "にゃ", "置換,一", "標準的(枠無し)"), 0);
        store.InsertOverallTemplate(overallTemplate("消えた", "gone", "置換,一", "標準的"), 1);
        store.InsertOverallTemplate(overallTemplate("謎", "にゃ", "無し", "謎の様式"), 2);
        EXPECT_TRUE(SaveSettingsAtShutdown(path, store, settings, current).ok);
    }

    std::string page(const EndingSet& ending, const ReplacementSet& replacement,
                     int frameless) const {
        StandardHtmlConverter converter(settings.standardColours, frameless);
        converter.setInputs(ending, replacement, kInput);
        converter.setClock([] { return kMoment; });
        return converter.buildPage();
    }
};

std::vector<std::string> withTime(std::vector<std::string> args) {
    args.insert(args.end(), {"--time", std::to_string(kMoment)});
    return args;
}

TEST_F(ConvertWithSettings, TheCurrentSlotChoosesSetsStyleAndColours) {
    const ProgramResult result = convert(withTime({"-s", file}), kInput);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, page(current.endingSet, current.replacementSet, 0));
    EXPECT_NE(result.out.find(sjis("エーだよ")), std::string::npos);
    EXPECT_NE(result.out.find("#445566"), std::string::npos) << "the file's background";
}

TEST_F(ConvertWithSettings, ATemplateByNameBringsItsSetsAndStyleAndNamesOverrideIt) {
    const struct {
        std::vector<std::string> args;
        EndingSet ending;
        ReplacementSet replacement;
        int frameless;
    } cases[] = {
        {{"--settings", file, "-t", "猫テンプレ"}, nya, rulesOne, 1},
        // A set that is gone resolves to none.
        {{"-s", file, "--template=消えた"}, noneEndingSet(), rulesOne, 0},
        {{"-s", file, "-t", "猫テンプレ", "--ending", "無し", "--replacement", "置換,一", "-f",
          "標準的"},
         noneEndingSet(),
         rulesOne,
         0},
        {{"-s", file, "-t", "謎", "-f", "4"}, nya, noneReplacementSet(), 0},
    };
    for (const auto& c : cases) {
        const ProgramResult result = convert(withTime(c.args), kInput);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, page(c.ending, c.replacement, c.frameless)) << c.args.back();
    }
}

TEST_F(ConvertWithSettings, NamesThatNameNothingAreClearErrors) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"-t", "猫"}, 2, "no overall template named '猫' is stored (see --list)"},
        {{"--ending", "ねこ"}, 2, "no ending set named 'ねこ'"},
        {{"--replacement", "置換"}, 2, "no replacement set named '置換'"},
        {{"--ending", "\xFF"}, 2, "not valid UTF-8"},
        {{"-t", "謎"}, 1, "page style '謎の様式', which is none of the seven"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"-s", file};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProgramResult result = convert(args, kInput);
        EXPECT_EQ(result.status, c.status) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }

    const ProgramResult missing = convert({"-s", (dir / "absent.ini").string()}, kInput);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read the settings file"), std::string::npos);
}

TEST_F(ConvertWithSettings, ListShowsTheStoredNamesInUtf8AndTheFileIsNeverWritten) {
    const std::string before = readFile(path);
    const auto modified = std::filesystem::last_write_time(path);
    const std::string out = (dir / "page.html").string();
    ASSERT_EQ(convert({"-s", file, "-t", "猫テンプレ", "-o", out}, kInput).status, 0);
    const ProgramResult list = convert({"--list", "-s", file});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Overall templates:\n"
                        "  猫テンプレ\n"
                        "  消えた\n"
                        "  謎\n"
                        "Ending sets:\n"
                        "  無し\n"
                        "  にゃ\n"
                        "Replacement sets:\n"
                        "  無し\n"
                        "  置換,一\n");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
    EXPECT_EQ(std::filesystem::last_write_time(path), modified);
}

// A name with control characters (from a hand-edited file: the editor makes none) is
// listed with them spelled out, never sent to the terminal as they are.
TEST_F(ConvertWithSettings, ListSpellsOutControlCharactersInNames) {
    SettingsStore store;
    FormatSettings readSettings;
    CurrentSelection readCurrent;
    LoadSettingsAtStartup(path, store, readSettings, readCurrent);
    store.InsertOverallTemplate(overallTemplate("猫", "無し", "無し", "標準的"), 0);
    OverallTemplate hostile = store.GetOverallTemplate(0);
    hostile.name = "\x1B]0;owned\x07\x1B[2Jcat\x7F";
    store.OverwriteOverallTemplate(hostile, 0);
    ASSERT_TRUE(SaveSettingsAtShutdown(path, store, readSettings, readCurrent).ok);
    const ProgramResult list = convert({"--list", "-s", file});
    ASSERT_EQ(list.status, 0) << list.err;
    const std::string firstLine = list.out.substr(0, list.out.find("\n", 20) + 1);
    EXPECT_EQ(firstLine, "Overall templates:\n  \\x1B]0;owned\\x07\\x1B[2Jcat\\x7F\n");
}

// -s reads what it is given as far as it goes, as before, but says on standard error
// when that is not a settings file; a file the programs write passes without a word.
TEST_F(ConvertWithSettings, ASettingsFileThatIsNoneIsReadWithAWarning) {
    ASSERT_EQ(convert(withTime({"-s", file}), kInput).err, "");
    const auto text = dir / "note.txt";
    writeFile(text, "just a note\nof two lines\n");
    const auto noise = dir / "noise.bin";
    writeFile(noise, std::string("\x93\x00\xFF\x12random", 10));
    const auto colour = dir / "colour.ini";
    std::string hostile = readFile(path);
    const std::size_t at = hostile.find("#112233");
    ASSERT_NE(at, std::string::npos);
    hostile.replace(at - 2, 9, "13,red\"><script>");
    writeFile(colour, hostile);
    for (const auto& [bad, why] :
         {std::pair{text, std::string("line 1 is not a line of a settings file")},
          std::pair{noise, std::string("line 1 is not a line of a settings file")},
          std::pair{colour, std::string("line 4 holds a page setting no settings dialog makes")}}) {
        const ProgramResult result = convert(withTime({"-s", bad.string()}), kInput);
        EXPECT_EQ(result.status, 0) << bad;
        EXPECT_EQ(result.err, "mireto-convert: warning: '" + bad.string() +
                                  "' does not look like a settings file (" + why +
                                  "); read as far as it goes\n");
    }
}

TEST_F(ConvertWithSettings, MiretoIniBesideTheProgramIsReadFromADeepFolder) {
    // Deeper than any fixed-size path buffer would hold.
    std::filesystem::path deep = dir.path();
    for (int i = 0; i < 6; ++i)
        deep /= std::string(40, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    ASSERT_GT(deep.string().size(), 260u);
    std::filesystem::copy_file(MIRETO_CONVERT_PATH, deep / "mireto-convert");
    std::filesystem::copy_file(path, deep / "Mireto.ini");

    const ProgramResult result = runProgram((deep / "mireto-convert").string(), {"--list"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("  猫テンプレ\n"), std::string::npos) << result.out;

    std::filesystem::remove(deep / "Mireto.ini");
    const ProgramResult without = runProgram((deep / "mireto-convert").string(), {"--list"});
    ASSERT_EQ(without.status, 0) << without.err;
    EXPECT_EQ(without.out, "Overall templates:\nEnding sets:\n  無し\nReplacement sets:\n  無し\n");
}

TEST(UnreadableSettings, EndTheRunWithTheReasonForListAndConversion) {
    TempDir dir;
    const auto fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto device = dir / "device.ini";
    std::filesystem::create_symlink("/dev/zero", device);
    const auto failing = dir / "failing.ini";
    std::filesystem::create_symlink("/proc/self/mem", failing);
    const auto large = dir / "large.ini";
    writeFile(large, "100,\r\n----\r\n");
    std::filesystem::resize_file(large, 60'000'000);
    const auto padded = dir / "padded.ini";
    writeFile(padded, "100,\r\n----\r\n" + std::string(200000, '\n'));
    const auto loop = dir / "loop.ini";
    std::filesystem::create_symlink("loop.ini", loop);

    const struct {
        std::filesystem::path file;
        std::string reason;
    } cases[] = {
        {fifo, "not a regular file"},
        {device, "not a regular file"},
        {failing, "a read error"},
        {large, "larger than 16 MiB"},
        {padded, "more entries than a file of its size can hold"},
        {loop, "symbolic links that lead round in a circle, to no file"},
    };
    for (const auto& c : cases) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--list"}, std::vector<std::string>{"-f", "4"}}) {
            std::vector<std::string> withFile = {"-s", c.file.string()};
            withFile.insert(withFile.end(), args.begin(), args.end());
            const ProgramResult result = convert(withFile, kInput);
            EXPECT_EQ(result.status, 1) << c.file;
            EXPECT_EQ(result.err, "mireto-convert: cannot read the settings file '" +
                                      c.file.string() + "': " + c.reason + "\n");
            EXPECT_EQ(result.out, "");
        }
    }

    // Beside the program, where a missing file means the defaults, an unreadable one
    // is no less an error.
    std::filesystem::create_directory(dir / "program");
    std::filesystem::copy_file(MIRETO_CONVERT_PATH, dir / "program" / "mireto-convert");
    std::filesystem::create_symlink("/dev/zero", dir / "program" / "Mireto.ini");
    const ProgramResult beside =
        runProgram((dir / "program" / "mireto-convert").string(), {"--list"});
    EXPECT_EQ(beside.status, 1);
    EXPECT_NE(beside.err.find("not a regular file"), std::string::npos) << beside.err;
}

TEST(StarterSettings, WithoutAMiretoIniTheProgramUsesTheStarterAndNeverWritesIt) {
    // The build puts the starter where the built program looks for it.
    const std::filesystem::path program = MIRETO_CONVERT_PATH;
    const std::string starter = readFile(MIRETO_STARTER_FILE);
    EXPECT_EQ(readFile((program.parent_path() / starterRelativeToExecutable()).lexically_normal()),
              starter);

    // A copy laid out like the build tree, without a Mireto.ini of its own.
    TempDir dir;
    const std::filesystem::path copy = dir / "cli" / "mireto-convert";
    const std::filesystem::path copiedStarter =
        (copy.parent_path() / starterRelativeToExecutable()).lexically_normal();
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::create_directories(copiedStarter.parent_path());
    std::filesystem::copy_file(program, copy);
    writeFile(copiedStarter, starter);

    const ProgramResult list = runProgram(copy.string(), {"--list"});
    ASSERT_EQ(list.status, 0) << list.err;
    for (const char* name : {"  猫になる\n", "  猫\n", "  猫語\n"})
        EXPECT_NE(list.out.find(name), std::string::npos) << name << list.out;

    const ProgramResult page = runProgram(
        copy.string(), withTime({"-t", "猫になる", "-f", "標準的"}), sjis("私は元気です。"));
    ASSERT_EQ(page.status, 0) << page.err;
    EXPECT_NE(page.out.find(sjis("吾輩は元気です")), std::string::npos) << page.out;
    EXPECT_EQ(page.out.find(sjis("元気です。")), std::string::npos);

    EXPECT_FALSE(std::filesystem::exists(copy.parent_path() / "Mireto.ini"));
    EXPECT_EQ(readFile(copiedStarter), starter);

    // A Mireto.ini that is there but cannot be read is said, not passed over.
    std::filesystem::create_directory(copy.parent_path() / "Mireto.ini");
    const ProgramResult unreadable = runProgram(copy.string(), {"--list"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot read the settings file"), std::string::npos)
        << unreadable.err;
    EXPECT_NE(unreadable.err.find("Mireto.ini"), std::string::npos) << unreadable.err;
}

} // namespace
} // namespace mireto::test
