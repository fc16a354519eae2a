// Document bytes to editor text and back: encodings, line ends, and what cannot
// come back unchanged.
#include "app/document_codec.h"
#include "tests/support/sjis.h"

#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

std::string saved(const DecodedDocument& document) {
    return encodeDocument(document.text, document.format).value_or("<not encodable>");
}

} // namespace

class DocumentCodecTest : public QObject {
    Q_OBJECT
private slots:
    void shiftJisComesBackByteForByte() {
        const std::string bytes = sjis("今日は晴れ。ｶﾀｶﾅ①～\r\n二行目\r\n\r\n");
        const DecodedDocument document = decodeDocument(bytes);
        QVERIFY(document.format.encoding == TextEncoding::ShiftJis);
        QVERIFY(document.format.lineEnd == LineEnd::CrLf);
        QVERIFY(document.exact);
        QCOMPARE(document.text, QString::fromUtf8("今日は晴れ。ｶﾀｶﾅ①～\n二行目\n\n"));
        QCOMPARE(saved(document), bytes);
    }

    void lineFeedsStayLineFeeds() {
        const std::string bytes = sjis("一行目\n二行目\n");
        const DecodedDocument document = decodeDocument(bytes);
        QVERIFY(document.format.lineEnd == LineEnd::Lf);
        QVERIFY(document.exact);
        QCOMPARE(saved(document), bytes);
        QCOMPARE(encodeDocument(document.text + QStringLiteral("三\n"), document.format).value(),
                 bytes + sjis("三\n"));
    }

    void newDocumentsAreShiftJisWithCrLf() {
        QCOMPARE(encodeDocument(QString::fromUtf8("あ\nい"), DocumentFormat{}).value(),
                 sjis("あ\r\nい"));
        // Text without a line end takes the new-document default.
        QVERIFY(decodeDocument("abc").format == DocumentFormat{});
    }

    void utf8StaysUtf8() {
        const std::string bytes = "日本語 UTF-8 ✓\n";
        const DecodedDocument document = decodeDocument(bytes);
        QVERIFY(document.format.encoding == TextEncoding::Utf8);
        QVERIFY(!document.format.byteOrderMark);
        QVERIFY(document.exact);
        QCOMPARE(document.text, QString::fromUtf8("日本語 UTF-8 ✓\n"));
        QCOMPARE(saved(document), bytes);

        const std::string marked = "\xEF\xBB\xBF"
                                   "あ\r\n";
        const DecodedDocument withMark = decodeDocument(marked);
        QVERIFY(withMark.format.byteOrderMark);
        QCOMPARE(withMark.text, QString::fromUtf8("あ\n"));
        QCOMPARE(saved(withMark), marked);
    }

    void whatCannotComeBackIsFlagged() {
        // Bytes neither encoding reads.
        const DecodedDocument broken = decodeDocument("ab\x81\x20\xFF");
        QVERIFY(!broken.exact);
        QVERIFY(broken.text.startsWith(QStringLiteral("ab")));
        // A character with two Shift_JIS codes is written with the standard one.
        QVERIFY(!decodeDocument("\xED\x40").exact);
        // Mixed line ends are written as the first one.
        const DecodedDocument mixed = decodeDocument("a\r\nb\nc");
        QVERIFY(!mixed.exact);
        QCOMPARE(saved(mixed), std::string("a\r\nb\r\nc"));
    }
};

QTEST_GUILESS_MAIN(DocumentCodecTest)
#include "document_codec_test.moc"
