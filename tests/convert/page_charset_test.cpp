// The charset declaration of a page kept as UTF-8: for every style exactly the one in
// the head changes, in its own letter case, and text that only mentions a charset
// stays as it is.
#include "convert/converter_factory.h"
#include "convert/page_charset.h"
#include "tests/convert/page_test_support.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

TEST(PageCharset, EveryStyleDeclaresUtf8InItsHeadAndChangesNothingElse) {
    FormatSettings settings;
    // Titles and text that mention a charset themselves, after the declaration.
    settings.idolNews.title = "charset=Shift_JIS";
    settings.thread.title = "charset=Shift_JIS";
    const std::string text = sjis("猫です。charset=shift_jis と書く。\r\n");
    for (std::size_t position = 0; position < kFormatCount; ++position) {
        const auto format = static_cast<OutputFormat>(position);
        auto converter = createConverter(format, settings);
        const std::string page = utf8(buildPage(*converter, text, 1031227620));
        std::string rewritten = page;
        declareUtf8Charset(rewritten);

        const std::size_t at = page.find("harset=") + 7;
        const bool lower = page.compare(at, 9, "shift_jis") == 0;
        ASSERT_TRUE(lower || page.compare(at, 9, "Shift_JIS") == 0) << position;
        std::string expected = page;
        expected.replace(at, 9, lower ? "utf-8" : "UTF-8");
        EXPECT_EQ(rewritten, expected) << position;
        EXPECT_LT(at, page.find("</")) << "the first declaration is in the head";
        EXPECT_NE(rewritten.find("charset=shift_jis と書く"), std::string::npos) << position;
    }
}

TEST(PageCharset, AHeadWithoutADeclarationGetsOne) {
    std::string page = "<html><head><title>x</title></head><body>charset=x</body></html>";
    declareUtf8Charset(page);
    EXPECT_EQ(page, "<html><head><meta charset=\"UTF-8\"><title>x</title></head>"
                    "<body>charset=x</body></html>");
    std::string quoted = "<HEAD><META CHARSET='Shift_JIS'></HEAD>";
    declareUtf8Charset(quoted);
    EXPECT_EQ(quoted, "<HEAD><META CHARSET='UTF-8'></HEAD>");
}

TEST(PageCharset, APageAsUtf8IsThePageDecodedWithItsHeadSayingSo) {
    const std::string text = sjis("猫です、寿司。～①ｶﾅ\r\n") + "&#x1F363;";
    for (std::size_t position = 0; position < kFormatCount; ++position) {
        auto converter = createConverter(static_cast<OutputFormat>(position), {});
        const std::string page = buildPage(*converter, text, 1031227620);
        std::string expected = utf8(page);
        declareUtf8Charset(expected);
        EXPECT_EQ(pageAsUtf8(page), expected) << position;
    }
}

TEST(PageCharset, OddBytesReadAsABrowserReadsThem) {
    const std::string head = "<head><meta charset=Shift_JIS></head>";
    const std::string utf8Head = "<head><meta charset=UTF-8></head>";
    // Control bytes stand for themselves, as every byte below 0x80 does.
    EXPECT_EQ(pageAsUtf8(head + "a\x1A\x1C\x7F" + sjis("猫")), utf8Head + "a\x1A\x1C\x7F猫");
    // A pair Shift_JIS does not define (its ASCII trail byte read again), a byte that is
    // no character, and a lead byte at the end.
    EXPECT_EQ(pageAsUtf8(head + sjis("猫") + "\x85\x40" + "\xA0" + "b\x81"),
              utf8Head + "猫\uFFFD@\uFFFDb\uFFFD");
}

} // namespace
} // namespace mireto::test
