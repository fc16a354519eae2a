// Every page style rendered by a real browser (headless Chromium): the Japanese text
// arrives decoded as Shift_JIS, not as mojibake, and the page has the structure its
// builder meant. Screenshots land in the build folder for a look by eye.
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <regex>

namespace mireto::test {
namespace {

struct Style {
    int position;
    const char* title;                  // UTF-8, as the browser reports it
    std::vector<std::string> structure; // patterns the rendered DOM must hold
};

const std::vector<Style> kStyles = {
    {0, "弄りHTML", {R"(<body bgcolor="#000000")", R"(<font size="\+\d" color="#[0-9a-f]{6}">)"}},
    {1, "弄りHTML", {R"(<body bgcolor="#ffffff")", R"(<font size="\+\d" color="#[0-9a-f]{6}">)"}},
    {2, "ぺかりニュースもどき", {R"(<table)", R"(<a name="\d+_\d+_\d+">(平成|令和)[０-９]+年)"}},
    {3, "一人語りスレ", {R"(<dt>1 ：<font color="green"><b>名無しさん</b></font> ：)", R"(<dd>)"}},
    {4, "変換しちゃいました", {R"(border-style : solid)", R"(<div align="center">)"}},
    {5, "変換しちゃいました", {R"(<div style="width : 80%)"}},
    {6, "ミルテア", {R"(<div class="text" align="left">)", R"(<hr>)"}},
};

// Phrases of docs/sample.txt that no style breaks apart.
const std::vector<std::string> kPhrases = {"今日はとても良い天気だった", "公園で猫に会った",
                                           "焼きたてのメロンパンを買った", "明日も晴れるといいな"};

ProgramResult chromium(const TempDir& profile, std::vector<std::string> args) {
    std::vector<std::string> all = {"--headless",
                                    "--no-sandbox",
                                    "--disable-gpu",
                                    "--disable-quic",
                                    "--no-first-run",
                                    "--disable-background-networking",
                                    "--disable-component-update",
                                    "--disable-sync",
                                    "--hide-scrollbars",
                                    "--user-data-dir=" + profile.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runProgram(MIRETO_CHROMIUM_PATH, all);
}

void PrintTo(const Style& style, std::ostream* out) {
    *out << "style " << style.position;
}

class BrowserRender : public ::testing::TestWithParam<Style> {};

TEST_P(BrowserRender, JapaneseTextShowsDecodedInThePagesStructure) {
    const Style& style = GetParam();
    TempDir dir;
    const auto page = dir / "tmp.html";
    writeFile(dir / "empty.ini", ""); // defaults, whatever lies beside the program
    const ProgramResult converted =
        runProgram(MIRETO_CONVERT_PATH, {"-f", std::to_string(style.position), "--encoding",
                                         "utf-8", "--time", "1031227620", "-o", page.string(), "-s",
                                         (dir / "empty.ini").string(), MIRETO_SAMPLE_TEXT});
    ASSERT_EQ(converted.status, 0) << converted.err;

    TempDir profile;
    const ProgramResult dom = chromium(profile, {"--dump-dom", "file://" + page.string()});
    ASSERT_EQ(dom.status, 0) << dom.err;
    const std::string& html = dom.out;

    EXPECT_NE(html.find(std::string("<title>") + style.title + "</title>"), std::string::npos)
        << html.substr(0, 600);
    for (const std::string& phrase : kPhrases)
        EXPECT_NE(html.find(phrase), std::string::npos) << "missing " << phrase;
    EXPECT_EQ(html.find("\xEF\xBF\xBD"), std::string::npos) << "a character did not decode";
    for (const std::string& pattern : style.structure)
        EXPECT_TRUE(std::regex_search(html, std::regex(pattern, std::regex::icase)))
            << "no " << pattern << " in\n"
            << html.substr(0, 2000);

    std::filesystem::create_directories(MIRETO_SCREENSHOT_DIR);
    const std::string shot =
        std::string(MIRETO_SCREENSHOT_DIR) + "/style" + std::to_string(style.position) + ".png";
    const ProgramResult screenshot = chromium(
        profile, {"--window-size=900,700", "--screenshot=" + shot, "file://" + page.string()});
    EXPECT_EQ(screenshot.status, 0) << screenshot.err;
    EXPECT_GT(std::filesystem::file_size(shot), 1000u);
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, BrowserRender, ::testing::ValuesIn(kStyles),
                         [](const auto& info) {
                             return "style" + std::to_string(info.param.position);
                         });

} // namespace
} // namespace mireto::test
