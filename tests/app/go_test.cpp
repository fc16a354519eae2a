// GO!!: every page style from the panel, the page's exact bytes, one opening per press,
// and the cases where nothing may happen.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/expected_page.h"
#include "tests/app/settings_files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QStatusBar>
#include <QtTest>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

bool contains(const std::string& page, const std::string& part) {
    return page.find(part) != std::string::npos;
}

void typeText(CMiretoView& view) {
    view.setFocus();
    typeInto(&view, u("なぜなら今日は晴れ。\n寿司"));
    view.insertPlainText(u("🍣"));
    typeInto(&view, u("です、うまい。"));
}

// For each style, by position: bytes its page must hold, and bytes it must not.
struct StyleMark {
    std::string present;
    std::string absent;
};
const StyleMark kStyleMarks[] = {
    {"<BODY bgcolor=\"#000000\"", ""},
    {"<BODY bgcolor=\"#ffffff\"", ""},
    {sjis("<TITLE>ぺかりニュースもどき</TITLE>"), ""},
    {sjis("<title>テストスレ</title>"), ""},
    {"border-color : #102030", ""},
    {"color : #102030 ; background-color : #405060", "border-style"},
    {sjis("<TITLE>ミルテア</TITLE>"), ""},
};

const std::string kTypedText =
    sjis("なぜなら今日は晴れ。\r\n寿司") + "&#x1F363;" + sjis("です、うまい。");

} // namespace

class GoTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void everyStyleWritesItsPageAndOpensItOnce() {
        FormatSettings settings;
        settings.standardColours = {"#102030", "#405060"};
        settings.thread.title = sjis("テストスレ");
        settings.deleteCommas = 1;
        settings.lineBreakDegree = 9;
        writeSettings(h->settingsFile(),
                      {overallTemplate("", "だぴょん", "猫語", "フォント弄り"),
                       endingSet("だぴょん", "だぴょん", 100),
                       replacementSet("猫語", "な", "にゃ")},
                      settings);
        QVERIFY(h->start());
        typeText(h->view());
        QCOMPARE(h->view().formatSettings(), settings);

        for (std::size_t position = 0; position < kFormatCount; ++position) {
            const auto format = static_cast<OutputFormat>(position);
            const QString name = QString::fromUtf8(utf8(kFormatNames[position]).c_str());
            std::filesystem::remove(h->pageFile());
            h->opened.clear();
            h->choose(cmd::kComboFormat, name);
            h->click(cmd::kPanelGo);

            const std::string page = readFile(h->pageFile());
            QVERIFY2(page == expectedPage(h->view(), format, kTypedText, kMoment),
                     qPrintable(name));
            // What tells the styles apart, so that a mix-up of builders or variants shows.
            const StyleMark& mark = kStyleMarks[position];
            QVERIFY2(contains(page, mark.present), qPrintable(name));
            QVERIFY2(mark.absent.empty() || !contains(page, mark.absent), qPrintable(name));
            // The replacement rule な -> にゃ and the ending だぴょん in place of "。".
            if (format == OutputFormat::StandardFrameless)
                QVERIFY(contains(page, sjis("にゃぜにゃら今日は晴れだぴょん")));
            QCOMPARE(h->opened, std::vector<std::filesystem::path>{h->pageFile()});
        }
    }

    void pressingTwiceWritesAndOpensTwice() {
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        h->click(cmd::kPanelGo);
        h->frame().action(cmd::kGo)->trigger();
        QCOMPARE(h->opened.size(), std::size_t{2});
        // An empty editor still gives a page.
        QCOMPARE(readFile(h->pageFile()),
                 expectedPage(h->view(), OutputFormat::HouseStyle, "", kMoment));
    }

    void aLineSeparatorInTheTextIsALineOnThePage() {
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("標準的"));
        h->view().SetEditorText(u("上\u2028下\n終わり"));
        h->click(cmd::kPanelGo);
        QCOMPARE(readFile(h->pageFile()), expectedPage(h->view(), OutputFormat::Standard,
                                                       sjis("上\r\n下\r\n終わり"), kMoment));
    }

    // The editor and mireto-convert make the same bytes from the same UTF-8 text: the
    // look-alikes input methods type, those the encoder writes as ASCII, a tag character
    // and an emoji included.
    void theEditorAndTheConverterMakeTheSamePage() {
        writeSettings(h->settingsFile(), {});
        QVERIFY(h->start());
        const std::string text = "〜‖¢£¬—−¥‾ 寿司🍣\U000E0001です。\n二行目、おわり。";
        h->view().SetEditorText(QString::fromStdString(text));
        for (std::size_t position = 0; position < kFormatCount; ++position) {
            h->choose(cmd::kComboFormat, QString::fromStdString(utf8(kFormatNames[position])));
            h->click(cmd::kPanelGo);
            const std::string page = readFile(h->pageFile());
            const ProgramResult converted =
                runProgram(MIRETO_CONVERT_PATH,
                           {"-s", h->settingsFile().string(), "-f", std::to_string(position),
                            "--time", std::to_string(kMoment)},
                           text);
            QCOMPARE(converted.status, 0);
            QCOMPARE(QByteArray::fromStdString(converted.out), QByteArray::fromStdString(page));
            if (position == static_cast<std::size_t>(OutputFormat::StandardFrameless))
                QVERIFY(contains(page, sjis("～∥￠￡￢―－") + "\\~ " + sjis("寿司") +
                                           "&#x1F363;&#xE0001;" + sjis("です")));
        }
    }

    void unknownStyleDoesNothing() {
        writeSettings(h->settingsFile(), {});
        QVERIFY(h->start());
        typeText(h->view());
        h->choose(cmd::kComboTemplate, u("謎"));
        h->messages.clear();
        h->click(cmd::kPanelGo);
        h->frame().action(cmd::kGo)->trigger();
        QVERIFY(!std::filesystem::exists(h->pageFile()));
        QVERIFY(h->opened.empty());
        QVERIFY(h->messages.empty());
    }

    void aPageTheDesktopCannotOpenIsReportedNamingTmpHtml() {
        h->desktopOpensPages = false;
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        h->messages.clear();
        h->click(cmd::kPanelGo);
        QCOMPARE(h->opened.size(), std::size_t{1});
        QVERIFY(std::filesystem::exists(h->pageFile()));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->messages[0].request.text.contains(u("tmp.html")));
        QVERIFY(h->frame().statusBar()->currentMessage().contains(u("tmp.html")));
        // The status bar says it again at every try; the message box only once.
        h->frame().statusBar()->clearMessage();
        h->frame().action(cmd::kGo)->trigger();
        QCOMPARE(h->opened.size(), std::size_t{2});
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->frame().statusBar()->currentMessage().contains(u("tmp.html")));
    }

    void pageThatCannotBeWrittenIsNotOpened() {
        writeFile(h->folder() / "not-a-folder", "x");
        h->services.paths.pageFile = h->folder() / "not-a-folder" / "tmp.html";
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        h->messages.clear();
        h->click(cmd::kPanelGo);
        QVERIFY(h->opened.empty());
        QVERIFY(h->messages.empty());
        QVERIFY(!std::filesystem::exists(h->pageFile()));
    }
};

QTEST_MAIN(GoTest)
#include "go_test.moc"
