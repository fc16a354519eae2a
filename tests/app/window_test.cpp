// The main window through its widgets: start-up with and without Mireto.ini and from
// the starter settings, the control panel's lists and selections, the settings button,
// settings written at exit.
#include "app/command_ids.h"
#include "app/control_panel.h"
#include "app/first_start.h"
#include "app/icons.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/panel_help.h"
#include "convert/converter_factory.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/first_run_settings.h"
#include "tests/support/temp_dir.h"
#include "widgets/sjis_qstring.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QStringList texts(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list)
        result.append(u(text));
    return result;
}

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The settings button shows the picture and the tool tip of the current format's dialog.
bool settingsButtonIs(const AppHarness& harness, int resourceId, const char* toolTip) {
    return pictureOf(harness.button(cmd::kHtmlSettings).icon()) ==
               pictureOf(icons::resourceIcon(resourceId)) &&
           harness.frame().ToolTipText(cmd::kHtmlSettings) == u(toolTip);
}

// The template, replacement set, ending set and format shown in the panel.
QStringList selection(const AppHarness& harness) {
    QStringList shown;
    for (int id :
         {cmd::kComboTemplate, cmd::kComboReplacement, cmd::kComboEnding, cmd::kComboFormat})
        shown.append(harness.combo(id).currentText());
    return shown;
}

// The names of one of a store's lists, as the panel shows them.
template <typename Record>
QStringList names(const SettingsStore& store, Record (SettingsStore::*get)(std::size_t) const) {
    QStringList result;
    for (std::size_t position = 0; !(store.*get)(position).name.empty(); ++position)
        result.append(fromSjis((store.*get)(position).name));
    return result;
}

struct StarterFile {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    StarterFile() { LoadSettingsAtStartup(MIRETO_STARTER_FILE, store, settings, current); }
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startWithoutAnySettingsFileShowsTheMessageThenDefaults() {
        AppHarness harness;
        QVERIFY(harness.start());
        QCOMPARE(harness.messages.size(), std::size_t{1});
        const ShownMessage& shown = harness.messages.front();
        QCOMPARE(shown.request.text, u("Mireto.iniファイルが読み込めません"));
        QCOMPARE(shown.request.caption, u("ソルネ壱号起動"));
        QVERIFY(shown.request.icon == MessageIcon::Information &&
                shown.request.buttons == MessageButtons::Ok && !shown.windowVisible);

        QVERIFY(harness.items(cmd::kComboTemplate).isEmpty());
        QCOMPARE(harness.items(cmd::kComboReplacement), texts({"無し"}));
        QCOMPARE(harness.items(cmd::kComboEnding), texts({"無し"}));
        QCOMPARE(harness.items(cmd::kComboFormat),
                 texts({"フォント弄り", "フォント弄り(背景白)", "某バーチャルネットアイドル",
                        "某巨大掲示板群", "標準的", "標準的(枠無し)", "ソルネ屋仕様"}));
        QCOMPARE(harness.combo(cmd::kComboFormat).currentIndex(), 0);
        QVERIFY(settingsButtonIs(harness, icons::kFontPlaySettings, "フォント弄り設定"));
        QCOMPARE(harness.frame().windowHandle()->title(), u("無題 - ソルネ壱号"));

        // Closing writes the settings file.
        QVERIFY(harness.close());
        QCOMPARE(readFile(harness.settingsFile()), firstRunSettingsFile());
    }

    void firstStartBeginsFromTheStarterWithoutAWord() {
        AppHarness harness;
        harness.useProgramLayout();
        QVERIFY(harness.start());
        QVERIFY(harness.messages.empty());
        const StarterFile starter;
        QCOMPARE(harness.items(cmd::kComboTemplate),
                 names(starter.store, &SettingsStore::GetOverallTemplate));
        QCOMPARE(harness.items(cmd::kComboEnding),
                 names(starter.store, &SettingsStore::GetEndingSet));
        QCOMPARE(harness.items(cmd::kComboReplacement),
                 names(starter.store, &SettingsStore::GetReplacementSet));
        QVERIFY(harness.items(cmd::kComboTemplate).size() >= 5);
        QCOMPARE(harness.items(cmd::kComboEnding).first(), u("無し"));
        QCOMPARE(selection(harness), texts({"猫になる", "猫語", "猫", "フォント弄り(背景白)"}));
        QCOMPARE(harness.view().formatSettings(), starter.settings);

        // Every starter template, picked in the panel, changes every polite sentence.
        const std::string text = sjis("今日はとても良い天気です。\r\n私は公園へ散歩に行きます。");
        harness.view().SetEditorText(fromSjis(text));
        for (const QString& name : harness.items(cmd::kComboTemplate)) {
            harness.choose(cmd::kComboTemplate, name);
            harness.opened.clear();
            harness.click(cmd::kPanelGo);
            QCOMPARE(harness.opened, std::vector<std::filesystem::path>{harness.pageFile()});
            const std::string page = readFile(harness.pageFile());
            const auto format = formatByName(harness.view().currentTemplate().formatName);
            QVERIFY2(format, qPrintable(name));
            std::unique_ptr<Converter> unchanged =
                createConverter(*format, harness.view().formatSettings());
            const EndingSet noEndings = noneEndingSet();
            const ReplacementSet noReplacements = noneReplacementSet();
            unchanged->setInputs(noEndings, noReplacements, text);
            const std::string& plain = unchanged->buildPage();
            for (const char* sentence : {"天気です。", "行きます。"}) {
                QVERIFY2(plain.find(sjis(sentence)) != std::string::npos, qPrintable(name));
                QVERIFY2(page.find(sjis(sentence)) == std::string::npos, qPrintable(name));
            }
        }
    }

    void aFirstStartOpensTheSampleAsAnUnmodifiedNewDocument() {
        AppHarness first;
        first.useProgramLayout();
        first.services.sampleOnFirstStart = true;
        QVERIFY(first.start());
        QCOMPARE(first.view().GetEditorText(), firstStartSample());
        QVERIFY(first.view().GetEditorText().contains(u("GO!!")));
        QVERIFY(!first.document().IsModified());
        QVERIFY(first.document().GetPathName().isEmpty());
        QVERIFY(!first.frame().isWindowModified());
        // Nothing of the user's to save, so closing asks nothing.
        QVERIFY(first.close());
        QVERIFY(first.messages.empty());

        // The next start has a Mireto.ini: an empty editor.
        AppHarness second;
        second.useFilesOf(first);
        second.services.sampleOnFirstStart = true;
        QVERIFY(second.start());
        QCOMPARE(second.view().GetEditorText(), QString());
    }

    void aFileNamedAtFirstStartOpensInsteadOfTheSample() {
        AppHarness harness;
        harness.services.sampleOnFirstStart = true;
        const std::filesystem::path note = harness.folder() / "note.txt";
        writeFile(note, sjis("自分の文。"));
        QVERIFY(harness.start({QString::fromStdString(note.string())}));
        QCOMPARE(harness.view().GetEditorText(), u("自分の文。"));
    }

    void theTitleMarksUnsavedChanges() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        QCOMPARE(frame.windowHandle()->title(), u("無題 - ソルネ壱号"));
        typeInto(&harness.view(), u("下書き"));
        QVERIFY(frame.isWindowModified());
        QCOMPARE(frame.windowHandle()->title(), u("無題* - ソルネ壱号"));
        const std::filesystem::path file = harness.folder() / "draft.txt";
        QVERIFY(harness.document().OnSaveDocument(QString::fromStdString(file.string())));
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(frame.windowHandle()->title(), u("draft.txt - ソルネ壱号"));
    }

    void thePanelsControlsSayWhatTheyDoInTheStatusBar() {
        AppHarness harness;
        QVERIFY(harness.start());
        QStatusBar* status = harness.frame().statusBar();
        for (int id : {cmd::kPanelGo, cmd::kComboTemplate, cmd::kComboReplacement,
                       cmd::kComboEnding, cmd::kComboFormat}) {
            const QString help = panelStatusHelp(id);
            QVERIFY(help.size() > 10);
            // Where the pointer goes: the button, or a list's field.
            QWidget* under = id == cmd::kPanelGo
                                 ? static_cast<QWidget*>(&harness.button(id))
                                 : static_cast<QWidget*>(harness.combo(id).lineEdit());
            status->clearMessage();
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(under, &enter);
            QCOMPARE(status->currentMessage(), help);
        }
        // GO's help begins with its own prompt, and its tool tip stays GO!!.
        QVERIFY(panelStatusHelp(cmd::kPanelGo).startsWith(u("変換GO!!")));
        QCOMPARE(harness.frame().ToolTipText(cmd::kPanelGo), u("GO!!"));
    }

    void theStarterIsReadButTheUsersOwnFileIsWritten() {
        AppHarness first;
        first.useProgramLayout();
        const std::filesystem::path starter = first.services.paths.startingSettingsFile;
        const std::string shipped = readFile(MIRETO_STARTER_FILE);
        QVERIFY(first.start());
        first.choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(first.close());
        QCOMPARE(readFile(starter), shipped);
        QVERIFY(first.settingsFile() == first.folder() / "usr" / "bin" / "Mireto.ini");
        QVERIFY(std::filesystem::is_regular_file(first.settingsFile()));

        // From now on the user's own file is read, and written, and the starter stays.
        AppHarness second;
        second.services.paths = first.services.paths;
        QVERIFY(second.start());
        QVERIFY(second.messages.empty());
        QCOMPARE(selection(second), texts({"猫になる", "猫語", "猫", "標準的"}));
        second.choose(cmd::kComboTemplate, u("スレ住人"));
        QVERIFY(second.close());
        QCOMPARE(readFile(starter), shipped);

        // A user's file, however it came there, wins over the starter.
        AppHarness third;
        third.useProgramLayout();
        writeSettings(third.settingsFile(), {});
        QVERIFY(third.start());
        QCOMPARE(third.items(cmd::kComboTemplate), texts({"うさぎ", "ねこ", "謎"}));
        QVERIFY(third.close());
        QCOMPARE(readFile(third.services.paths.startingSettingsFile), shipped);
    }

    void aMiretoIniThatCannotBeReadStillGivesTheMessage() {
        AppHarness harness;
        harness.useProgramLayout();
        std::filesystem::create_directory(harness.settingsFile());
        QVERIFY(harness.start());
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QCOMPARE(harness.messages.front().request.text,
                 u("Mireto.iniファイルが読み込めません\n（普通のファイルではありません）"));
        // Nothing of the starter came in instead.
        QVERIFY(harness.items(cmd::kComboTemplate).isEmpty());
        QCOMPARE(harness.items(cmd::kComboEnding), texts({"無し"}));
        harness.answers = {MessageAnswer::Yes};
        QVERIFY(harness.close());
    }

    void choosingATemplateSelectsItsSetsAndStyle() {
        AppHarness harness;
        writeSettings(harness.settingsFile(), {});
        QVERIFY(harness.start());
        harness.choose(cmd::kComboTemplate, u("うさぎ"));
        QCOMPARE(selection(harness), texts({"うさぎ", "猫語", "だぴょん", "某巨大掲示板群"}));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("うさぎ", "だぴょん", "猫語", "某巨大掲示板群"));
        QCOMPARE(harness.view().currentReplacementSet(), replacementSet("猫語", "な", "にゃ"));
        QVERIFY(settingsButtonIs(harness, icons::kThreadSettings, "2ch変換設定"));

        // Sets that no longer exist bring in the none sets.
        harness.choose(cmd::kComboTemplate, u("ねこ"));
        QCOMPARE(selection(harness), texts({"ねこ", "無し", "無し", "フォント弄り(背景白)"}));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("ねこ", "無し", "無し", "フォント弄り(背景白)"));
        QVERIFY(settingsButtonIs(harness, icons::kFontPlayWhiteSettings, "フォント弄り設定"));

        // Choosing a set or a style keeps the template's name.
        harness.choose(cmd::kComboReplacement, u("猫語"));
        harness.choose(cmd::kComboEnding, u("だぴょん"));
        harness.choose(cmd::kComboFormat, u("某バーチャルネットアイドル"));
        QCOMPARE(harness.combo(cmd::kComboTemplate).currentText(), u("ねこ"));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("ねこ", "だぴょん", "猫語", "某バーチャルネットアイドル"));
        QVERIFY(
            settingsButtonIs(harness, icons::kIdolNewsSettings, "某バーチャルネットアイドル設定"));

        // A style no one knows leaves no format selected.
        harness.choose(cmd::kComboTemplate, u("謎"));
        QCOMPARE(harness.combo(cmd::kComboFormat).currentIndex(), -1);
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), QString());
        QCOMPARE(harness.view().currentTemplate().formatName, std::string());
        QVERIFY(settingsButtonIs(harness, icons::kNoSettings, "この形式は設定がありません"));

        // The standard styles' button shows their colours, not a "none" sign; the house
        // style, which has no settings, a picture of its own page.
        harness.choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(settingsButtonIs(harness, icons::kColourSettings, "標準的HTML設定"));
        harness.choose(cmd::kComboFormat, u("標準的(枠無し)"));
        QVERIFY(settingsButtonIs(harness, icons::kColourSettings, "標準的HTML設定"));
        harness.choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        QVERIFY(
            settingsButtonIs(harness, icons::kHouseStyleSettings, "この形式は設定がありません"));
        QVERIFY(pictureOf(icons::resourceIcon(icons::kColourSettings)) !=
                pictureOf(icons::resourceIcon(icons::kNoSettings)));
        QVERIFY(pictureOf(icons::resourceIcon(icons::kHouseStyleSettings)) !=
                pictureOf(icons::resourceIcon(icons::kNoSettings)));

        // Repainting does not refill the panel.
        harness.combo(cmd::kComboEnding).setCurrentIndex(-1);
        harness.frame().resize(harness.frame().size() + QSize(40, 40));
        harness.frame().repaint();
        QCoreApplication::processEvents();
        QCOMPARE(harness.combo(cmd::kComboEnding).currentIndex(), -1);
    }

    void panelListsShowWholeNamesAndIgnoreAWheelWithoutTheFocus() {
        AppHarness harness;
        harness.useProgramLayout();
        QVERIFY(harness.start());
        harness.frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&harness.frame()));

        // However narrow the panel, the popup is wide enough for every name.
        QComboBox& formats = harness.combo(cmd::kComboFormat);
        formats.showPopup();
        QAbstractItemView* popup = formats.view();
        QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
        for (int row = 0; row < formats.count(); ++row) {
            const QModelIndex item = formats.model()->index(row, 0);
            QVERIFY2(popup->viewport()->width() >= popup->sizeHintForIndex(item).width(),
                     qPrintable(formats.itemText(row)));
        }
        formats.hidePopup();

        // A wheel over a list that does not have the focus leaves the current set alone.
        QComboBox& endings = harness.combo(cmd::kComboEnding);
        const int before = endings.currentIndex();
        const EndingSet current = harness.view().currentEndingSet();
        auto turnWheel = [&endings] {
            const QPointF centre = QRectF(endings.rect()).center();
            QWheelEvent wheel(centre, endings.mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&endings, &wheel);
        };
        harness.view().setFocus();
        QTRY_VERIFY(harness.view().hasFocus());
        turnWheel();
        QCOMPARE(endings.currentIndex(), before);
        QCOMPARE(harness.view().currentEndingSet(), current);
        QVERIFY(!endings.hasFocus());

        // Once the user has put the focus there, the wheel picks the next set.
        endings.setFocus();
        QTRY_VERIFY(endings.hasFocus());
        turnWheel();
        QCOMPARE(endings.currentIndex(), before + 1);
        QCOMPARE(harness.view().currentEndingSet(),
                 harness.view().store().GetEndingSet(before + 1));
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
        QCOMPARE(selection(second), texts({"うさぎ", "猫語", "だぴょん", "標準的"}));
        QCOMPARE(second.items(cmd::kComboTemplate), texts({"うさぎ", "ねこ", "謎"}));
        QVERIFY(second.close());
        QCOMPARE(readFile(second.settingsFile()), written);
    }

    void settingsThatCannotBeWrittenAreNotLostSilently() {
        AppHarness harness;
        writeFile(harness.folder() / "not-a-folder", "x");
        harness.services.paths.settingsFile = harness.folder() / "not-a-folder" / "Mireto.ini";
        QVERIFY(harness.start());
        harness.messages.clear();
        QVERIFY(!harness.close()); // unanswered, the question gets No
        QCOMPARE(harness.messages.size(), std::size_t{1});
        const MessageRequest& asked = harness.messages[0].request;
        QVERIFY(asked.icon == MessageIcon::Warning && asked.buttons == MessageButtons::YesNo);
        QVERIFY(asked.text.contains(u("Mireto.ini")));
        QVERIFY(harness.frame().isVisible());
        // The program goes on as before: the lists still hold the none sets.
        QCOMPARE(harness.items(cmd::kComboEnding), texts({"無し"}));
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
