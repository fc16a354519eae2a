// The thread page's canned texts: their first words, sizes and encoding (the golden
// thread pages hold the footer and several of them byte for byte).
#include "convert/sjis_text.h"
#include "convert/thread_canned_texts.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

namespace texts = thread_texts;

// Every lead byte is followed by a trail byte, and there are no control characters.
bool wellFormedShiftJis(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x20 || byte == 0x7F || byte == 0x80 || byte == 0xA0 || byte >= 0xFD)
            return false;
        if (sjis::isLeadByte(byte) && sjis::charLength(text, at++) != 2) // at++: skip the trail
            return false;
    }
    return true;
}

struct Canned {
    const char* what;
    std::string_view text;
    const char* firstWords; // UTF-8; empty when the text starts with a picture
    std::size_t size;       // what the text is meant to be, roughly
};

TEST(ThreadCannedTexts, FirstWordsSizesAndEncoding) {
    const Canned canned[] = {
        {"second-post claim", texts::kClaimSecondPost, "今だ！2ゲットォォｫｫ！！", 219},
        {"good certificate", texts::kGoodCertificateTop, "", 776},
        {"bad certificate", texts::kBadCertificateTop, "", 780},
        {"certificates' closing part", texts::kCertificateBottom, "", 198},
        {"gravestone", texts::kGravestone, "", 705},
        {"two gossips", texts::kTwoGossips, "", 1059},
        {"thread-ended sign", texts::kThreadEndedSign, "", 704},
        {"mother's letter", texts::kMotherLetter, "1の母でございます。", 640},
        {"retainer's letter", texts::kRetainerLetter, "１の家臣でござる。", 896},
        {"physician's letter", texts::kPhysicianLetter, "１の主治医です。", 976},
    };
    for (const Canned& text : canned) {
        SCOPED_TRACE(text.what);
        EXPECT_TRUE(wellFormedShiftJis(text.text));
        EXPECT_EQ(text.text.rfind(sjis(text.firstWords), 0), 0u);
        EXPECT_GE(text.text.size() * 100, text.size * 95);
        EXPECT_LE(text.text.size() * 100, text.size * 105);
        EXPECT_EQ(text.text.find("\r"), std::string_view::npos);
        EXPECT_EQ(text.text.find("href"), std::string_view::npos);
        EXPECT_NE(text.text.find("<br>"), std::string_view::npos) << "lines are separated";
    }
    // The certificates' parts end a line, for the date line that follows.
    for (std::string_view part :
         {texts::kGoodCertificateTop, texts::kBadCertificateTop, texts::kCertificateBottom})
        EXPECT_TRUE(part.ends_with("<br>"));
}

} // namespace
} // namespace mireto::test
