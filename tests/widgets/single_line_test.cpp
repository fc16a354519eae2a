// The rule that keeps every stored text on one line, and a line edit that follows it
// for whatever enters it.
#include "tests/support/dialog_driver.h"
#include "widgets/single_line.h"

#include <QLineEdit>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

class SingleLineTest : public QObject {
    Q_OBJECT
private slots:
    void lineBreaksBecomeOneSpaceBetweenTextAndGoAtTheEnds() {
        QCOMPARE(singleLineText(QStringLiteral("a\nb")), QStringLiteral("a b"));
        QCOMPARE(singleLineText(QStringLiteral("x\r\n----")), QStringLiteral("x ----"));
        QCOMPARE(singleLineText(QStringLiteral("\r\n\u2029a\r\r\n\u2028\vb\f\u0085")),
                 QStringLiteral("a b"));
        QCOMPARE(singleLineText(QStringLiteral("\n\n")), QString());
        // Spaces the text has of its own stay.
        QCOMPARE(singleLineText(QStringLiteral(" a \n b ")), QStringLiteral(" a   b "));
    }

    void tabsBecomeSpacesAndOtherControlsGo() {
        QCOMPARE(singleLineText(QStringLiteral("a\tb")), QStringLiteral("a b"));
        QCOMPARE(singleLineText(QStringLiteral("\x01"
                                               "a\x1B\x7F\u0080\u009Fb")),
                 QStringLiteral("ab"));
        // Not controls: a full-width space, a zero-width space, a character beyond the BMP.
        const QString kept = QStringLiteral("\u3000\u200B\U0001F363");
        QCOMPARE(singleLineText(kept), kept);
    }

    void theCursorStaysWithTheTextAroundIt() {
        int cursor = 5; // after "a\r\nb\n"
        QCOMPARE(singleLineText(QStringLiteral("a\r\nb\ncd"), &cursor), QStringLiteral("a b cd"));
        QCOMPARE(cursor, 4);
        cursor = 3; // at the end, after a break that goes
        QCOMPARE(singleLineText(QStringLiteral("ab\n"), &cursor), QStringLiteral("ab"));
        QCOMPARE(cursor, 2);
    }

    void anEditShowsWhatIsStoredWhateverEntersIt() {
        QLineEdit edit;
        keepSingleLine(&edit);
        edit.show();
        paste(&edit, QStringLiteral("one\ntwo\n"));
        QCOMPARE(edit.text(), QStringLiteral("one two"));
        QCOMPARE(edit.cursorPosition(), 7);
        edit.setText(QStringLiteral("set\r\nfrom code"));
        QCOMPARE(edit.text(), QStringLiteral("set from code"));
        edit.end(false);
        QGuiApplication::clipboard()->setText(QStringLiteral("\t!"));
        edit.paste();
        QCOMPARE(edit.text(), QStringLiteral("set from code !"));
        paste(&edit, QStringLiteral("x\r\n----"));
        QCOMPARE(edit.text(), QStringLiteral("x ----"));
    }
};

QTEST_MAIN(SingleLineTest)
#include "single_line_test.moc"
