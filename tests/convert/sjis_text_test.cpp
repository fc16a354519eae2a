// Character-aware search and replace on Shift_JIS bytes, and the delimiter search.
#include "convert/crt_random.h"
#include "convert/delimiter_search.h"
#include "convert/sjis_blocks.h"
#include "convert/sjis_text.h"
#include "tests/support/sjis.h"

#include <algorithm>
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
    EXPECT_EQ(sjis::find("ab\x81", sjis("。")), sjis::npos);
}

TEST(DelimiterSearch, FindsTheEarliestOfSeveralNeedlesAsFindEachWould) {
    // Texts longer than the sixteen bytes compared at once, over bytes that make and
    // break characters, so that occurrences fall on and off boundaries anywhere.
    static const std::string alphabet[] = {"a",  "\x81",     "B",        "A",        "\r",
                                           "\n", sjis("。"), sjis("、"), sjis("猫"), "\x89\x81"};
    const std::string_view needles[] = {sjis::kFullStop, sjis::kComma, sjis::kLineBreak};
    const DelimiterSearch search(needles);
    CrtRandom random(99);
    for (int round = 0; round < 1000; ++round) {
        // Every other text has its needles far apart, beyond what is compared at once.
        std::string text;
        const int pieces = random.next() % 300;
        for (int i = 0; i < pieces; ++i) {
            const bool sparse = round % 2 == 1 && random.next() % 20 != 0;
            text += sparse
                        ? alphabet[8]
                        : alphabet[static_cast<std::size_t>(random.next()) % std::size(alphabet)];
        }
        // One scan going forward, as the page builders search, and searches on their own.
        DelimiterSearch::Scan scan(search, text);
        for (std::size_t from = 0; from < text.size(); from += sjis::charLength(text, from)) {
            std::size_t expected = sjis::npos;
            for (std::string_view needle : needles)
                expected = std::min(expected, sjis::find(text, needle, from));
            ASSERT_EQ(search.find(text, from), expected) << "round " << round << " from " << from;
            ASSERT_EQ(scan.find(from), expected) << "round " << round << " from " << from;
        }
    }
}

TEST(DelimiterSearch, ScanSearchingOnFromEachFindFindsWhatFindWould) {
    // As the page builders search: from just after the last find, which may lie many
    // blocks ahead, over texts with long runs of lead bytes.
    static const std::string alphabet[] = {"a",
                                           "\x81",
                                           "\x81\x81",
                                           "\x89\x81",
                                           sjis("。"),
                                           "\r\n",
                                           sjis("猫猫猫猫猫猫猫猫猫猫猫猫猫猫猫猫")};
    const std::string_view needles[] = {sjis::kFullStop, sjis::kLineBreak};
    const DelimiterSearch search(needles);
    CrtRandom random(5);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int i = random.next() % 200; i > 0; --i)
            text += alphabet[static_cast<std::size_t>(random.next()) % std::size(alphabet)];
        DelimiterSearch::Scan scan(search, text);
        for (std::size_t from = 0;;) {
            std::size_t expected = sjis::npos;
            for (std::string_view needle : needles)
                expected = std::min(expected, sjis::find(text, needle, from));
            ASSERT_EQ(scan.find(from), expected) << "round " << round << " from " << from;
            if (expected == sjis::npos)
                break;
            from = expected + 2;
        }
    }
}

TEST(SjisSecondBytes, MarksTheSecondBytesAWalkFromTheStartFinds) {
    // Lead bytes that pair, lead bytes before bytes that cannot follow them, and long
    // runs of bytes that are both, across many blocks.
    static const unsigned char bytes[] = {'a',  0x81, 0x9F, 0xE0, 0xFC, 0x40,
                                          0x7F, 0x80, 0xA0, 0xFD, '\r'};
    CrtRandom random(17);
    for (int round = 0; round < 200; ++round) {
        std::string text(64 * (1 + random.next() % 8), '\0');
        for (char& c : text)
            c = static_cast<char>(random.next() % 3 == 0 ? bytes[random.next() % std::size(bytes)]
                                                         : 0x81 + random.next() % 2);
        std::vector<bool> second(text.size(), false);
        for (std::size_t at = 0; at < text.size(); at += sjis::charLength(text, at)) {
            if (sjis::charLength(text, at) == 2 && at + 1 < text.size())
                second[at + 1] = true;
        }
        SjisSecondBytes scan;
        for (std::size_t block = 0; block < text.size(); block += 64) {
            const auto* at = reinterpret_cast<const unsigned char*>(text.data()) + block;
            const std::uint64_t marks = scan.next(sjisKindsOf64(at));
            for (std::size_t k = 0; k < 64; ++k)
                ASSERT_EQ((marks >> k & 1) != 0, second[block + k])
                    << "round " << round << " byte " << block + k;
        }
    }
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

    // An empty source and a miss change nothing.
    std::string same = sjis("そのまま");
    EXPECT_EQ(sjis::replaceAll(same, "", "x"), 0u);
    EXPECT_EQ(sjis::replaceAll(same, "x", "y"), 0u);
    EXPECT_EQ(same, sjis("そのまま"));
}

TEST(SjisReplaceAll, SkipsMatchesInsideDoubleByteCharacters) {
    std::string text = std::string("\x89\x81") + "B" + sjis("。");
    sjis::replaceAll(text, sjis::kFullStop, "!");
    EXPECT_EQ(text, std::string("\x89\x81") + "B!");
}

// Bytes that make boundaries hard to judge: lead bytes in runs, lone lead bytes before
// bytes that cannot follow one, and needles that end on a lead byte.
std::string oddBytes(CrtRandom& random, int maxBytes) {
    using namespace std::string_view_literals;
    static constexpr std::string_view kBytes = "\x81\x82\x42\x40"
                                               "a\r\n\xE0\x7F\x00"sv;
    std::string bytes;
    const int count = random.next() % (maxBytes + 1);
    for (int i = 0; i < count; ++i)
        bytes += kBytes[static_cast<std::size_t>(random.next()) % kBytes.size()];
    return bytes;
}

TEST(SjisStreamReplacer, PiecesOfAnySizeGiveWhatTheWholeTextGives) {
    CrtRandom random(77);
    for (int round = 0; round < 20000; ++round) {
        const std::string from = oddBytes(random, 3);
        const std::string to = oddBytes(random, 3);
        const std::string text = oddBytes(random, 30);
        std::string whole = text;
        const std::size_t wholeCount = sjis::replaceAll(whole, from, to);

        sjis::StreamReplacer replacer(from, to);
        std::string streamed;
        std::size_t count = 0;
        std::size_t at = 0;
        do {
            const std::size_t piece = static_cast<std::size_t>(random.next() % 5);
            replacer.input().append(std::string_view(text).substr(at, piece));
            at = std::min(text.size(), at + piece);
            count += replacer.drain(streamed, at == text.size());
        } while (at < text.size());
        ASSERT_EQ(streamed, whole) << "round " << round;
        ASSERT_EQ(count, wholeCount) << "round " << round;
    }
}

TEST(SjisStreamReplacer, MovesSettledTextOnAndHoldsBackAFewBytes) {
    sjis::StreamReplacer replacer(sjis("猫だ"), "X");
    std::string out;
    std::string dogs;
    for (int i = 0; i < 1000; ++i)
        dogs += sjis("犬");
    replacer.input() = dogs + sjis("猫");
    replacer.drain(out, false);
    // The last 犬 and 猫 wait: 猫 may begin 猫だ.
    EXPECT_EQ(out, dogs.substr(2));
    replacer.input() += sjis("だ。");
    EXPECT_EQ(replacer.drain(out, false), 1u);
    EXPECT_EQ(out, dogs + "X");
    replacer.drain(out, true);
    EXPECT_EQ(out, dogs + "X" + sjis("。"));
}

} // namespace
} // namespace mireto::test
