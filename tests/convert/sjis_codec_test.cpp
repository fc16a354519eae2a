// The codec against tables that scripts/sjis-expected derived from Python's cp932 codec,
// independently of the tables the codec is built from.
#include "convert/sjis_codec.h"
#include "convert/sjis_literal.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace mireto {
namespace {

// "XXXX YYYY" lines of two hex numbers.
std::map<std::uint32_t, std::string> readTable(const std::string& name) {
    std::ifstream file(std::string(MIRETO_SJIS_TEST_DATA) + "/" + name);
    std::map<std::uint32_t, std::string> table;
    std::string key;
    std::string value;
    while (file >> key >> value)
        table[std::stoul(key, nullptr, 16)] = value;
    return table;
}

std::string utf8Of(char32_t codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

std::string hexOf(std::string_view bytes) {
    std::string hex;
    for (const char c : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
        hex += digits;
    }
    return hex;
}

TEST(SjisCodec, EncodesEveryCodePointAsTheIndependentTableSays) {
    const auto expected = readTable("sjis_encode.txt");
    ASSERT_GT(expected.size(), 9000u);
    std::size_t mismatches = 0;
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const SjisEncoding encoding = utf8ToSjis(utf8Of(codePoint), Unmappable::Fail);
        const auto found = expected.find(codePoint);
        const std::string got = encoding ? hexOf(encoding.bytes) : "none";
        const std::string want = found != expected.end() ? found->second : "none";
        if (got != want && ++mismatches <= 20)
            ADD_FAILURE() << codePointName(codePoint) << ": " << got << ", expected " << want;
    }
    EXPECT_EQ(mismatches, 0u);
}

TEST(SjisCodec, DecodesEveryTwoByteSequenceAsTheIndexSays) {
    const auto expected = readTable("sjis_decode.txt");
    ASSERT_GT(expected.size(), 9000u);
    std::size_t mismatches = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF)
            continue;
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const auto found = expected.find(lead << 8 | trail);
            std::string want;
            if (found != expected.end())
                want = utf8Of(static_cast<char32_t>(std::stoul(found->second, nullptr, 16)));
            else if (trail < 0x80)
                want = "\uFFFD" + std::string(1, static_cast<char>(trail)); // read again
            else
                want = "\uFFFD";
            const std::string got = sjisToUtf8(pair);
            if (got != want && ++mismatches <= 20)
                ADD_FAILURE() << hexOf(pair) << ": " << hexOf(got) << ", expected " << hexOf(want);
            EXPECT_EQ(sjisToUtf8Exact(pair).has_value(), found != expected.end()) << hexOf(pair);
        }
    }
    EXPECT_EQ(mismatches, 0u);
}

TEST(SjisCodec, DecodesSingleBytes) {
    for (unsigned byte = 0; byte <= 0x80; ++byte)
        EXPECT_EQ(sjisToUtf8(std::string(1, static_cast<char>(byte))), utf8Of(byte)) << byte;
    for (unsigned byte = 0xA1; byte <= 0xDF; ++byte)
        EXPECT_EQ(sjisToUtf8(std::string(1, static_cast<char>(byte))),
                  utf8Of(0xFF61 - 0xA1 + byte));
    // Bytes that are no character, and a lead byte the text ends on.
    for (const std::string_view bytes : {"\xA0", "\xFD", "\xFE", "\xFF", "\x81", "a\xE0"}) {
        EXPECT_EQ(sjisToUtf8(bytes).substr(bytes.size() - 1), "\uFFFD") << hexOf(bytes);
        EXPECT_FALSE(sjisToUtf8Exact(bytes)) << hexOf(bytes);
    }
}

TEST(SjisCodec, PagesShowWhatShiftJisCannotHoldAsCharacterReferences) {
    const SjisEncoding page =
        utf8ToSjis("寿司\U0001F363と\U000E0001タグ\u00E9", Unmappable::CharacterReference);
    ASSERT_TRUE(page);
    EXPECT_EQ(page.bytes, utf8ToSjisExact("寿司").value() + "&#x1F363;" +
                              utf8ToSjisExact("と").value() + "&#xE0001;" +
                              utf8ToSjisExact("タグ").value() + "&#xE9;");
}

TEST(SjisCodec, AFailureNamesTheFirstCharacterAndWhereItIs) {
    const SjisEncoding word = utf8ToSjis("ab\u00E9\U0001F363", Unmappable::Fail);
    EXPECT_EQ(word.status, SjisEncoding::Status::Unmappable);
    EXPECT_EQ(word.character, U'\u00E9');
    EXPECT_EQ(word.offset, 2u);
    EXPECT_TRUE(word.bytes.empty());
    EXPECT_EQ(codePointName(word.character), "U+00E9");
    EXPECT_EQ(codePointName(U'\U0001F363'), "U+1F363");
    EXPECT_FALSE(utf8ToSjisExact("\U000E007F"));
}

TEST(SjisCodec, TextThatIsNotUtf8IsAnErrorAtItsOffset) {
    for (const auto& [text, offset] : std::vector<std::pair<std::string_view, std::size_t>>{
             {"ab\xFF", 2},
             {"\xE3\x81", 0},            // cut short
             {"x\xC0\xAF", 1},           // overlong
             {"xy\xED\xA0\x80", 2},      // a surrogate
             {"\xF4\x90\x80\x80", 0}}) { // past U+10FFFF
        const SjisEncoding encoding = utf8ToSjis(text, Unmappable::CharacterReference);
        EXPECT_EQ(encoding.status, SjisEncoding::Status::InvalidUtf8) << hexOf(text);
        EXPECT_EQ(encoding.offset, offset) << hexOf(text);
        EXPECT_FALSE(isValidUtf8(text)) << hexOf(text);
    }
}

TEST(SjisCodec, TextReadsAsUtf8WhenValidAndBeyondAscii) {
    const std::string sjisText = utf8ToSjisExact("日本語のテキスト").value();
    for (const auto& [bytes, utf8] :
         std::vector<std::pair<std::string, bool>>{{"", false},
                                                   {"plain ASCII\r\n", false},
                                                   {"日本語のテキスト", true},
                                                   {"\xEF\xBB\xBFplain", true}, // a byte-order mark
                                                   {sjisText, false},
                                                   {"日本" + sjisText, false},
                                                   {"\xE6\x97", false}}) // cut short
        EXPECT_EQ(readsAsUtf8(bytes), utf8) << hexOf(bytes);
}

TEST(SjisCodec, LiteralsAreEncodedAsAtRunTime) {
    constexpr std::string_view none = "無し"_sjis;
    static_assert(none.size() == 4);
    static_assert("a〜b"_sjis.size() == 4 && "ｱ"_sjis.size() == 1);
    EXPECT_EQ(none, utf8ToSjisExact("無し").value());
    const std::string_view all = "〜‖¢£¬—¥‾−ｶﾅ①Ⅰⅰ纊\uE000"_sjis;
    EXPECT_EQ(all, utf8ToSjisExact("〜‖¢£¬—¥‾−ｶﾅ①Ⅰⅰ纊\uE000").value());
    EXPECT_EQ(all.data()[all.size()], '\0');
}

TEST(SjisCodec, DecodingWhatWasEncodedGivesTheStandardCharacters) {
    // The look-alikes come back as the characters Shift_JIS holds.
    EXPECT_EQ(sjisToUtf8(utf8ToSjisExact("〜‖¢£¬—−¥‾").value()), "～∥￠￡￢―－\\~");
    const std::string text = "全角ｶﾅと①Ⅰⅰ纊\uE000\uE757 and ASCII";
    EXPECT_EQ(sjisToUtf8(utf8ToSjisExact(text).value()), text);
}

} // namespace
} // namespace mireto
