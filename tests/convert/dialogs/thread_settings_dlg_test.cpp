// The thread settings dialog: what it shows, and what OK and cancel hand back.
#include "convert/dialogs/thread_settings_dlg.h"
#include "dialog_driver.h"
#include "tests/support/sjis.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace mireto;
using namespace mireto::test;

namespace {

ThreadSettings given() {
    return {sjis("雑談スレ"), sjis("名無し"), ThreadSettings::BadThread};
}

} // namespace

class ThreadSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsCaptionLabelsAndTheGivenSettings() {
        CThreadSettingsDlg dialog;
        dialog.setSettings(given());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("2ｃｈ設定"));
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("スレッドタイトル")));
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("名前")));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("スレッド変換"));
        QCOMPARE(child<QRadioButton>(dialog, "mode0")->text(), QStringLiteral("無し"));
        QCOMPARE(child<QRadioButton>(dialog, "mode1")->text(), QStringLiteral("良スレ"));
        QCOMPARE(child<QRadioButton>(dialog, "mode2")->text(), QStringLiteral("クソスレ"));
        QCOMPARE(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(child<QLineEdit>(dialog, "title")->text(), QStringLiteral("雑談スレ"));
        QCOMPARE(child<QLineEdit>(dialog, "name")->text(), QStringLiteral("名無し"));
        QVERIFY(child<QRadioButton>(dialog, "mode2")->isChecked());
        QVERIFY(!child<QRadioButton>(dialog, "mode0")->isChecked());
    }

    void okHandsBackWhatWasTypedAndChosen() {
        CThreadSettingsDlg dialog;
        dialog.setSettings(given());
        dialog.show();
        retype(child<QLineEdit>(dialog, "title"), QStringLiteral("良スレ候補"));
        retype(child<QLineEdit>(dialog, "name"), QString());
        clickBox(child<QRadioButton>(dialog, "mode1"));
        QVERIFY(!child<QRadioButton>(dialog, "mode2")->isChecked());
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings(),
                 (ThreadSettings{sjis("良スレ候補"), "", ThreadSettings::GoodThread}));
    }

    void cancelAndEscapeHandBackTheGivenSettings() {
        CThreadSettingsDlg dialog;
        dialog.setSettings(given());
        dialog.show();
        retype(child<QLineEdit>(dialog, "title"), QStringLiteral("別スレ"));
        clickBox(child<QRadioButton>(dialog, "mode0"));
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given());

        dialog.show();
        retype(child<QLineEdit>(dialog, "name"), QStringLiteral("別人"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given());
    }

    void aModeOutsideTheThreeSetsNoButtonAndIsKept() {
        CThreadSettingsDlg dialog;
        dialog.setSettings({sjis("スレ"), sjis("名無し"), 5});
        dialog.show();
        for (const char* name : {"mode0", "mode1", "mode2"})
            QVERIFY(!child<QRadioButton>(dialog, name)->isChecked());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings().mode, 5);
    }

    void textShiftJisCannotHoldIsRefusedNotMangled() {
        MessageRecorder messages;
        CThreadSettingsDlg dialog;
        dialog.setSettings(given());
        dialog.show();
        retype(child<QLineEdit>(dialog, "name"), QStringLiteral("寿司🍣"));
        clickOk(dialog);
        QCOMPARE(messages.requests.size(), std::size_t{1});
        QVERIFY(messages.requests[0].text.contains(QStringLiteral("「寿司🍣」")));
        QCOMPARE(messages.requests[0].caption, QStringLiteral("2ｃｈ設定"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.getSettings(), given());

        retype(child<QLineEdit>(dialog, "name"), QStringLiteral("寿司"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings().name, sjis("寿司"));
    }

    void untouchedBytesThatDoNotDecodeSurviveOk() {
        CThreadSettingsDlg dialog;
        dialog.setSettings({"a\x81", sjis("名無し"), 0});
        dialog.show();
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings().title, std::string("a\x81"));
    }
};

QTEST_MAIN(ThreadSettingsDlgTest)
#include "thread_settings_dlg_test.moc"
