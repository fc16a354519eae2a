// The standard page, with and without its frame, byte for byte.
#include "convert/standard_html_converter.h"
#include "page_test_support.h"

namespace mireto::test {
namespace {

std::string head(const std::string& text, const std::string& background) {
    return kHeadOpening + sjis("<TITLE>変換しちゃいました</TITLE>\r\n") +
           "</HEAD>\r\n"
           "<BODY STYLE = \"text-align : center ;font-size : 11pt;color : " +
           text + " ; background-color : " + background +
           "\">\r\n"
           "<DIV align=\"center\"><BR>\r\n";
}

std::string framed(const std::string& text, const std::string& background) {
    return head(text, background) +
           "<DIV STYLE = \"border-style : solid ;border-width : 2 ;background-color : #ffffff ; "
           "border-color : " +
           text + "; width : 80% ; text-align : left ;padding : 5pt\">\r\n";
}

const std::string kEnd = "</DIV></DIV></BODY></HTML>";

std::string standardPage(const std::string& text, int frameless, const EndingSet& endings = {},
                         const ReplacementSet& replacements = {}) {
    StandardHtmlConverter converter(StandardColours{}, frameless);
    return buildPage(converter, text, 1031227620, endings, replacements);
}

TEST(StandardPage, LinesEmptyLinesAndConversions) {
    ReplacementSet replacements;
    replacements.clearRules();
    replacements.addRule({sjis("三"), "", "", ""}, "3");
    const std::string page =
        standardPage(sjis("一行目。\r\n二行目\r\n\r\n三行目"), 0, alwaysNari(), replacements);
    const std::string body = sjis("一行目ナリ<BR>\r\n" // the sentence closes its line
                                  "二行目\r\n<BR>\r\n" // a line without full stop keeps CR LF
                                  "<BR>\r\n"           // the empty line
                                  "3行目");            // final segment, no break after it
    EXPECT_TRUE(samePage(page, framed("#333333", "#66aaFF") + body + kEnd));
}

TEST(StandardPage, ASentenceLongerThanABlockIsConvertedWhole) {
    // Long sentences pass the replacements in blocks; the pieces' odd length puts the
    // block edges inside characters and sources.
    const int pieces = 20000;
    std::string sentence;
    for (int i = 0; i < pieces; ++i)
        sentence += sjis("猫と三a");
    ReplacementSet replacements;
    replacements.clearRules();
    replacements.addRule({sjis("と三"), "", "", ""}, "");
    replacements.addRule({sjis("a猫"), "", "", ""}, "X"); // only after the first rule
    const std::string page =
        standardPage(sentence + sjis("。\r\nend"), 0, alwaysNari(), replacements);
    const std::string body =
        sjis("猫") + std::string(pieces - 1, 'X') + "a" + sjis("ナリ<BR>\r\n") + "end";
    EXPECT_TRUE(page == framed("#333333", "#66aaFF") + body + kEnd);
}

TEST(StandardPage, DoubleFullStopBeforeALineBreakWritesNoBreak) {
    EXPECT_TRUE(samePage(standardPage(sjis("あ。。\r\nい"), 0),
                         framed("#333333", "#66aaFF") + sjis("あ。い") + kEnd));
}

TEST(StandardPage, FramelessPageHasNoBoxButClosesTwoDivs) {
    StandardColours colours{"#000000", "#ffffff"};
    StandardHtmlConverter converter(colours, 1);
    const std::string page = buildPage(converter, "", 0);
    EXPECT_TRUE(samePage(page, head("#000000", "#ffffff") +
                                   "<DIV STYLE = \"width : 80% ; text-align : left ;padding : "
                                   "5pt\">\r\n" +
                                   kEnd));
}

TEST(StandardPage, ColoursAreWrittenExactlyAsStored) {
    StandardColours colours{"red\"x", ""};
    StandardHtmlConverter converter(colours, 0);
    EXPECT_TRUE(samePage(buildPage(converter, "a", 0), framed("red\"x", "") + "a" + kEnd));
}

} // namespace
} // namespace mireto::test
