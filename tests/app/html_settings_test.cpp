// Command 1101 (menu "HTML設定" and the panel's settings button): which dialog it opens
// for each page style, when it is disabled, and what the view takes back from it.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "convert/dialogs/colour_swatch.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/convert/dialogs/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QSlider>
#include <QToolButton>
#include <functional>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

using DialogAction = std::function<void(QDialog&)>;

QString openFromPanel(AppHarness& harness, const DialogAction& act = {}) {
    return runDialog([&] { harness.click(cmd::kHtmlSettings); }, act);
}

bool contains(const std::string& page, const std::string& part) {
    return page.find(part) != std::string::npos;
}

} // namespace

class HtmlSettingsTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    // GO!! on `text` typed into the editor; the page written.
    std::string pageFor(const char* text) {
        h->view().SetEditorText(u(text));
        h->click(cmd::kPanelGo);
        return readFile(h->pageFile());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void opensTheDialogOfTheCurrentStyle() {
        QVERIFY(h->start());
        // The house style has no settings: the command is disabled and opens nothing, and
        // the next style enables it again.
        const std::pair<const char*, const char*> styles[] = {
            {"ソルネ屋仕様", ""},
            {"フォント弄り", "mireto::CFontPlaySettingsDlg"},
            {"フォント弄り(背景白)", "mireto::CFontPlaySettingsDlg"},
            {"某バーチャルネットアイドル", "mireto::CIdolNewsSettingsDlg"},
            {"某巨大掲示板群", "mireto::CThreadSettingsDlg"},
            {"標準的", "mireto::CStandardColoursDlg"},
            {"標準的(枠無し)", "mireto::CStandardColoursDlg"},
        };
        QAction* menuItem = h->frame().action(cmd::kHtmlSettings);
        for (const auto& [style, dialog] : styles) {
            h->choose(cmd::kComboFormat, u(style));
            const bool enabled = *dialog != '\0';
            QVERIFY2(menuItem->isEnabled() == enabled, style);
            QVERIFY2(h->button(cmd::kHtmlSettings).isEnabled() == enabled, style);
            QCOMPARE(openFromPanel(*h), u(dialog));
            QCOMPARE(runDialog([&] { menuItem->trigger(); }), u(dialog));
            if (!enabled) // Reached anyway, the command has nothing to open for this style.
                QCOMPARE(runDialog([&] { h->view().OnHtmlSettings(); }), QString());
        }
    }

    void anUnknownStyleKeepsTheCommandButOpensNothing() {
        writeSettings(h->settingsFile(), {});
        QVERIFY(h->start());
        h->choose(cmd::kComboTemplate, u("謎"));
        QVERIFY(h->frame().action(cmd::kHtmlSettings)->isEnabled());
        QCOMPARE(openFromPanel(*h), QString());
        QCOMPARE(h->view().formatSettings(), FormatSettings{});
    }

    void theDialogShowsTheViewsSettings() {
        FormatSettings settings;
        settings.thread = {sjis("雑談スレ"), sjis("名無し"), ThreadSettings::GoodThread};
        writeSettings(h->settingsFile(),
                      {overallTemplate("", "無し", "無し", "某巨大掲示板群"), {}, {}}, settings);
        QVERIFY(h->start());
        openFromPanel(*h, [](QDialog& dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "title")->text(), u("雑談スレ"));
            QCOMPARE(child<QLineEdit>(dialog, "name")->text(), u("名無し"));
            QVERIFY(child<QAbstractButton>(dialog, "mode1")->isChecked());
        });
    }

    void okChangesTheSettingsAndGoUsesThem() {
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("標準的"));
        openFromPanel(*h, [](QDialog& dialog) {
            retype(child<QLineEdit>(dialog, "textColour"), u("#ABCDEF"));
            clickOk(dialog);
        });
        QCOMPARE(h->view().formatSettings().standardColours,
                 (StandardColours{"#ABCDEF", "#66aaFF"}));
        QVERIFY(contains(pageFor("晴れ。"), "color : #ABCDEF ;"));

        h->choose(cmd::kComboFormat, u("某バーチャルネットアイドル"));
        QVERIFY(!contains(pageFor("晴れ。"), sjis("を応援しています。")));
        openFromPanel(*h, [](QDialog& dialog) {
            clickBox(child<QCheckBox>(dialog, "supportOn"));
            retype(child<QLineEdit>(dialog, "supportTarget"), u("みんな"));
            clickOk(dialog);
        });
        QCOMPARE(h->view().formatSettings().idolNews.supportOn, 1);
        QVERIFY(contains(pageFor("晴れ。"),
                         sjis("バーチャルネットアイドル　ぺかりはみんなを応援しています。<BR>")));
    }

    void cancelKeepsTheViewsSettings() {
        QVERIFY(h->start());
        const FormatSettings before = h->view().formatSettings();
        const std::pair<const char*, const char*> edits[] = {
            {"標準的(枠無し)", "backgroundColour"},
            {"某巨大掲示板群", "title"},
            {"某バーチャルネットアイドル", "title"},
            {"フォント弄り", "degree"},
        };
        for (const auto& [style, edit] : edits) {
            h->choose(cmd::kComboFormat, u(style));
            openFromPanel(*h, [edit = edit](QDialog& dialog) {
                retype(child<QLineEdit>(dialog, edit), u("7"));
                clickCancel(dialog);
            });
            QCOMPARE(h->view().formatSettings(), before);
        }
    }

    void changedSettingsSurviveARestart() {
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("某巨大掲示板群"));
        openFromPanel(*h, [](QDialog& dialog) {
            retype(child<QLineEdit>(dialog, "title"), u("続きスレ"));
            clickBox(child<QAbstractButton>(dialog, "mode2"));
            clickOk(dialog);
        });
        h->choose(cmd::kComboFormat, u("フォント弄り"));
        openFromPanel(*h, [](QDialog& dialog) {
            auto* slider = child<QSlider>(dialog, "degreeSlider");
            slider->setFocus();
            QTest::keyClick(slider, Qt::Key_End);
            clickOk(dialog);
        });
        const FormatSettings changed = h->view().formatSettings();
        QCOMPARE(changed.thread.title, sjis("続きスレ"));
        QCOMPARE(changed.lineBreakDegree, 9);
        QVERIFY(h->close());

        AppHarness second;
        second.services.paths = h->services.paths;
        QVERIFY(second.start());
        QCOMPARE(second.view().formatSettings(), changed);
    }
};

QTEST_MAIN(HtmlSettingsTest)
#include "html_settings_test.moc"
