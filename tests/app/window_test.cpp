// The main window through its widgets: start-up with and without Mireto.ini, the
// control panel's lists and selections, the settings button, settings written at exit.
#include "app/command_ids.h"
#include "app/icons.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/first_run_settings.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QToolButton>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool showsIcon(const QToolButton& button, int resourceId) {
    return pictureOf(button.icon()) == pictureOf(icons::resourceIcon(resourceId));
}

const QStringList kFormats = {u("フォント弄り"),
                              u("フォント弄り(背景白)"),
                              u("某バーチャルネットアイドル"),
                              u("某巨大掲示板群"),
                              u("標準的"),
                              u("標準的(枠無し)"),
                              u("ソルネ屋仕様")};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void firstStartWithoutSettingsFile() {
        AppHarness harness;
        QVERIFY(harness.start());
        QCOMPARE(harness.messages.size(), std::size_t{1});
        const ShownMessage& shown = harness.messages.front();
        QCOMPARE(shown.request.text, u("Mireto.iniファイルが読み込めません"));
        QCOMPARE(shown.request.caption, u("ソルネ壱号起動"));
        QVERIFY(shown.request.icon == MessageIcon::Information);
        QVERIFY(shown.request.buttons == MessageButtons::Ok);
        QVERIFY(!shown.windowVisible);

        QVERIFY(harness.items(cmd::kComboTemplate).isEmpty());
        QCOMPARE(harness.items(cmd::kComboReplacement), QStringList{u("無し")});
        QCOMPARE(harness.items(cmd::kComboEnding), QStringList{u("無し")});
        QCOMPARE(harness.items(cmd::kComboFormat), kFormats);
        QCOMPARE(harness.combo(cmd::kComboFormat).currentIndex(), 0);
        QVERIFY(showsIcon(harness.button(cmd::kHtmlSettings), icons::kFontPlaySettings));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings), u("フォント弄り設定"));
        QCOMPARE(harness.frame().windowTitle(), u("無題 - ソルネ壱号"));
    }

    void choosingATemplateSelectsItsSetsAndStyle() {
        AppHarness harness;
        writeSettings(harness.settingsFile(), {});
        QVERIFY(harness.start());
        harness.choose(cmd::kComboTemplate, u("うさぎ"));
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentText(), u("猫語"));
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), u("某巨大掲示板群"));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("うさぎ", "だぴょん", "猫語", "某巨大掲示板群"));
        QCOMPARE(harness.view().currentReplacementSet(), replacementSet("猫語", "な", "にゃ"));
        QVERIFY(showsIcon(harness.button(cmd::kHtmlSettings), icons::kThreadSettings));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings), u("2ch変換設定"));

        // Sets that no longer exist bring in the none sets.
        harness.choose(cmd::kComboTemplate, u("ねこ"));
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentText(), u("無し"));
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("無し"));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("ねこ", "無し", "無し", "フォント弄り(背景白)"));
        QVERIFY(showsIcon(harness.button(cmd::kHtmlSettings), icons::kFontPlayWhiteSettings));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings), u("フォント弄り設定"));

        // Choosing a set or a style keeps the template's name.
        harness.choose(cmd::kComboReplacement, u("猫語"));
        harness.choose(cmd::kComboEnding, u("だぴょん"));
        harness.choose(cmd::kComboFormat, u("某バーチャルネットアイドル"));
        QCOMPARE(harness.combo(cmd::kComboTemplate).currentText(), u("ねこ"));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("ねこ", "だぴょん", "猫語", "某バーチャルネットアイドル"));
        QVERIFY(showsIcon(harness.button(cmd::kHtmlSettings), icons::kIdolNewsSettings));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings),
                 u("某バーチャルネットアイドル設定"));

        // A style no one knows leaves no format selected.
        harness.choose(cmd::kComboTemplate, u("謎"));
        QCOMPARE(harness.combo(cmd::kComboFormat).currentIndex(), -1);
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), QString());
        QCOMPARE(harness.view().currentTemplate().formatName, std::string());
        QVERIFY(showsIcon(harness.button(cmd::kHtmlSettings), icons::kNoSettings));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings), u("この形式は設定がありません"));
    }

    void repaintingDoesNotRefillThePanel() {
        AppHarness harness;
        writeSettings(harness.settingsFile(), {});
        QVERIFY(harness.start());
        harness.choose(cmd::kComboTemplate, u("うさぎ"));
        harness.combo(cmd::kComboEnding).setCurrentIndex(-1);
        harness.frame().resize(harness.frame().size() + QSize(40, 40));
        harness.frame().repaint();
        QCoreApplication::processEvents();
        QCOMPARE(harness.combo(cmd::kComboEnding).currentIndex(), -1);
    }

    void closingWritesTheSettingsFile() {
        AppHarness harness;
        QVERIFY(harness.start());
        QVERIFY(harness.close());
        QCOMPARE(readFile(harness.settingsFile()), firstRunSettingsFile());
    }

    void selectionsSurviveARestart() {
        AppHarness first;
        writeSettings(first.settingsFile(), {});
        QVERIFY(first.start());
        first.choose(cmd::kComboTemplate, u("うさぎ"));
        first.choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(first.close());
        const std::string written = readFile(first.settingsFile());

        AppHarness second;
        second.services.paths = first.services.paths;
        QVERIFY(second.start());
        QVERIFY(second.messages.empty());
        QCOMPARE(second.combo(cmd::kComboTemplate).currentText(), u("うさぎ"));
        QCOMPARE(second.combo(cmd::kComboReplacement).currentText(), u("猫語"));
        QCOMPARE(second.combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(second.combo(cmd::kComboFormat).currentText(), u("標準的"));
        QCOMPARE(second.items(cmd::kComboTemplate), (QStringList{u("うさぎ"), u("ねこ"), u("謎")}));
        QVERIFY(second.close());
        QCOMPARE(readFile(second.settingsFile()), written);
    }

    void settingsThatCannotBeWrittenAreNotLostSilently() {
        AppHarness harness;
        writeFile(harness.folder() / "not-a-folder", "x");
        harness.services.paths.settingsFile = harness.folder() / "not-a-folder" / "Mireto.ini";
        QVERIFY(harness.start());
        harness.messages.clear();
        harness.answers = {MessageAnswer::No};
        QVERIFY(!harness.close());
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QVERIFY(harness.messages[0].request.icon == MessageIcon::Warning);
        QVERIFY(harness.messages[0].request.buttons == MessageButtons::YesNo);
        QVERIFY(harness.messages[0].request.text.contains(u("Mireto.ini")));
        QVERIFY(harness.frame().isVisible());
        // The program goes on as before: the lists still hold the none sets.
        QCOMPARE(harness.items(cmd::kComboEnding), QStringList{u("無し")});
        QCOMPARE(harness.view().store().endingSetCount(), std::size_t{1});

        harness.answers = {MessageAnswer::Yes};
        QVERIFY(harness.close());
    }

    void installedProgramStartsFromTheFileBesideIt() {
        AppHarness harness;
        const auto beside = harness.folder() / "beside.ini";
        writeSettings(beside, {overallTemplate("うさぎ", "だぴょん", "猫語", "標準的"), {}, {}});
        harness.services.paths.startingSettingsFile = beside;
        QVERIFY(harness.start());
        QVERIFY(harness.messages.empty());
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), u("標準的"));
        harness.choose(cmd::kComboFormat, u("某巨大掲示板群"));
        QVERIFY(harness.close());
        // The user's own copy is written; the one beside the program stays as it was.
        QVERIFY(std::filesystem::exists(harness.settingsFile()));
        AppHarness again;
        again.services.paths = harness.services.paths;
        QVERIFY(again.start());
        QCOMPARE(again.combo(cmd::kComboFormat).currentText(), u("某巨大掲示板群"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
