// The four frequency rows of the ending-set dialogs: sliders and percent boxes in step, and
// the rebalancing that keeps the total at most 100.
#include "rules/current_ending_dlg.h"
#include "tests/rules/ending_test_support.h"

#include <QtTest>

using namespace mireto;
using namespace mireto::test;

class FrequencyEditorTest : public QObject {
    Q_OBJECT
private slots:
    void openingShowsTheRecordAndKeepsATotalBelow100() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}, {"w", "x", "y", "z"}));
        dialog.show();
        QCOMPARE(percentTexts(&dialog), (QStringList{"30", "30", "20", "10"}));
        QCOMPARE(sliderValues(&dialog), (QList<int>{30, 30, 20, 10}));
        QCOMPARE(wordBox(&dialog, 3)->text(), QStringLiteral("y"));
        QCOMPARE(slider(&dialog, 1)->maximum(), 100);
        QCOMPARE(slider(&dialog, 1)->tickInterval(), 10);
        QCOMPARE(percentBox(&dialog, 1)->maxLength(), 3);
    }

    void draggingOneRowTakesFromTheOthersInTurn() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        drag(slider(&dialog, 1), 50);
        QCOMPARE(sliderValues(&dialog), (QList<int>{50, 26, 17, 7}));
        QCOMPARE(percentTexts(&dialog), (QStringList{"50", "26", "17", "7"}));
        // The cursor was left at row 3: one more point comes from row 3, not row 1.
        QTest::keyClick(slider(&dialog, 4), Qt::Key_Right);
        QCOMPARE(sliderValues(&dialog), (QList<int>{50, 26, 16, 8}));
    }

    void pointsTakenAreNeverGivenBack() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        drag(slider(&dialog, 2), 45);
        drag(slider(&dialog, 2), 10);
        QCOMPARE(sliderValues(&dialog), (QList<int>{28, 10, 18, 9}));
        QCOMPARE(percentTexts(&dialog), (QStringList{"28", "10", "18", "9"}));
    }

    void rowsAtZeroArePassedOver() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {0, 0, 0, 100}));
        dialog.show();
        drag(slider(&dialog, 1), 40);
        QCOMPARE(sliderValues(&dialog), (QList<int>{40, 0, 0, 60}));

        CCurrentEndingDlg typed(store, endingSet("a", {0, 0, 0, 100}));
        typed.show();
        retype(percentBox(&typed, 1), QStringLiteral("40"));
        QCOMPARE(sliderValues(&typed), (QList<int>{40, 0, 0, 60}));
        QCOMPARE(percentTexts(&typed), (QStringList{"40", "0", "0", "60"}));
    }

    void typing150MakesTheRowTheWhole100() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        retype(percentBox(&dialog, 2), QStringLiteral("150"));
        QCOMPARE(percentTexts(&dialog), (QStringList{"0", "100", "0", "0"}));
        QCOMPARE(sliderValues(&dialog), (QList<int>{0, 100, 0, 0}));
    }

    void clearingABoxCountsAsZeroAndLeavesItEmpty() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        retype(percentBox(&dialog, 3), QString());
        QCOMPARE(percentTexts(&dialog), (QStringList{"30", "30", "", "10"}));
        QCOMPARE(sliderValues(&dialog), (QList<int>{30, 30, 0, 10}));
        click(&dialog, "okButton");
        QCOMPARE(dialog.endingSet().frequencies, (std::array<std::int32_t, 4>{30, 30, 0, 10}));
    }

    void percentBoxesTakeDigitsOnly() {
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        retype(percentBox(&dialog, 1), QStringLiteral("-4x"));
        QCOMPARE(percentBox(&dialog, 1)->text(), QStringLiteral("4"));
        QCOMPARE(slider(&dialog, 1)->value(), 4);
    }

    void aLoadedSetOver100IsBroughtDownFromRows2To4() {
        const SettingsStore store = storeWithEndings({endingSet("big", {40, 40, 30, 10})});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        pick(child<QComboBox>(&dialog, "templateList"), 1);
        QCOMPARE(sliderValues(&dialog), (QList<int>{40, 33, 23, 4}));
        QCOMPARE(percentTexts(&dialog), (QStringList{"40", "33", "23", "4"}));
    }

    void theCursorPersistsAcrossLoads() {
        // 20 points from rows 2 to 4 leave the cursor at row 4; the next load takes from
        // row 4 first (from row 2 first it would give 60, 16, 17, 7).
        const SettingsStore store = storeWithEndings(
            {endingSet("big", {40, 40, 30, 10}), endingSet("over", {60, 20, 20, 10})});
        CCurrentEndingDlg dialog(store, endingSet("a", {30, 30, 20, 10}));
        dialog.show();
        pick(child<QComboBox>(&dialog, "templateList"), 1);
        pick(child<QComboBox>(&dialog, "templateList"), 2);
        QCOMPARE(sliderValues(&dialog), (QList<int>{60, 17, 17, 6}));
    }
};

QTEST_MAIN(FrequencyEditorTest)
#include "frequency_editor_test.moc"
