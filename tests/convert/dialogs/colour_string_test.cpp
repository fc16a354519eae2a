// Reading and writing the "#RRGGBB" colour strings of the standard pages.
#include "convert/dialogs/colour_string.h"

#include <QtTest>

using namespace mireto;

class ColourStringTest : public QObject {
    Q_OBJECT
private slots:
    void readsThreeHexPairsAfterTheFirstCharacter() {
        QCOMPARE(parseColourString("#66aaFF"), QColor(0x66, 0xAA, 0xFF));
        QCOMPARE(parseColourString("X0a0B0c"), QColor(0x0A, 0x0B, 0x0C));
    }

    void aPairStopsAtItsFirstNonDigit() {
        QCOMPARE(parseColourString("#1G2345"), QColor(0x01, 0x23, 0x45));
        QCOMPARE(parseColourString("#GG0000"), QColor(0, 0, 0));
        QCOMPARE(parseColourString("# 1-1+1"), QColor(0, 0, 0));
    }

    void neverReadsPastTheEnd() {
        const std::string_view whole = "#ABCDEF";
        QCOMPARE(parseColourString(whole.substr(0, 3)), QColor(0xAB, 0, 0));
        QCOMPARE(parseColourString(whole.substr(0, 4)), QColor(0xAB, 0x0C, 0));
        QCOMPARE(parseColourString(""), QColor(0, 0, 0));
        QCOMPARE(parseColourString("#"), QColor(0, 0, 0));
        QCOMPARE(parseColourString("#123456789"), QColor(0x12, 0x34, 0x56));
    }

    void writesUpperCaseDigits() {
        QCOMPARE(formatColourString(QColor(0x66, 0xAA, 0xFF)), std::string("#66AAFF"));
        QCOMPARE(formatColourString(QColor(0, 1, 0xF0)), std::string("#0001F0"));
    }
};

QTEST_GUILESS_MAIN(ColourStringTest)
#include "colour_string_test.moc"
