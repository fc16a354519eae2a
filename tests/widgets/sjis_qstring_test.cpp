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
};

QTEST_GUILESS_MAIN(SjisQStringTest)
#include "sjis_qstring_test.moc"
