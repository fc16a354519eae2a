// GO!!: every page style from the panel, the page's exact bytes, one opening per press,
// and the cases where nothing may happen.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "convert/converter_factory.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// The page the view should have written for `text` (Shift_JIS, CR LF) with its
// current state.
std::string expectedPage(const CMiretoView& view, OutputFormat format, const std::string& text) {
    std::unique_ptr<Converter> converter = createConverter(format, view.formatSettings());
    converter->setInputs(view.currentEndingSet(), view.currentReplacementSet(), text);
    converter->setClock([] { return kMoment; });
    return converter->buildPage();
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
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyStyleWritesItsPageAndOpensItOnce() {
        AppHarness harness;
        FormatSettings settings;
        settings.standardColours = {"#102030", "#405060"};
        settings.thread.title = sjis("テストスレ");
        settings.deleteCommas = 1;
        settings.lineBreakDegree = 9;
        writeSettings(harness.settingsFile(),
                      {overallTemplate("", "だぴょん", "猫語", "フォント弄り"),
                       endingSet("だぴょん", "だぴょん", 100),
                       replacementSet("猫語", "な", "にゃ")},
                      settings);
        QVERIFY(harness.start());
        typeText(harness.view());
        QCOMPARE(harness.view().formatSettings(), settings);

        for (std::size_t position = 0; position < kFormatCount; ++position) {
            const auto format = static_cast<OutputFormat>(position);
            const QString name = QString::fromUtf8(utf8(kFormatNames[position]).c_str());
            std::filesystem::remove(harness.pageFile());
            harness.opened.clear();
            harness.choose(cmd::kComboFormat, name);
            harness.click(cmd::kPanelGo);

            const std::string page = readFile(harness.pageFile());
            QVERIFY2(page == expectedPage(harness.view(), format, kTypedText), qPrintable(name));
            // What tells the styles apart, so that a mix-up of builders or variants shows.
            QVERIFY2(page.find(kStyleMarks[position].present) != std::string::npos,
                     qPrintable(name));
            if (!kStyleMarks[position].absent.empty())
                QVERIFY2(page.find(kStyleMarks[position].absent) == std::string::npos,
                         qPrintable(name));
            // The replacement rule な -> にゃ and the ending だぴょん in place of "。".
            if (format == OutputFormat::StandardFrameless)
                QVERIFY(page.find(sjis("にゃぜにゃら今日は晴れだぴょん")) != std::string::npos);
            QCOMPARE(harness.opened, std::vector<std::filesystem::path>{harness.pageFile()});
        }
    }

    void pressingTwiceWritesAndOpensTwice() {
        AppHarness harness;
        QVERIFY(harness.start());
        harness.choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        harness.click(cmd::kPanelGo);
        harness.frame().action(cmd::kGo)->trigger();
        QCOMPARE(harness.opened.size(), std::size_t{2});
        // An empty editor still gives a page.
        QCOMPARE(readFile(harness.pageFile()),
                 expectedPage(harness.view(), OutputFormat::HouseStyle, ""));
    }

    void unknownStyleDoesNothing() {
        AppHarness harness;
        writeSettings(harness.settingsFile(), {});
        QVERIFY(harness.start());
        typeText(harness.view());
        harness.choose(cmd::kComboTemplate, u("謎"));
        harness.messages.clear();
        harness.click(cmd::kPanelGo);
        harness.frame().action(cmd::kGo)->trigger();
        QVERIFY(!std::filesystem::exists(harness.pageFile()));
        QVERIFY(harness.opened.empty());
        QVERIFY(harness.messages.empty());
    }

    void pageThatCannotBeWrittenIsNotOpened() {
        AppHarness harness;
        writeFile(harness.folder() / "not-a-folder", "x");
        harness.services.paths.pageFile = harness.folder() / "not-a-folder" / "tmp.html";
        QVERIFY(harness.start());
        harness.choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        harness.messages.clear();
        harness.click(cmd::kPanelGo);
        QVERIFY(harness.opened.empty());
        QVERIFY(harness.messages.empty());
        QVERIFY(!std::filesystem::exists(harness.folder() / "not-a-folder" / "tmp.html"));
    }
};

QTEST_MAIN(GoTest)
#include "go_test.moc"
