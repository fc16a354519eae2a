// mireto-convert end to end: the built program, its output, its errors.
#include "convert/converter_factory.h"
#include "convert/standard_html_converter.h"
#include "settings/settings_file.h"
#include "tests/support/run_program.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cctype>
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

// The Shift_JIS page decoded, with its head's declaration naming UTF-8: what a UTF-8
// page must be.
std::string asUtf8Page(const std::string& sjisPage) {
    std::string page = utf8(sjisPage);
    const std::size_t at = page.find("harset=") + 7;
    page.replace(at, 9, page.compare(at, 9, "shift_jis") == 0 ? "utf-8" : "UTF-8");
    return page;
}

TEST(ConvertCommand, AUtf8PageIsTheSamePageDecodedForEveryStyle) {
    TempDir dir;
    const std::string text = "猫です、寿司🍣。\n二行目\n";
    for (int style = 0; style < 7; ++style) {
        const std::string format = std::to_string(style);
        const std::vector<std::string> common = {"-f",    format,   "--encoding",
                                                 "utf-8", "--time", "1031227620"};
        std::vector<std::string> sjisArgs = common;
        sjisArgs.insert(sjisArgs.end(), {"--page-encoding", "sjis"});
        const ProgramResult sjisPage = convert(sjisArgs, text);
        ASSERT_EQ(sjisPage.status, 0) << sjisPage.err;
        std::vector<std::string> utf8Args = common;
        const auto file = dir / ("page" + format + ".html");
        utf8Args.insert(utf8Args.end(), {"--page-encoding=utf-8", "-o", file.string()});
        const ProgramResult utf8Page = convert(utf8Args, text);
        ASSERT_EQ(utf8Page.status, 0) << utf8Page.err;

        const std::string page = readFile(file);
        EXPECT_EQ(page, asUtf8Page(sjisPage.out)) << style;
        std::string lower = page;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_NE(lower.find("charset=utf-8"), std::string::npos) << style;
        EXPECT_EQ(lower.find("charset=shift_jis"), std::string::npos) << style;
        EXPECT_NE(page.find("寿司&#x1F363;"), std::string::npos) << style;
        // Without the option the page is Shift_JIS.
        EXPECT_EQ(convert(common, text).out, sjisPage.out) << style;
    }
}

TEST(ConvertCommand, APageStreamedToAFileOrToStandardOutputIsThePageBuiltWhole) {
    TempDir dir;
    // Long enough for the page to go out in several pieces.
    std::string text;
    while (text.size() < 600 * 1024)
        text += sjis("吾輩は猫である、名前はまだ無い。\r\nどこで生れたか\r\n\r\n");
    text += sjis("頓と見当がつかぬ");
    writeFile(dir / "in.txt", text);
    const EndingSet endings = noneEndingSet();
    const ReplacementSet replacements = noneReplacementSet();
    for (std::size_t style = 0; style < kFormatCount; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        const std::unique_ptr<Converter> converter =
            createConverter(static_cast<OutputFormat>(style), FormatSettings{});
        converter->setInputs(endings, replacements, text);
        converter->setClock([] { return std::time_t{1031227620}; });
        const std::string& page = converter->buildPage();
        ASSERT_GT(page.size(), 2 * Converter::kPieceBytes);

        const std::vector<std::string> common = {"-f", std::to_string(style), "--time",
                                                 "1031227620", (dir / "in.txt").string()};
        const ProgramResult toOutput = convert(common);
        ASSERT_EQ(toOutput.status, 0) << toOutput.err;
        EXPECT_TRUE(toOutput.out == page);

        std::vector<std::string> toFile = common;
        toFile.insert(toFile.begin(), {"-o", (dir / "page.html").string()});
        const ProgramResult written = convert(toFile);
        ASSERT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.out, "");
        EXPECT_TRUE(readFile(dir / "page.html") == page);
    }
}

// Settings that make a page far larger than its text: every "x" becomes 8 MiB.
TEST(ConvertCommand, APageTheSettingsInflateIsStreamedInEitherEncoding) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more memory than the limit allows";
#else
    TempDir dir;
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    LoadSettingsAtStartup(dir / "Mireto.ini", store, settings, current);
    current.replacementSet.clearRules();
    current.replacementSet.addRule({"x", "", "", ""}, std::string(std::size_t{8} << 20, 'y'));
    current.overallTemplate.formatName = kFormatNames[0];
    ASSERT_TRUE(SaveSettingsAtShutdown(dir / "Mireto.ini", store, settings, current).ok);
    std::string text;
    for (int sentence = 0; sentence < 20; ++sentence)
        text += sjis("x。");
    writeFile(dir / "in.txt", text);
    // 160 MiB of page, with 256 MiB of memory for everything.
    for (const char* encoding : {"sjis", "utf-8"}) {
        SCOPED_TRACE(encoding);
        const ProgramResult result = runProgram(
            "/bin/sh", {"-c", "ulimit -v 262144 && exec \"$@\"", "sh", MIRETO_CONVERT_PATH, "-s",
                        (dir / "Mireto.ini").string(), "--page-encoding", encoding, "-o",
                        (dir / "page.html").string(), (dir / "in.txt").string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_GT(std::filesystem::file_size(dir / "page.html"), std::uintmax_t{160} << 20);
    }
#endif
}

TEST(ConvertCommand, APageFileFailingPartWayLeavesTheOldPage) {
    TempDir dir;
    std::string text;
    while (text.size() < 600 * 1024)
        text += sjis("吾輩は猫である、名前はまだ無い。\r\n");
    writeFile(dir / "in.txt", text);
    writeFile(dir / "page.html", "the old page");
    // Files of 100 KiB at most: the page's temporary file fails after a few pieces, as on
    // a full disk.
    const ProgramResult result = runProgram(
        "/bin/sh", {"-c", "trap '' XFSZ; ulimit -f 100; exec \"$0\" -f 0 -o \"$1\" \"$2\"",
                    MIRETO_CONVERT_PATH, (dir / "page.html").string(), (dir / "in.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("page.html: cannot write"), std::string::npos) << result.err;
    EXPECT_EQ(readFile(dir / "page.html"), "the old page");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2)
        << "no temporary file is left behind";
}

TEST(ConvertCommand, AFullStandardOutputIsAnError) {
    TempDir dir;
    writeFile(dir / "in.txt", sjis("猫です。\r\n"));
    const ProgramResult result =
        runProgram("/bin/sh", {"-c", "exec \"$0\" -f 0 \"$1\" > /dev/full", MIRETO_CONVERT_PATH,
                               (dir / "in.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write the page to standard output"), std::string::npos)
        << result.err;
}

TEST(ConvertCommand, APipeNamedAsThePageFileIsWrittenIntoNotReplaced) {
    // As /dev/null or /dev/stdout would be: a file put in its place would replace the
    // device. A pipe stands in for them here, through a link as /dev/stdout is one.
    TempDir dir;
    writeFile(dir / "in.txt", sjis("猫です。\r\n"));
    writeFile(dir / "empty.ini", "");
    // The reader gives up after a while should nothing ever write into the pipe.
    const char* script = "mkfifo \"$1/pipe\" && ln -s pipe \"$1/link\" || exit 9\n"
                         "timeout 20 cat \"$1/pipe\" > \"$1/got\" & reader=$!\n"
                         "\"$0\" -s \"$1/empty.ini\" -f 4 --time 1031227620 -o \"$1/link\" "
                         "\"$1/in.txt\"\n"
                         "status=$?\n"
                         "if [ $status = 0 ]; then wait $reader; else kill $reader; fi\n"
                         "exit $status";
    const ProgramResult result =
        runProgram("/bin/sh", {"-c", script, MIRETO_CONVERT_PATH, dir.path().string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(readFile(dir / "got"), expectedStandardPage(sjis("猫です。\r\n"), 1031227620));
}

TEST(ConvertCommand, InputOverTheLimitIsRefusedUnread) {
    TempDir dir;
    // Sparse: its size alone refuses it.
    writeFile(dir / "huge.txt", "x");
    std::filesystem::resize_file(dir / "huge.txt", (std::uintmax_t{1} << 30) + 1);
    const ProgramResult huge = convert({"-f", "4", (dir / "huge.txt").string()});
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("huge.txt' is larger than 1 GiB"), std::string::npos) << huge.err;
    EXPECT_EQ(huge.out, "");
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

    const ProgramResult badEncoding = convert({"-f", "4", "--page-encoding", "euc-jp"}, "x");
    EXPECT_EQ(badEncoding.status, 2);
    EXPECT_NE(badEncoding.err.find("--page-encoding takes sjis or utf-8"), std::string::npos)
        << badEncoding.err;

    const ProgramResult badText = convert({"-f", "4", "--encoding", "utf-8"}, "\xFF");
    EXPECT_EQ(badText.status, 1);
    EXPECT_NE(badText.err.find("not valid UTF-8"), std::string::npos) << badText.err;

    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace mireto::test
