// The standard page beyond the golden pages: a sentence longer than the replacements'
// blocks.
#include "convert/standard_html_converter.h"
#include "page_test_support.h"

namespace mireto::test {
namespace {

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
    StandardHtmlConverter converter(StandardColours{}, 0);
    const std::string page =
        buildPage(converter, sentence + sjis("。\r\nend"), 1031227620, alwaysNari(), replacements);
    const std::string body = "padding : 5pt\">\r\n" + sjis("猫") + std::string(pieces - 1, 'X') +
                             "a" + sjis("ナリ<BR>\r\n") + "end</DIV></DIV></BODY></HTML>";
    ASSERT_GE(page.size(), body.size());
    EXPECT_TRUE(page.compare(page.size() - body.size(), body.size(), body) == 0);
}

} // namespace
} // namespace mireto::test
