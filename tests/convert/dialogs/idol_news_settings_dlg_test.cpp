// The idol-news settings dialog: the support box greying two edits, and what OK and cancel give.
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

struct Dialog : CIdolNewsSettingsDlg {
    explicit Dialog(std::int32_t supportOn) {
        setSettings(given(supportOn));
        show();
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(*this, name); }
    QCheckBox* support() { return child<QCheckBox>(*this, "supportOn"); }
    QList<bool> enabled() {
        return {edit("title")->isEnabled(), edit("name")->isEnabled(),
                edit("supportTarget")->isEnabled()};
    }
};

} // namespace

class IdolNewsSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsCaptionLabelsAndTheGivenSettings() {
        Dialog dialog(1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("某バーチャルネットアイドル"));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("応援"));
        for (const char* label : {"題名", "名前", "応援対象"})
            QVERIFY2(labelTexts(dialog).contains(QString::fromUtf8(label)), label);
        QCOMPARE(dialog.support()->text(), QStringLiteral("応援ON"));
        QVERIFY(dialog.support()->isChecked());
        QCOMPARE(dialog.edit("title")->text(), QStringLiteral("今日のニュース"));
        QCOMPARE(dialog.edit("name")->text(), QStringLiteral("ぺかり"));
        QCOMPARE(dialog.edit("supportTarget")->text(), QStringLiteral("ファン一同"));
        QCOMPARE(dialog.enabled(), (QList<bool>{true, true, true}));
    }

    void theDefaultTextsShowWhole() {
        CIdolNewsSettingsDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"title", "name", "supportTarget"}) {
            auto* box = child<QLineEdit>(dialog, name);
            QVERIFY2(showsWhole(box, box->text()), name);
        }
    }

    void theSupportBoxGreysNameAndTargetWhichKeepTheirTexts() {
        Dialog dialog(1);
        clickBox(dialog.support());
        QCOMPARE(dialog.enabled(), (QList<bool>{true, false, false}));
        clickOk(dialog);
        QCOMPARE(dialog.getSettings(), given(0));

        dialog.show();
        clickBox(dialog.support());
        QCOMPARE(dialog.enabled(), (QList<bool>{true, true, true}));
        // Only 1 writes the support line, so another value shows unticked.
        dialog.setSettings(given(2));
        QVERIFY(!dialog.support()->isChecked());
        QCOMPARE(dialog.enabled(), (QList<bool>{true, false, false}));
    }

    void cancelHandsBackTheGivenSettingsAndOkWhatWasTyped() {
        Dialog dialog(0);
        clickBox(dialog.support());
        retype(dialog.edit("title"), QStringLiteral("別の題"));
        clickCancel(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.getSettings(), given(0));

        dialog.setSettings(given(0));
        dialog.show();
        clickBox(dialog.support());
        retype(dialog.edit("title"), QString());
        retype(dialog.edit("name"), QStringLiteral("アイドル　ぺかり"));
        retype(dialog.edit("supportTarget"), QStringLiteral("みんな"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSettings(),
                 (IdolNewsSettings{sjis("みんな"), sjis("アイドル　ぺかり"), 1, ""}));
    }

    void textShiftJisCannotHoldIsRefused() {
        MessageRecorder messages;
        Dialog dialog(1);
        retype(dialog.edit("supportTarget"), QStringLiteral("🎤"));
        clickOk(dialog);
        QCOMPARE(messages.requests.size(), std::size_t{1});
        QVERIFY(messages.requests[0].text.contains(QStringLiteral("「🎤」")));
        QCOMPARE(messages.requests[0].icon, MessageIcon::Warning);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), dialog.edit("supportTarget"));
        QCOMPARE(dialog.getSettings(), given(1));
    }
};

QTEST_MAIN(IdolNewsSettingsDlgTest)
#include "idol_news_settings_dlg_test.moc"
