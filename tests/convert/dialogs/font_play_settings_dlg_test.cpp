// The font-play settings dialog: slider and digit box in step both ways, and what OK
// and cancel hand back.
#include "convert/dialogs/font_play_settings_dlg.h"
#include "dialog_driver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSlider>

using namespace mireto;
using namespace mireto::test;

class FontPlaySettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsCaptionLabelsAndTheGivenSettings() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({1, 4});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("フォント弄り設定"));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("改行度（９段階）"));
        const auto* slider = child<QSlider>(dialog, "degreeSlider");
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 9);
        QCOMPARE(slider->tickInterval(), 1);
        QVERIFY(slider->tickPosition() != QSlider::NoTicks);
        QCOMPARE(slider->value(), 4);
        QCOMPARE(child<QLineEdit>(dialog, "degree")->text(), QStringLiteral("4"));
        QCOMPARE(child<QCheckBox>(dialog, "deleteCommas")->text(),
                 QStringLiteral("読点を削除する"));
        QVERIFY(child<QCheckBox>(dialog, "deleteCommas")->isChecked());
    }

    void movingTheSliderShowsItsPositionInTheBox() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({0, 8});
        dialog.show();
        auto* slider = child<QSlider>(dialog, "degreeSlider");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(child<QLineEdit>(dialog, "degree")->text(), QStringLiteral("3"));
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 3}));
    }

    void theBoxTakesOneDigitOnly() {
        CFontPlaySettingsDlg dialog;
        dialog.show();
        retype(child<QLineEdit>(dialog, "degree"), QStringLiteral("a5-x9"));
        QCOMPARE(child<QLineEdit>(dialog, "degree")->text(), QStringLiteral("5"));
        QCOMPARE(child<QSlider>(dialog, "degreeSlider")->value(), 5);
    }

    void anEmptyBoxCountsAsZeroAndStaysEmpty() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({0, 6});
        dialog.show();
        retype(child<QLineEdit>(dialog, "degree"), QString());
        QCOMPARE(child<QSlider>(dialog, "degreeSlider")->value(), 0);
        QCOMPARE(child<QLineEdit>(dialog, "degree")->text(), QString());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 0}));
    }

    void theCheckBoxGivesOneOrZero() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({0, 2});
        dialog.show();
        clickBox(child<QCheckBox>(dialog, "deleteCommas"));
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{1, 2}));

        // Only 1 drops commas, so another stored value shows unticked and OK makes it 0.
        dialog.setSettings({2, 2});
        dialog.show();
        QVERIFY(!child<QCheckBox>(dialog, "deleteCommas")->isChecked());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 2}));
    }

    void cancelHandsBackTheGivenSettings() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({1, 9});
        dialog.show();
        retype(child<QLineEdit>(dialog, "degree"), QStringLiteral("1"));
        clickBox(child<QCheckBox>(dialog, "deleteCommas"));
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{1, 9}));
    }

    void aStoredDegreeBeyondNineSurvivesAnUntouchedOk() {
        CFontPlaySettingsDlg dialog;
        dialog.setSettings({0, 12});
        dialog.show();
        QCOMPARE(child<QLineEdit>(dialog, "degree")->text(), QStringLiteral("12"));
        QCOMPARE(child<QSlider>(dialog, "degreeSlider")->value(), 9);
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 12}));
    }
};

QTEST_MAIN(FontPlaySettingsDlgTest)
#include "font_play_settings_dlg_test.moc"
