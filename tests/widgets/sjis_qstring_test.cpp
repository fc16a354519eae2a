// Converting between the editor's Unicode and the core's Shift_JIS, never silently lossy.
#include "tests/support/sjis.h"
#include "widgets/sjis_qstring.h"

#include <QtTest>

using namespace mireto;

class SjisQStringTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripsJapanese() {
        const std::string bytes = test::sjis("今日は晴れ。ソ～①");
        const std::optional<QString> text = decodeSjis(bytes);
        QVERIFY(text);
        QCOMPARE(*text, QString::fromUtf8("今日は晴れ。ソ～①"));
        QCOMPARE(encodeSjis(*text).value_or(""), bytes);
    }
    void reportsWhatCannotConvert() {
        QVERIFY(!decodeSjis("\x81"));
        QVERIFY(!decodeSjis("ab\x85\x40"));
        QVERIFY(!encodeSjis(QString::fromUtf8("寿司🍣")));
        QVERIFY(!fromSjis("\x81\x20").isEmpty());
    }
    void pageTextKeepsUnencodableCharactersAsReferences() {
        QCOMPARE(encodeSjisForPage(QString::fromUtf8("寿司🍣です")),
                 test::sjis("寿司") + "&#x1F363;" + test::sjis("です"));
        QCOMPARE(encodeSjisForPage(QString::fromUtf8("€")), std::string("&#x20AC;"));
    }
    void pageTextIsEachCharacterEncodedOrReferenced() {
        // Long texts, so that the runs the encoder takes at once end anywhere, pairs
        // of surrogates included.
        const QString alphabet[] = {QStringLiteral("a"),    QString::fromUtf8("猫"),
                                    QString::fromUtf8("🍣"), QString::fromUtf8("€"),
                                    QString(QChar(0xD83C)), QString(QChar(0xDF63)),
                                    QString::fromUtf8("①"), QStringLiteral("\r\n")};
        std::uint32_t state = 7;
        auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
        for (int round = 0; round < 40; ++round) {
            QString text;
            const int length = static_cast<int>(next() % 12000);
            for (int i = 0; i < length; ++i)
                text += alphabet[next() % (round % 3 == 0 ? 8 : 3)];
            std::string expected;
            for (qsizetype i = 0; i < text.size();) {
                const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                                  text.at(i + 1).isLowSurrogate();
                const qsizetype width = pair ? 2 : 1;
                if (auto bytes = encodeSjis(text.mid(i, width))) {
                    expected += *bytes;
                } else {
                    const char32_t codePoint =
                        pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                             : text.at(i).unicode();
                    expected +=
                        "&#x" + QByteArray::number(codePoint, 16).toUpper().toStdString() + ";";
                }
                i += width;
            }
            QVERIFY2(encodeSjisForPage(text) == expected, qPrintable(QString::number(round)));
        }
    }
    void loneSurrogateBecomesOneReferenceAndKeepsItsNeighbours() {
        const QChar high(0xD83C);
        const QChar low(0xDF63);
        QCOMPARE(encodeSjisForPage(QString(high) + QStringLiteral("a")), std::string("&#xD83C;a"));
        QCOMPARE(encodeSjisForPage(QStringLiteral("a") + low + QString(high)),
                 std::string("a&#xDF63;&#xD83C;"));
        QCOMPARE(encodeSjisForPage(QString(high) + QString::fromUtf8("猫") + high + low),
                 "&#xD83C;" + test::sjis("猫") + "&#x1F363;");
    }
};

QTEST_GUILESS_MAIN(SjisQStringTest)
#include "sjis_qstring_test.moc"
