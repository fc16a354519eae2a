// The UTF-8 page decoded piece by piece: the same bytes as the whole page decoded, for
// every style and every way of cutting it, handed on before the page ends.
#include "cli/sjis_to_utf8.h"
#include "cli/utf8_page_stream.h"
#include "convert/converter_factory.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::cli {
namespace {

std::string pageOf(std::size_t style, const std::string& text) {
    static const EndingSet endings = noneEndingSet();
    static const ReplacementSet replacements = noneReplacementSet();
    const std::unique_ptr<Converter> converter =
        createConverter(static_cast<OutputFormat>(style), FormatSettings{});
    converter->setInputs(endings, replacements, text);
    converter->setClock([] { return std::time_t{1031227620}; });
    return converter->buildPage();
}

TEST(Utf8PageStream, AnyCutGivesTheWholePageDecoded) {
    // Two-byte characters, a character Shift_JIS lacks, and a lone lead byte at the end.
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += test::sjis("猫です、寿司。\r\n表示") + "&#x1F363;\r\n";
    text += "\x82";
    for (std::size_t style = 0; style < kFormatCount; ++style) {
        const std::string page = pageOf(style, text);
        const std::string whole = pageToUtf8(page);
        for (const std::size_t cut : {1, 2, 3, 5, 64, 4096}) {
            SCOPED_TRACE("style " + std::to_string(style) + ", pieces of " + std::to_string(cut));
            std::string streamed;
            std::size_t handedOn = 0;
            const PageSink out = [&](std::string_view piece) {
                streamed.append(piece);
                ++handedOn;
                return true;
            };
            Utf8PageStream stream(out);
            for (std::size_t at = 0; at < page.size(); at += cut)
                ASSERT_TRUE(stream.put(std::string_view(page).substr(at, cut)));
            const std::size_t beforeEnd = handedOn;
            ASSERT_TRUE(stream.finish());
            EXPECT_TRUE(streamed == whole);
            if (cut < page.size() / 2) {
                EXPECT_GT(beforeEnd, std::size_t{1}) << "handed on only at the end";
            }
        }
    }
}

TEST(Utf8PageStream, APageWithoutAHeadEndIsDecodedWhole) {
    const std::string page = test::sjis("<html><meta charset=Shift_JIS>本文");
    std::string streamed;
    const PageSink out = [&](std::string_view piece) {
        streamed.append(piece);
        return true;
    };
    Utf8PageStream stream(out);
    ASSERT_TRUE(stream.put(page.substr(0, 7)));
    ASSERT_TRUE(stream.put(page.substr(7)));
    EXPECT_EQ(streamed, "");
    ASSERT_TRUE(stream.finish());
    EXPECT_EQ(streamed, pageToUtf8(page));
}

TEST(Utf8PageStream, ARefusedPieceEndsTheStream) {
    const std::string page = pageOf(0, test::sjis("猫。\r\n犬。"));
    std::size_t offered = 0;
    const PageSink out = [&](std::string_view) {
        ++offered;
        return false;
    };
    Utf8PageStream stream(out);
    bool ok = true;
    for (std::size_t at = 0; at < page.size() && ok; at += 16)
        ok = stream.put(std::string_view(page).substr(at, 16));
    EXPECT_FALSE(ok && stream.finish());
    EXPECT_FALSE(stream.put("more"));
    EXPECT_FALSE(stream.finish());
    EXPECT_EQ(offered, std::size_t{1});
}

} // namespace
} // namespace mireto::cli
