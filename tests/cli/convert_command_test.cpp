// mireto-convert end to end: the built program, its output, its errors.
#include "convert/standard_html_converter.h"
#include "tests/support/run_program.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

// Runs with an empty settings file, so that a Mireto.ini left beside the built program
// cannot change the pages.
ProgramResult convert(std::vector<std::string> args, const std::string& input = {}) {
    static const TempDir folder;
    static const std::string noSettings = [] {
        writeFile(folder / "empty.ini", "");
        return (folder / "empty.ini").string();
    }();
    args.insert(args.begin(), {"-s", noSettings});
    return runProgram(MIRETO_CONVERT_PATH, args, input);
}

std::string expectedStandardPage(const std::string& crlfText, std::time_t moment) {
    const EndingSet endings = noneEndingSet();
    const ReplacementSet replacements = noneReplacementSet();
    StandardHtmlConverter converter(StandardColours{}, 0);
    converter.setInputs(endings, replacements, crlfText);
    converter.setClock([moment] { return moment; });
    return converter.buildPage();
}

TEST(ConvertCommand, FormatByNameFromAFileToStandardOutput) {
    TempDir dir;
    writeFile(dir / "sample.txt", sjis("一行目。\n二行目\n"));
    const ProgramResult result =
        convert({"--format", "標準的", "--time", "1031227620", (dir / "sample.txt").string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expectedStandardPage(sjis("一行目。\r\n二行目\r\n"), 1031227620));
    EXPECT_EQ(result.err, "");

    const ProgramResult dash =
        convert({"-f", "4", "--time", "5", "-o", "-", (dir / "sample.txt").string()});
    ASSERT_EQ(dash.status, 0) << dash.err;
    EXPECT_EQ(dash.out, expectedStandardPage(sjis("一行目。\r\n二行目\r\n"), 5));
    EXPECT_FALSE(std::filesystem::exists("-")) << "no file named '-' in the working folder";
}

TEST(ConvertCommand, Utf8StandardInputToAnOutputFile) {
    TempDir dir;
    const auto page = dir / "page.html";
    const ProgramResult result = convert(
        {"-f", "4", "--encoding", "utf-8", "--time", "5", "-o", page.string(), "-"}, "寿司🍣。");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(page), expectedStandardPage(sjis("寿司") + "&#x1F363;" + sjis("。"), 5));
}

TEST(ConvertCommand, ErrorsSayWhatIsWrongAndLeaveNothingBehind) {
    TempDir dir;
    writeFile(dir / "in.txt", "text");

    const ProgramResult unknown = convert({"--format", "7", (dir / "in.txt").string()});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown format '7'"), std::string::npos) << unknown.err;
    EXPECT_EQ(unknown.out, "");

    const ProgramResult missing = convert({"-f", "4", (dir / "absent.txt").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;

    const auto badOutput = dir / "in.txt" / "page.html";
    const ProgramResult unwritable =
        convert({"-f", "4", "-o", badOutput.string(), (dir / "in.txt").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("page.html"), std::string::npos) << unwritable.err;

    const ProgramResult badText = convert({"-f", "4", "--encoding", "utf-8"}, "\xFF");
    EXPECT_EQ(badText.status, 1);
    EXPECT_NE(badText.err.find("not valid UTF-8"), std::string::npos) << badText.err;

    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace mireto::test
