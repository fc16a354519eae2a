// The font-play settings dialog: slider and digit box in step, and what OK and cancel give.
#include "convert/dialogs/font_play_settings_dlg.h"
#include "dialog_driver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSlider>

using namespace mireto;
using namespace mireto::test;

namespace {

struct Dialog : CFontPlaySettingsDlg {
    explicit Dialog(FontPlaySettings settings) {
        setSettings(settings);
        show();
    }
    QSlider* slider() { return child<QSlider>(*this, "degreeSlider"); }
    QLineEdit* degree() { return child<QLineEdit>(*this, "degree"); }
    QCheckBox* deleteCommas() { return child<QCheckBox>(*this, "deleteCommas"); }
};

} // namespace

class FontPlaySettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsCaptionLabelsAndTheGivenSettings() {
        Dialog dialog({1, 4});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("フォント弄り設定"));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("改行度（９段階）"));
        QCOMPARE(dialog.slider()->minimum(), 0);
        QCOMPARE(dialog.slider()->maximum(), 9);
        QCOMPARE(dialog.slider()->tickInterval(), 1);
        QVERIFY(dialog.slider()->tickPosition() != QSlider::NoTicks);
        QCOMPARE(dialog.slider()->value(), 4);
        QCOMPARE(dialog.degree()->text(), QStringLiteral("4"));
        QCOMPARE(dialog.deleteCommas()->text(), QStringLiteral("読点を削除する"));
        QVERIFY(dialog.deleteCommas()->isChecked());
    }

    void movingTheSliderShowsItsPositionInTheBox() {
        Dialog dialog({0, 8});
        dialog.slider()->setFocus();
        QTest::keyClick(dialog.slider(), Qt::Key_Home);
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(dialog.slider(), Qt::Key_Right);
        QCOMPARE(dialog.degree()->text(), QStringLiteral("3"));
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 3}));
    }

    void theBoxTakesOneDigitAndCountsEmptyAsZero() {
        Dialog dialog({0, 6});
        retype(dialog.degree(), QStringLiteral("a5-x9"));
        QCOMPARE(dialog.degree()->text(), QStringLiteral("5"));
        QCOMPARE(dialog.slider()->value(), 5);
        retype(dialog.degree(), QString());
        QCOMPARE(dialog.slider()->value(), 0);
        QCOMPARE(dialog.degree()->text(), QString());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 0}));
    }

    void theCheckBoxGivesOneOrZero() {
        Dialog dialog({0, 2});
        clickBox(dialog.deleteCommas());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{1, 2}));

        // Only 1 drops commas, so another stored value shows unticked and OK makes it 0.
        dialog.setSettings({2, 2});
        dialog.show();
        QVERIFY(!dialog.deleteCommas()->isChecked());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{0, 2}));
    }

    void cancelAndAnUntouchedOkKeepADegreeBeyondNine() {
        Dialog dialog({1, 12});
        QCOMPARE(dialog.degree()->text(), QStringLiteral("12"));
        QCOMPARE(dialog.slider()->value(), 9);
        retype(dialog.degree(), QStringLiteral("1"));
        clickBox(dialog.deleteCommas());
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{1, 12}));

        dialog.setSettings({1, 12});
        dialog.show();
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), (FontPlaySettings{1, 12}));
    }
};

QTEST_MAIN(FontPlaySettingsDlgTest)
#include "font_play_settings_dlg_test.moc"
