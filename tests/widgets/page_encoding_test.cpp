// The desktop program's UTF-8 page: every style's page decoded as mireto-convert decodes
// it, its head declaring UTF-8, and odd bytes read as a browser reads them.
#include "convert/converter_factory.h"
#include "tests/support/sjis.h"
#include "widgets/page_encoding.h"

#include <QtTest>

using namespace mireto;

class PageEncodingTest : public QObject {
    Q_OBJECT
private slots:
    void everyStyleIsItsPageDecoded() {
        const EndingSet endings = noneEndingSet();
        const ReplacementSet replacements = noneReplacementSet();
        const std::string text = test::sjis("猫です、寿司。～①ｶﾅ\r\n") + "&#x1F363;";
        for (std::size_t position = 0; position < kFormatCount; ++position) {
            auto converter = createConverter(static_cast<OutputFormat>(position), {});
            converter->setInputs(endings, replacements, text);
            converter->setClock([] { return std::time_t{1031227620}; });
            const std::string sjisPage = converter->buildPage();
            std::string expected = test::utf8(sjisPage);
            const std::size_t at = expected.find("harset=") + 7;
            expected.replace(at, 9, expected.compare(at, 9, "shift_jis") == 0 ? "utf-8" : "UTF-8");
            QCOMPARE(pageAsUtf8(sjisPage), expected);
        }
    }
    void oddBytesReadAsABrowserReadsThem() {
        const std::string head = "<head><meta charset=Shift_JIS></head>";
        const std::string utf8Head = "<head><meta charset=UTF-8></head>";
        const std::string replacement = "\xEF\xBF\xBD";
        // Control bytes stand for themselves, as every byte below 0x80 does.
        QCOMPARE(pageAsUtf8(head + "a\x1A\x1C\x7F" + test::sjis("猫")),
                 utf8Head + "a\x1A\x1C\x7F猫");
        // A pair code page 932 does not define, and a lead byte at the end.
        QCOMPARE(pageAsUtf8(head + test::sjis("猫") + "\x85\x40" + "b\x81"),
                 utf8Head + "猫" + replacement + "b" + replacement);
    }
};

QTEST_GUILESS_MAIN(PageEncodingTest)
#include "page_encoding_test.moc"
