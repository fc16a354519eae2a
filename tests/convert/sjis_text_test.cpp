// Character-aware search and replace on Shift_JIS bytes.
#include "convert/sjis_text.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

TEST(SjisFind, NeverStartsOnASecondByte) {
    // 0x89 0x81 is one character; the 0x81 0x42 that straddles it is no full stop.
    const std::string text = std::string("\x89\x81") + "B" + sjis("。");
    EXPECT_EQ(sjis::find(text, sjis::kFullStop), 3u);
    // ソ is 0x83 0x5C: its second byte is no backslash.
    EXPECT_EQ(sjis::find(sjis("ソ\\"), "\\"), 2u);
}

TEST(SjisFind, StartsAtTheGivenBoundaryAndReportsMisses) {
    const std::string text = sjis("あ。い。");
    EXPECT_EQ(sjis::find(text, sjis::kFullStop, 0), 2u);
    EXPECT_EQ(sjis::find(text, sjis::kFullStop, 4), 6u);
    EXPECT_EQ(sjis::find(text, sjis::kFullStop, 8), sjis::npos);
    EXPECT_EQ(sjis::find(text, "", 0), sjis::npos);
    EXPECT_EQ(sjis::find("", "x", 0), sjis::npos);
}

TEST(SjisFind, OddBytesNeverHideALineBreak) {
    // A lead byte before CR is no pair: the line break is still found.
    EXPECT_EQ(sjis::find("a\x81\r\n", "\r\n"), 2u);
    // A lone lead byte at the very end: nothing is read past it.
    EXPECT_EQ(sjis::find("ab\x81", "\x81"), 2u);
    EXPECT_EQ(sjis::find("ab\x81", "\x81\x42"), sjis::npos);
}

TEST(SjisReplaceAll, LeftToRightNonOverlappingWithoutRescanning) {
    std::string text = "aaaa";
    EXPECT_EQ(sjis::replaceAll(text, "aa", "a"), 2u);
    EXPECT_EQ(text, "aa");

    std::string grows = "ab";
    sjis::replaceAll(grows, "a", "aa");
    EXPECT_EQ(grows, "aab") << "the inserted text is not scanned again";

    std::string sentence = sjis("猫だ。犬だ。");
    EXPECT_EQ(sjis::replaceAll(sentence, sjis::kFullStop, sjis("ナリ")), 2u);
    EXPECT_EQ(sentence, sjis("猫だナリ犬だナリ"));
}

TEST(SjisReplaceAll, EmptySourceAndMissesChangeNothing) {
    std::string text = sjis("そのまま");
    EXPECT_EQ(sjis::replaceAll(text, "", "x"), 0u);
    EXPECT_EQ(sjis::replaceAll(text, "x", "y"), 0u);
    EXPECT_EQ(text, sjis("そのまま"));
}

TEST(SjisReplaceAll, SkipsMatchesInsideDoubleByteCharacters) {
    std::string text = std::string("\x89\x81") + "B" + sjis("。");
    sjis::replaceAll(text, sjis::kFullStop, "!");
    EXPECT_EQ(text, std::string("\x89\x81") + "B!");
}

} // namespace
} // namespace mireto::test
