// The standard colour dialog: edits, swatches and chooser in step, and what OK and cancel give.
#include "convert/dialogs/colour_chooser.h"
#include "convert/dialogs/colour_swatch.h"
#include "convert/dialogs/standard_colours_dlg.h"
#include "dialog_driver.h"

#include <QGroupBox>

using namespace mireto;
using namespace mireto::test;

namespace {

// Stands in for the system chooser while it lives: remembers the colour it was opened
// with and gives the next of `answers` (nullopt: the user cancels).
class ChooserStub {
public:
    explicit ChooserStub(std::vector<std::optional<QColor>> answers) {
        setColourChooserForTesting([this, answers](QWidget*, const QColor& initial) {
            opened.push_back(initial);
            return answers.at(opened.size() - 1);
        });
    }
    ~ChooserStub() { setColourChooserForTesting({}); }
    ChooserStub(const ChooserStub&) = delete;
    ChooserStub& operator=(const ChooserStub&) = delete;

    std::vector<QColor> opened;
};

const QColor sky(0x66, 0xAA, 0xFF);

QColor swatchColour(const QWidget& dialog, const char* name) {
    return child<ColourSwatch>(dialog, name)->colour();
}

} // namespace

class StandardColoursDlgTest : public QObject {
    Q_OBJECT
private slots:
    void colourBoxesShowAColourWhole() {
        CStandardColoursDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"textColour", "backgroundColour"})
            QVERIFY2(showsWhole(child<QLineEdit>(dialog, name), QStringLiteral("#WWWWWW")), name);
    }

    void showsItsCaptionLabelsAndTheGivenColours() {
        CStandardColoursDlg dialog;
        dialog.setSettings({"#102030", "#66aaFF"});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("標準HTML設定"));
        QStringList boxes;
        for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
            boxes << box->title();
        boxes.sort();
        QCOMPARE(boxes, (QStringList{QStringLiteral("文字色"), QStringLiteral("背景色")}));
        QCOMPARE(child<QPushButton>(dialog, "browseTextColour")->text(), QStringLiteral("参照"));
        QCOMPARE(child<QPushButton>(dialog, "browseBackgroundColour")->text(),
                 QStringLiteral("参照"));
        QCOMPARE(child<QLineEdit>(dialog, "textColour")->text(), QStringLiteral("#102030"));
        QCOMPARE(child<QLineEdit>(dialog, "backgroundColour")->text(), QStringLiteral("#66aaFF"));
        QCOMPARE(swatchColour(dialog, "textSwatch"), QColor(0x10, 0x20, 0x30));
        QCOMPARE(swatchColour(dialog, "backgroundSwatch"), sky);
    }

    void onlyASevenByteTextIsStoredAsTyped() {
        CStandardColoursDlg dialog;
        dialog.show();
        retype(child<QLineEdit>(dialog, "textColour"), QStringLiteral("#12345"));
        retype(child<QLineEdit>(dialog, "backgroundColour"), QStringLiteral("#GG0000"));
        QCOMPARE(swatchColour(dialog, "textSwatch"), QColor(Qt::black));
        QCOMPARE(swatchColour(dialog, "backgroundSwatch"), QColor(Qt::black));
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (StandardColours{"#000000", "#GG0000"}));
    }

    void theChooserStartsFromWhatTheStringReadsAndGivesUpperCaseHex() {
        ChooserStub chooser({std::nullopt, sky, sky});
        CStandardColoursDlg dialog;
        dialog.show();
        // Cancelling the chooser changes nothing.
        QTest::mouseClick(child<QPushButton>(dialog, "browseTextColour"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(dialog, "textColour")->text(), QStringLiteral("#333333"));
        QCOMPARE(swatchColour(dialog, "textSwatch"), QColor(0x33, 0x33, 0x33));
        retype(child<QLineEdit>(dialog, "textColour"), QStringLiteral("#12345"));
        QTest::mouseClick(child<QPushButton>(dialog, "browseTextColour"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "browseBackgroundColour"), Qt::LeftButton);
        QCOMPARE(chooser.opened,
                 (std::vector<QColor>{QColor(0x33, 0x33, 0x33), QColor(Qt::black), sky}));
        QCOMPARE(child<QLineEdit>(dialog, "textColour")->text(), QStringLiteral("#66AAFF"));
        QCOMPARE(child<QLineEdit>(dialog, "backgroundColour")->text(), QStringLiteral("#66AAFF"));
        QCOMPARE(swatchColour(dialog, "textSwatch"), sky);
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (StandardColours{"#66AAFF", "#66AAFF"}));
    }

    void cancelHandsBackTheGivenColours() {
        ChooserStub chooser({QColor(Qt::white)});
        CStandardColoursDlg dialog;
        dialog.setSettings({"#123", "#abcdef"});
        dialog.show();
        retype(child<QLineEdit>(dialog, "backgroundColour"), QStringLiteral("#000001"));
        QTest::mouseClick(child<QPushButton>(dialog, "browseTextColour"), Qt::LeftButton);
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), (StandardColours{"#123", "#abcdef"}));
    }

    void textShiftJisCannotHoldIsRefused() {
        MessageRecorder messages;
        CStandardColoursDlg dialog;
        dialog.show();
        retype(child<QLineEdit>(dialog, "textColour"), QStringLiteral("#🍣🍣🍣"));
        clickOk(dialog);
        QCOMPARE(messages.requests.size(), std::size_t{1});
        QVERIFY(messages.requests[0].text.contains(QStringLiteral("「#🍣🍣🍣」")));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.getSettings(), StandardColours{});
    }

    void theSwatchPaintsItsColourInsideABlackOutline() {
        ColourSwatch swatch;
        swatch.resize(20, 10);
        swatch.setColour(sky);
        const QImage image = swatch.grab().toImage();
        QCOMPARE(image.pixelColor(10, 5), sky);
        QCOMPARE(image.pixelColor(1, 1), sky);
        for (const QPoint corner : {QPoint(0, 0), QPoint(19, 0), QPoint(0, 9), QPoint(19, 9)})
            QCOMPARE(image.pixelColor(corner), QColor(Qt::black));
    }
};

QTEST_MAIN(StandardColoursDlgTest)
#include "standard_colours_dlg_test.moc"
