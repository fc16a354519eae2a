// The four frequency rows of the ending-set dialogs: sliders and percent boxes in step, and
// the rebalancing that keeps the total at most 100.
#include "rules/current_ending_dlg.h"
#include "tests/rules/ending_test_support.h"

#include <QtTest>
#include <limits>

using namespace mireto;
using namespace mireto::test;

namespace {

struct Stored {
    SettingsStore store;
};

// The ending-set dialog opened on `frequencies`, over a store holding `sets`.
struct Editor : Stored, CCurrentEndingDlg {
    explicit Editor(std::array<std::int32_t, 4> frequencies = {30, 30, 20, 10},
                    const std::vector<EndingSet>& sets = {})
        : Stored{storeWithEndings(sets)},
          CCurrentEndingDlg(store, test::endingSet("a", frequencies)) {
        show();
    }
};

// Each row's percent text, with "/value" added where its slider does not show that number.
QStringList rows(QWidget* dialog) {
    QStringList texts = percentTexts(dialog);
    const QList<int> values = sliderValues(dialog);
    for (int row = 0; row < 4; ++row)
        if (texts[row].toInt() != values[row])
            texts[row] += QStringLiteral("/%1").arg(values[row]);
    return texts;
}

} // namespace

class FrequencyEditorTest : public QObject {
    Q_OBJECT
private slots:
    void openingShowsTheRecordAndKeepsATotalBelow100() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}, {"w", "x", "y", "z"}));
        dialog.show();
        QCOMPARE(rows(&dialog), (QStringList{"30", "30", "20", "10"}));
        QCOMPARE(wordBox(&dialog, 3)->text(), QStringLiteral("y"));
        QCOMPARE(slider(&dialog, 1)->maximum(), 100);
        QCOMPARE(slider(&dialog, 1)->tickInterval(), 10);
        QCOMPARE(percentBox(&dialog, 1)->maxLength(), 3);
    }

    void wordBoxesHoldTenFullWidthCharactersAndPercentBoxesThreeDigits() {
        Editor dialog;
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int row = 1; row <= 4; ++row) {
            // The longest word of the starter sets.
            QVERIFY(showsWhole(wordBox(&dialog, row), QStringLiteral("わ。オーホッホッホ！")));
            QVERIFY(showsWhole(percentBox(&dialog, row), QStringLiteral("100")));
        }
    }

    void draggingOneRowTakesFromTheOthersInTurn() {
        Editor dialog;
        drag(slider(&dialog, 1), 50);
        QCOMPARE(rows(&dialog), (QStringList{"50", "26", "17", "7"}));
        // The cursor was left at row 3: one more point comes from row 3, not row 1.
        QTest::keyClick(slider(&dialog, 4), Qt::Key_Right);
        QCOMPARE(sliderValues(&dialog), (QList<int>{50, 26, 16, 8}));
    }

    void pointsTakenAreNeverGivenBack() {
        Editor dialog;
        drag(slider(&dialog, 2), 45);
        drag(slider(&dialog, 2), 10);
        QCOMPARE(rows(&dialog), (QStringList{"28", "10", "18", "9"}));
    }

    void rowsAtZeroArePassedOver() {
        Editor dragged({0, 0, 0, 100});
        drag(slider(&dragged, 1), 40);
        QCOMPARE(sliderValues(&dragged), (QList<int>{40, 0, 0, 60}));

        Editor typed({0, 0, 0, 100});
        retype(percentBox(&typed, 1), QStringLiteral("40"));
        QCOMPARE(rows(&typed), (QStringList{"40", "0", "0", "60"}));
    }

    void typedPercentsAreRebalancedAndTakeDigitsOnly() {
        Editor dialog;
        retype(percentBox(&dialog, 2), QStringLiteral("150"));
        QCOMPARE(rows(&dialog), (QStringList{"0", "100", "0", "0"}));

        Editor filtered;
        retype(percentBox(&filtered, 1), QStringLiteral("-4x"));
        QCOMPARE(rows(&filtered).first(), QStringLiteral("4"));
    }

    void clearingABoxCountsAsZeroAndLeavesItEmpty() {
        Editor dialog;
        retype(percentBox(&dialog, 3), QString());
        QCOMPARE(rows(&dialog), (QStringList{"30", "30", "", "10"}));
        click(&dialog, "okButton");
        QCOMPARE(dialog.endingSet().frequencies, (std::array<std::int32_t, 4>{30, 30, 0, 10}));
    }

    void aLoadedSetOver100IsBroughtDownFromRows2To4WithTheCursorKept() {
        Editor dialog({30, 30, 20, 10},
                      {endingSet("big", {40, 40, 30, 10}), endingSet("over", {60, 20, 20, 10})});
        pick(child<QComboBox>(&dialog, "templateList"), 1);
        QCOMPARE(rows(&dialog), (QStringList{"40", "33", "23", "4"}));
        // 20 points from rows 2 to 4 left the cursor at row 4; the next load takes from
        // row 4 first (from row 2 first it would give 60, 16, 17, 7).
        pick(child<QComboBox>(&dialog, "templateList"), 2);
        QCOMPARE(sliderValues(&dialog), (QList<int>{60, 17, 17, 6}));
    }

    void storedValuesOutsideTheRangeAreHeldTo0To100WhenShown() {
        constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
        constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
        // Two billion would be taken down a point per pass, for minutes; two such values
        // overflow a total.
        const std::array<std::int32_t, 4> stored[] = {
            {2000000000, 0, 0, 0},    {30, 2000000000, 0, 0},   {30, kMax, kMax, 10},
            {kMin, kMin, kMax, kMin}, {kMax, kMax, kMax, kMax}, {kMin, kMin, kMin, kMin},
            {-1, 101, 1000, 0},       {0, 0, 0, 1000},
        };
        for (const auto& frequencies : stored) {
            Editor dialog(frequencies);
            QCOMPARE(rows(&dialog).join(u' '), percentTexts(&dialog).join(u' '));
            click(&dialog, "okButton");
            const auto& shown = dialog.endingSet().frequencies;
            std::int64_t total = 0;
            for (const std::int32_t value : shown) {
                QVERIFY2(value >= 0 && value <= 100,
                         qPrintable(QStringLiteral("%1 from %2 %3 %4 %5")
                                        .arg(value)
                                        .arg(frequencies[0])
                                        .arg(frequencies[1])
                                        .arg(frequencies[2])
                                        .arg(frequencies[3])));
                total += value;
            }
            QVERIFY(total <= 100);
        }
        Editor first({2000000000, 0, 0, 0});
        QCOMPARE(rows(&first), (QStringList{"100", "0", "0", "0"}));
        Editor negative({-5, 40, kMin, 20});
        QCOMPARE(rows(&negative), (QStringList{"0", "40", "0", "20"}));
    }
};

QTEST_MAIN(FrequencyEditorTest)
#include "frequency_editor_test.moc"
