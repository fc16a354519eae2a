// The idol-news settings dialog: the support box greying its two edits, and what OK
// and cancel hand back.
#include "convert/dialogs/idol_news_settings_dlg.h"
#include "dialog_driver.h"
#include "tests/support/sjis.h"

#include <QCheckBox>
#include <QGroupBox>

using namespace mireto;
using namespace mireto::test;

namespace {

IdolNewsSettings given(std::int32_t supportOn) {
    return {sjis("ファン一同"), sjis("ぺかり"), supportOn, sjis("今日のニュース")};
}

} // namespace

class IdolNewsSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsCaptionLabelsAndTheGivenSettings() {
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(1));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("某バーチャルネットアイドル"));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("応援"));
        for (const char* label : {"題名", "名前", "応援対象"})
            QVERIFY2(labelTexts(dialog).contains(QString::fromUtf8(label)), label);
        QCOMPARE(child<QCheckBox>(dialog, "supportOn")->text(), QStringLiteral("応援ON"));
        QVERIFY(child<QCheckBox>(dialog, "supportOn")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "title")->text(), QStringLiteral("今日のニュース"));
        QCOMPARE(child<QLineEdit>(dialog, "name")->text(), QStringLiteral("ぺかり"));
        QCOMPARE(child<QLineEdit>(dialog, "supportTarget")->text(), QStringLiteral("ファン一同"));
        QVERIFY(child<QLineEdit>(dialog, "name")->isEnabled());
        QVERIFY(child<QLineEdit>(dialog, "supportTarget")->isEnabled());
    }

    void theSupportBoxGreysNameAndTargetWhichKeepTheirTexts() {
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(1));
        dialog.show();
        auto* support = child<QCheckBox>(dialog, "supportOn");
        clickBox(support);
        QVERIFY(!child<QLineEdit>(dialog, "name")->isEnabled());
        QVERIFY(!child<QLineEdit>(dialog, "supportTarget")->isEnabled());
        QVERIFY(child<QLineEdit>(dialog, "title")->isEnabled());
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), given(0));

        dialog.show();
        clickBox(support);
        QVERIFY(child<QLineEdit>(dialog, "name")->isEnabled());
        QVERIFY(child<QLineEdit>(dialog, "supportTarget")->isEnabled());
    }

    void openingWithSupportOffGreysThemAtOnce() {
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(1));
        // Only 1 writes the support line, so another value opens unticked.
        dialog.setSettings(given(2));
        dialog.show();
        QVERIFY(!child<QCheckBox>(dialog, "supportOn")->isChecked());
        QVERIFY(!child<QLineEdit>(dialog, "name")->isEnabled());
        QVERIFY(!child<QLineEdit>(dialog, "supportTarget")->isEnabled());
    }

    void okHandsBackWhatWasTyped() {
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(0));
        dialog.show();
        clickBox(child<QCheckBox>(dialog, "supportOn"));
        retype(child<QLineEdit>(dialog, "title"), QString());
        retype(child<QLineEdit>(dialog, "name"), QStringLiteral("アイドル　ぺかり"));
        retype(child<QLineEdit>(dialog, "supportTarget"), QStringLiteral("みんな"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings(),
                 (IdolNewsSettings{sjis("みんな"), sjis("アイドル　ぺかり"), 1, ""}));
    }

    void cancelHandsBackTheGivenSettings() {
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(0));
        dialog.show();
        clickBox(child<QCheckBox>(dialog, "supportOn"));
        retype(child<QLineEdit>(dialog, "title"), QStringLiteral("別の題"));
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given(0));
    }

    void textShiftJisCannotHoldIsRefused() {
        MessageRecorder messages;
        CIdolNewsSettingsDlg dialog;
        dialog.setSettings(given(1));
        dialog.show();
        retype(child<QLineEdit>(dialog, "supportTarget"), QStringLiteral("🎤"));
        clickOk(dialog);
        QCOMPARE(messages.requests.size(), std::size_t{1});
        QVERIFY(messages.requests[0].text.contains(QStringLiteral("「🎤」")));
        QCOMPARE(messages.requests[0].icon, MessageIcon::Warning);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), child<QLineEdit>(dialog, "supportTarget"));
        QCOMPARE(dialog.getSettings(), given(1));
    }
};

QTEST_MAIN(IdolNewsSettingsDlgTest)
#include "idol_news_settings_dlg_test.moc"
