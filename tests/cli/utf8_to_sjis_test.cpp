// UTF-8 input for mireto-convert: converted, with nothing silently lost.
#include "cli/utf8_to_sjis.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::cli {
namespace {

TEST(Utf8ToSjis, ConvertsJapaneseKeepsAsciiAndMakesReferencesOfTheRest) {
    const SjisConversion result = utf8ToSjis("abc 寿司🍣です\r\n");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.text, test::sjis("abc 寿司") + "&#x1F363;" + test::sjis("です\r\n"));
}

TEST(Utf8ToSjis, ALeadingByteOrderMarkIsNotText) {
    const SjisConversion result = utf8ToSjis("\xEF\xBB\xBF猫。\xEF\xBB\xBF");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.text, test::sjis("猫。") + "&#xFEFF;") << "only the leading mark goes";
}

TEST(Utf8ToSjis, MalformedInputIsAnErrorWithItsOffset) {
    for (const std::string bad : {"ab\xFF", "ab\xE3\x81", "ab\xC0\xAF", "ab\xED\xA0\x80"}) {
        const SjisConversion result = utf8ToSjis(bad);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("byte 2"), std::string::npos) << result.error;
    }
}

} // namespace
} // namespace mireto::cli
