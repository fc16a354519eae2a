// Whole pages, byte for byte, against the golden pages in tests/convert/golden/: each
// page style for fixed texts, sets, settings and moments (the moment seeds every draw
// and dates the page). The golden files were written by the converters, then read and
// looked at in a browser; they are the reference, not a copy of the converters' literals.
//
// After a deliberate change to a page, rewrite them with
//     MIRETO_UPDATE_GOLDEN=1 build/tests/convert/convert_tests --gtest_filter='*GoldenPage*'
// and read the diff (`git diff tests/convert/golden`) before committing it.
#include "convert/converter_factory.h"
#include "tests/support/sjis.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace mireto::test {
namespace {

EndingSet always(const char* word, bool changeLineBreaks = false) {
    EndingSet set;
    set.words = {sjis(word), "", "", ""};
    set.frequencies = {100, 0, 0, 0};
    set.changeLineBreaks = changeLineBreaks ? 1 : 0;
    return set;
}

EndingSet halfNari() {
    EndingSet set = always("ナリ");
    set.frequencies[0] = 50;
    return set;
}

ReplacementSet replacing(const char* from, const char* to) {
    ReplacementSet set;
    set.clearRules();
    set.addRule({sjis(from), "", "", ""}, sjis(to));
    return set;
}

// 2002-09-05 21:07 in Japan; the seconds pick the draws.
constexpr std::time_t kSeptember2002 = 1031227620;

const std::string kElevenLines =
    "L01\r\nL02\r\nL03\r\nL04\r\nL05\r\nL06\r\nL07\r\nL08\r\nL09\r\nL10\r\nL11";

struct GoldenCase {
    const char* file;
    OutputFormat format;
    std::string text;
    std::time_t moment;
    FormatSettings settings{};
    EndingSet endings{};
    ReplacementSet replacements{};
};

FormatSettings thread(int mode, const char* title = "一人語りスレ",
                      const char* name = "名無しさん") {
    FormatSettings settings;
    settings.thread = {sjis(title), sjis(name), mode};
    return settings;
}

FormatSettings fontPlay(int deleteCommas, int degree) {
    FormatSettings settings;
    settings.setFontPlay({deleteCommas, degree});
    return settings;
}

FormatSettings idolNews(int supportOn, const char* title) {
    FormatSettings settings;
    settings.idolNews.supportOn = supportOn;
    settings.idolNews.title = sjis(title);
    return settings;
}

FormatSettings colours(const char* text, const char* background) {
    FormatSettings settings;
    settings.standardColours = {text, background};
    return settings;
}

using F = OutputFormat;

// What each page shows is in its comment; the draws of a seed are in its golden file.
const GoldenCase kCases[] = {
    // A sentence closes its line; a line without a full stop keeps its CR LF; the empty
    // line; the final segment has no break; 三 -> 3.
    {"standard.html",
     F::Standard,
     sjis("一行目。\r\n二行目\r\n\r\n三行目"),
     kSeptember2002,
     {},
     always("ナリ"),
     replacing("三", "3")},
    {"standard-frameless.html", F::StandardFrameless, sjis("一行目。\r\n二行目\r\n\r\n三行目"),
     kSeptember2002, colours("#000000", "#ffffff"), always("ナリ")},
    // Two full stops before a line break write no break; colours are written as stored.
    {"standard-double-stop.html", F::Standard, sjis("あ。。\r\nい"), 0, colours("red\"x", "")},
    // 今日は、 red +1 with 4 breaks; 晴れ。 cyan +2, ナリ then ナリ -> なり (replacements
    // run after the endings).
    {"font-play-black.html",
     F::FontPlayBlack,
     sjis("今日は、晴れ。"),
     1031227622,
     {},
     always("ナリ"),
     replacing("ナリ", "なり")},
    // Deleted commas still cut the clause.
    {"font-play-black-no-commas.html", F::FontPlayBlack, sjis("今日は、晴れ。"), 1031227622,
     fontPlay(1, 0), always("ナリ")},
    // The ending takes the place of the line break; the final line is never converted.
    {"font-play-white-line-breaks.html",
     F::FontPlayWhite,
     sjis("一行目\r\n二行目"),
     1031227623,
     {},
     always("ナリ", true)},
    // Degree 9 (6-14 breaks); the full-width space line draws nothing; the leading space
    // and tab go.
    {"font-play-black-degree-9.html", F::FontPlayBlack,
     sjis("一行目\r\n　\r\n \t二行目。\r\n\r\nおわり"), 1031227703, fontPlay(0, 9), always("ナリ")},
    // 2002-01-03 00:01 in Japan: a bold clause, a search link, the support line.
    {"idol-news.html", F::IdolNews, sjis("今日は、晴れ。"), 1009983660,
     idolNews(1, "ぺかりニュースもどき"), always("ナリ")},
    // The support line only for 1.
    {"idol-news-support-2.html", F::IdolNews, sjis("今日は、晴れ。"), 1009983660,
     idolNews(2, "ぺかりニュースもどき"), always("ナリ")},
    // The first day of Reiwa: bare clauses, breaks after lines and the empty line.
    {"idol-news-reiwa.html", F::IdolNews, sjis("一行目。\r\n二行目、\r\n三行目\r\n\r\n四"),
     1556636400, idolNews(0, "T")},
    // The last second of Heisei, an empty title and an empty text.
    {"idol-news-heisei-empty.html", F::IdolNews, "", 1556636399, idolNews(0, "")},
    // A short bad thread: the second-post claim, the scolding, the mother's letter.
    {"thread-bad-short.html", F::Thread, sjis("今日は晴れ。\r\n明日は雨\r\n\r\n終わり"), 1031227621,
     thread(2)},
    // The title and the (empty) name are the settings; sentences are converted.
    {"thread-title-and-name.html", F::Thread, sjis("文。"), 1031227621, thread(0, "題", ""),
     always("ナリ")},
    // Eleven lines in each mode: the user's second post begins at line 10.
    {"thread-none-eleven.html", F::Thread, kElevenLines, 1031227676, thread(0)},
    {"thread-good-eleven.html", F::Thread, kElevenLines, 1031227644, thread(1)},
    {"thread-bad-eleven.html", F::Thread, kElevenLines, 1031227657, thread(2)},
    // 2019-05-01 12:00 in Japan: the good-thread certificate is dated 令和1年.
    {"thread-good-reiwa.html", F::Thread, kElevenLines, 1556679600, thread(1)},
    // The emphasis draw comes before the ending draw; no full stop, no ending.
    {"house.html", F::HouseStyle, sjis("一つ。二つ。\r\n\r\n三つ"), 1000000015, {}, halfNari()},
    // An empty text draws once and writes one break.
    {"house-empty.html", F::HouseStyle, "", 0},
};

// Names the case by its file in failure messages.
void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.file;
}

std::string build(const GoldenCase& c) {
    std::unique_ptr<Converter> converter = createConverter(c.format, c.settings);
    converter->setInputs(c.endings, c.replacements, c.text);
    const std::time_t moment = c.moment;
    converter->setClock([moment] { return moment; });
    return converter->buildPage();
}

class GoldenPage : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenPage, IsByteForByteTheGoldenFile) {
    const GoldenCase& c = GetParam();
    const std::string path = std::string(MIRETO_GOLDEN_DIR) + "/" + c.file;
    const std::string page = build(c);
    const char* update = std::getenv("MIRETO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << page;
        GTEST_SKIP() << "rewrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no golden page " << path << " (MIRETO_UPDATE_GOLDEN=1 writes it)";
    const std::string golden{std::istreambuf_iterator<char>(in), {}};
    if (page == golden)
        return;
    std::size_t at = 0;
    while (at < page.size() && at < golden.size() && page[at] == golden[at])
        ++at;
    const std::size_t from = at < 40 ? 0 : at - 40;
    ADD_FAILURE() << c.file << ": the page differs from the golden file at byte " << at << " (page "
                  << page.size() << " bytes, golden " << golden.size() << ")\n--- page from byte "
                  << from << "\n"
                  << utf8(page.substr(from, 120)) << "\n--- golden from byte " << from << "\n"
                  << utf8(golden.substr(std::min(from, golden.size()), 120));
}

INSTANTIATE_TEST_SUITE_P(Pages, GoldenPage, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

} // namespace
} // namespace mireto::test
