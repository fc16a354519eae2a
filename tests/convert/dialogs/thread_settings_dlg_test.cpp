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

struct Dialog : CThreadSettingsDlg {
    explicit Dialog(const ThreadSettings& settings = given()) {
        setSettings(settings);
        show();
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(*this, name); }
    QRadioButton* mode(const char* name) { return child<QRadioButton>(*this, name); }
};

} // namespace

class ThreadSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void theDefaultTextsShowWhole() {
        CThreadSettingsDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"title", "name"}) {
            auto* box = child<QLineEdit>(dialog, name);
            QVERIFY2(showsWhole(box, box->text()), name);
        }
    }

    void showsItsCaptionLabelsAndTheGivenSettings() {
        Dialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("2ｃｈ設定"));
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("スレッドタイトル")));
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("名前")));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("スレッド変換"));
        QCOMPARE(dialog.mode("mode0")->text(), QStringLiteral("無し"));
        QCOMPARE(dialog.mode("mode1")->text(), QStringLiteral("良スレ"));
        QCOMPARE(dialog.mode("mode2")->text(), QStringLiteral("クソスレ"));
        QCOMPARE(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(dialog.edit("title")->text(), QStringLiteral("雑談スレ"));
        QCOMPARE(dialog.edit("name")->text(), QStringLiteral("名無し"));
        QVERIFY(dialog.mode("mode2")->isChecked());
    }

    void okHandsBackWhatWasTypedAndChosen() {
        Dialog dialog;
        retype(dialog.edit("title"), QStringLiteral("良スレ候補"));
        retype(dialog.edit("name"), QString());
        clickBox(dialog.mode("mode1"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings(),
                 (ThreadSettings{sjis("良スレ候補"), "", ThreadSettings::GoodThread}));
    }

    void cancelAndEscapeHandBackTheGivenSettings() {
        Dialog dialog;
        retype(dialog.edit("title"), QStringLiteral("別スレ"));
        clickBox(dialog.mode("mode0"));
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given());

        dialog.show();
        retype(dialog.edit("name"), QStringLiteral("別人"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given());
    }

    void anUnknownModeAndUndecodableBytesSurviveAnUntouchedOk() {
        const ThreadSettings odd{"a\x81", sjis("名無し"), 5};
        Dialog dialog(odd);
        for (const char* name : {"mode0", "mode1", "mode2"})
            QVERIFY(!dialog.mode(name)->isChecked());
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings(), odd);
    }

    void textShiftJisCannotHoldIsRefusedNotMangled() {
        MessageRecorder messages;
        Dialog dialog;
        retype(dialog.edit("name"), QStringLiteral("寿司🍣"));
        clickOk(dialog);
        QCOMPARE(messages.requests.size(), std::size_t{1});
        QVERIFY(messages.requests[0].text.contains(QStringLiteral("「寿司🍣」")));
        QCOMPARE(messages.requests[0].caption, QStringLiteral("2ｃｈ設定"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.getSettings(), given());

        retype(dialog.edit("name"), QStringLiteral("寿司"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings().name, sjis("寿司"));
    }
};

QTEST_MAIN(ThreadSettingsDlgTest)
#include "thread_settings_dlg_test.moc"
