// The live preview with the real web engine: the bytes it hands the engine for every
// style, when it updates, its moment, its toolbar, links, scrolling, long texts, an
// engine that stops, and a page really painted.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "app/preview_scheme.h"
#include "tests/app/app_harness.h"
#include "tests/app/expected_page.h"
#include "tests/app/settings_files.h"
#include "tests/app/web_page_probe.h"
#include "tests/convert/dialogs/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

bool contains(const QByteArray& page, const std::string& part) {
    return page.contains(QByteArray::fromStdString(part));
}

QString styleName(OutputFormat format) {
    return QString::fromUtf8(utf8(kFormatNames[static_cast<std::size_t>(format)]).c_str());
}

const char* const kText = "なぜなら今日は晴れ。\n寿司です、うまい。";

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;
    std::time_t m_now = kMoment;

    PagePreview& preview() { return h->preview(); }
    QWebEnginePage* webPage() { return preview().webPage(); }

    // Starts the program with the engine, `text` in the editor, and waits for its
    // first page to load.
    bool startWithPage(const char* text = kText) {
        h->withWebEngine();
        h->services.clock = [this] { return m_now; };
        if (!h->start())
            return false;
        if (!preview().engineProblem().isEmpty()) {
            qWarning("%s", qPrintable(preview().engineProblem()));
            return false;
        }
        h->view().SetEditorText(u(text));
        return waitForPage();
    }

    // Starts with 300 numbered lines in the borderless standard style: a page that
    // scrolls.
    bool startWithLongPage() {
        QString lines;
        for (int i = 0; i < 300; ++i)
            lines += QStringLiteral("%1行目の文です。\n").arg(i);
        if (!startWithPage())
            return false;
        h->choose(cmd::kComboFormat, u("標準的(枠無し)"));
        h->view().SetEditorText(lines);
        return waitForPage();
    }

    // Lets a change that came just now reach the preview, then waits for its page.
    bool waitForPage() {
        QTest::qWait(20);
        return QTest::qWaitFor([this] { return preview().isPageLoaded(); }, 20000);
    }

    std::string expected(OutputFormat format, const char* text = kText) {
        QString lines = u(text);
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return expectedPage(h->view(), format, sjis(lines.toUtf8().constData()),
                            preview().moment());
    }

    // Clicks in the page at the middle of the first element `selector` finds; returns
    // its address as the engine resolved it.
    QString clickFirst(const char* selector) {
        const QVariantList found =
            evaluate(webPage(),
                     QStringLiteral("(function(){var e=document.querySelector('%1');"
                                    "e.scrollIntoView();var r=e.getBoundingClientRect();"
                                    "return [r.left+r.width/2,r.top+r.height/2,e.href];})()")
                         .arg(QLatin1String(selector)))
                .toList();
        if (found.size() != 3)
            return {};
        const QPoint at(found[0].toInt(), found[1].toInt());
        QWidget* surface = preview().webView()->focusProxy();
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
        return found[2].toString();
    }

public:
    // Before the application exists, as the program's main does it.
    static void initMain() { PagePreview::prepareEngine(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_now = kMoment;
        h.emplace();
    }
    void cleanup() { h.reset(); }

    void everyStyleHandsTheEngineThePageGoWrites() {
        FormatSettings settings;
        settings.standardColours = {"#102030", "#405060"};
        settings.lineBreakDegree = 3;
        writeSettings(h->settingsFile(),
                      {overallTemplate("", "だぴょん", "猫語", "フォント弄り"),
                       endingSet("だぴょん", "だぴょん", 100),
                       replacementSet("猫語", "な", "にゃ")},
                      settings);
        QVERIFY(startWithPage());
        for (std::size_t position = 0; position < kFormatCount; ++position) {
            const auto format = static_cast<OutputFormat>(position);
            const QString name = styleName(format);
            h->choose(cmd::kComboFormat, name);
            QTRY_VERIFY2(preview().currentPage().toStdString() == expected(format),
                         qPrintable(name));
            QVERIFY2(waitForPage(), qPrintable(name));
            // The engine reads the page's own bytes as Shift_JIS.
            QCOMPARE(evaluate(webPage(), QStringLiteral("document.characterSet")).toString(),
                     u("Shift_JIS"));
            QVERIFY2(evaluate(webPage(), QStringLiteral("document.body.innerText"))
                         .toString()
                         .contains(u("寿司")),
                     qPrintable(name));
            // GO!! at the preview's moment writes exactly the previewed bytes.
            h->click(cmd::kPanelGo);
            QCOMPARE(QByteArray::fromStdString(readFile(h->pageFile())), preview().currentPage());
        }
    }

    void typingUpdatesOnceWhenItPauses() {
        QVERIFY(startWithPage());
        QSignalSpy updates(&preview(), &PagePreview::updated);
        h->view().setFocus();
        h->view().moveCursor(QTextCursor::End);
        // The pause is the longest one until an update has been timed, and never shorter
        // than the shortest.
        const int pause = preview().typingPause();
        QVERIFY(pause >= PagePreview::kShortestTypingPauseMs &&
                pause <= PagePreview::kTypingPauseMs);
        typeInto(&h->view(), u("猫がいる。"));
        QTest::qWait(pause / 2);
        typeInto(&h->view(), u("犬も。"));
        QTest::qWait(pause / 2);
        QCOMPARE(updates.count(), 0);
        QTRY_COMPARE(updates.count(), 1);
        QTest::qWait(PagePreview::kTypingPauseMs * 2);
        QCOMPARE(updates.count(), 1);
        QVERIFY(contains(preview().currentPage(), sjis("猫がいる")));
        QVERIFY(contains(preview().currentPage(), sjis("犬も")));
        QVERIFY(waitForPage());
        // The page never takes the keyboard from the editor.
        QCOMPARE(QApplication::focusWidget(), &h->view());
    }

    void aPickAndADialogsOkUpdateOnceEach() {
        writeSettings(h->settingsFile(), {});
        QVERIFY(startWithPage());
        QSignalSpy updates(&preview(), &PagePreview::updated);
        const auto updatesAfter = [&](const std::function<void()>& change) {
            updates.clear();
            change();
            QTest::qWait(50);
            return updates.count();
        };

        QCOMPARE(updatesAfter([&] { h->choose(cmd::kComboFormat, u("標準的")); }), 1);
        QCOMPARE(updatesAfter([&] {
                     runDialog([&] { h->click(cmd::kHtmlSettings); },
                               [](QDialog& dialog) {
                                   retype(child<QLineEdit>(dialog, "textColour"), u("#ABCDEF"));
                                   clickOk(dialog);
                               });
                 }),
                 1);
        QVERIFY(contains(preview().currentPage(), "color : #ABCDEF ;"));
        QCOMPARE(updatesAfter([&] { runDialog([&] { h->click(cmd::kHtmlSettings); }); }), 0);
        QCOMPARE(updatesAfter([&] { h->choose(cmd::kComboEnding, u("だぴょん")); }), 1);
        QVERIFY(contains(preview().currentPage(), sjis("晴れだぴょん")));
        // A chooser's OK, and a template editor however it ends.
        QCOMPARE(
            updatesAfter([&] { runDialog([&] { h->click(cmd::kCurrentReplacement); }, clickOk); }),
            1);
        QCOMPARE(updatesAfter([&] {
                     runDialog([&] { h->frame().action(cmd::kSaveEndingTemplate)->trigger(); });
                 }),
                 1);
        // A new document (without saving the old one).
        h->answers = {MessageAnswer::No};
        QCOMPARE(updatesAfter([&] { h->frame().action(cmd::kFileNew)->trigger(); }), 1);
        QVERIFY(!contains(preview().currentPage(), sjis("晴れ")));
    }

    void aNewMomentOnlyWhenAskedOrFromGo() {
        QVERIFY(startWithPage());
        QCOMPARE(preview().moment(), kMoment);
        // The date and time; the command is in the tool tip, and コピー copies it whole.
        QCOMPARE(preview().momentButton()->text(), u("2002/09/05 21:07:00"));
        QVERIFY(preview().momentButton()->toolTip().contains(u("--time 1031227620")));
        QVERIFY(preview().momentButton()->toolTip().contains(preview().commandLine()));
        QVERIFY(preview().commandLine().startsWith(u("mireto-convert ")));
        QVERIFY(preview().copyCommandAction()->isEnabled());
        preview().copyCommandAction()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), preview().commandLine());
        const QByteArray before = preview().currentPage();

        // The clock has not moved, yet the moment and the page change.
        preview().rerollAction()->trigger();
        QCOMPARE(preview().moment(), kMoment + 1);
        QVERIFY(preview().currentPage() != before);
        QCOMPARE(preview().currentPage().toStdString(), expected(OutputFormat::FontPlayBlack));
        QVERIFY(preview().momentButton()->toolTip().contains(u("--time 1031227621")));
        m_now = kMoment + 600;
        preview().rerollAction()->trigger();
        QCOMPARE(preview().moment(), kMoment + 600);

        // Typing keeps the moment; GO!! brings its own, and its page.
        typeInto(&h->view(), u("猫"));
        QTRY_VERIFY(contains(preview().currentPage(), sjis("猫")));
        QCOMPARE(preview().moment(), kMoment + 600);
        m_now = kMoment + 3600;
        h->click(cmd::kPanelGo);
        QCOMPARE(preview().moment(), kMoment + 3600);
        QCOMPARE(QByteArray::fromStdString(readFile(h->pageFile())), preview().currentPage());
        QVERIFY(preview().momentButton()->toolTip().contains(u("--time 1031231220")));
    }

    void openInBrowserWritesThePreviewedBytes() {
        QVERIFY(startWithPage());
        preview().rerollAction()->trigger();
        QWidget* button = preview().toolBar()->widgetForAction(preview().openInBrowserAction());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(readFile(h->pageFile())), preview().currentPage());
        QCOMPARE(h->opened, std::vector<std::filesystem::path>{h->pageFile()});

        // A page that cannot be written is not opened, and the user hears of it.
        AppHarness blocked;
        blocked.withWebEngine();
        blocked.services.paths.pageFile = blocked.folder() / "not-a-folder" / "tmp.html";
        writeFile(blocked.folder() / "not-a-folder", "x");
        QVERIFY(blocked.start());
        QTRY_VERIFY(!blocked.preview().currentPage().isEmpty());
        blocked.messages.clear();
        blocked.preview().openInBrowserAction()->trigger();
        QVERIFY(blocked.opened.empty());
        QCOMPARE(blocked.messages.size(), std::size_t{1});
        QVERIFY(blocked.messages[0].request.text.contains(u("tmp.html")));
    }

    void linksNeverTakeThePreviewElsewhere() {
        QVERIFY(startWithPage("今日は晴れ、明日は雨、明後日は雪。\n猫です、犬です、鳥です。"));
        h->choose(cmd::kComboFormat, u("某バーチャルネットアイドル"));
        // A moment whose page has a search link.
        std::time_t moment = kMoment;
        while (!contains(preview().currentPage(), "<A href=\"http") && moment < kMoment + 200)
            preview().setMoment(++moment);
        QVERIFY(contains(preview().currentPage(), "<A href=\"http"));
        QVERIFY(waitForPage());
        const QUrl shown = webPage()->url();
        QCOMPARE(shown.scheme(), QLatin1String(PreviewSchemeHandler::kScheme));

        const QString link = clickFirst("a[href^=\"http\"]");
        QVERIFY(link.startsWith(u("http")));
        QTRY_COMPARE(h->links.size(), std::size_t{1});
        QCOMPARE(h->links[0], QUrl(link));
        QTest::qWait(200);
        QCOMPARE(webPage()->url(), shown);

        // The thread page's local links do nothing at all.
        h->choose(cmd::kComboFormat, u("某巨大掲示板群"));
        QVERIFY(waitForPage());
        const QUrl thread = webPage()->url();
        QVERIFY(!clickFirst("a[href=\"./tmp\"]").isEmpty());
        QTest::qWait(300);
        QCOMPARE(webPage()->url(), thread);
        QCOMPARE(h->links.size(), std::size_t{1});
        QVERIFY(h->opened.empty());
    }

    void anUpdateKeepsTheReadersPlace() {
        QVERIFY(startWithLongPage());
        evaluate(webPage(), QStringLiteral("window.scrollTo(0, 1500)"));
        QTRY_COMPARE(webPage()->scrollPosition().y(), 1500.0);

        // An edit at the start keeps the place.
        QTextCursor start(h->view().document());
        h->view().setTextCursor(start);
        typeInto(&h->view(), u("追記"));
        QTRY_VERIFY(contains(preview().currentPage(), sjis("追記0行目")));
        QVERIFY(waitForPage());
        QTRY_COMPARE(webPage()->scrollPosition().y(), 1500.0);

        // A reader at the end stays at the end as the page grows.
        evaluate(webPage(), QStringLiteral("window.scrollTo(0, document.body.scrollHeight)"));
        const auto atEnd = [&] {
            const qreal visible = preview().webView()->height() / webPage()->zoomFactor();
            return webPage()->scrollPosition().y() + visible >=
                   webPage()->contentsSize().height() - 2;
        };
        QTRY_VERIFY(atEnd());
        const qreal before = webPage()->contentsSize().height();
        h->view().moveCursor(QTextCursor::End);
        typeInto(&h->view(), u("\n最後の行\n本当に最後"));
        QTRY_VERIFY(contains(preview().currentPage(), sjis("本当に最後")));
        QVERIFY(waitForPage());
        QTRY_VERIFY(webPage()->contentsSize().height() > before);
        QTRY_VERIFY(atEnd());
    }

    void anotherStyleOrTemplateOpensAtItsTop() {
        writeSettings(h->settingsFile(), rabbitSelection());
        QVERIFY(startWithLongPage());
        const auto scrolledTo = [this](int y) {
            evaluate(webPage(), QStringLiteral("window.scrollTo(0, %1)").arg(y));
            return QTest::qWaitFor([&] { return webPage()->scrollPosition().y() == y; });
        };
        QVERIFY(scrolledTo(1500));
        h->choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(waitForPage());
        QTest::qWait(100);
        QCOMPARE(webPage()->scrollPosition().y(), 0.0);

        // Another template, even of the same style, is another page too.
        h->choose(cmd::kComboTemplate, u("うさぎ"));
        QVERIFY(waitForPage());
        QVERIFY(scrolledTo(1500));
        h->choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(waitForPage());
        QVERIFY(scrolledTo(1500));
        h->choose(cmd::kComboTemplate, u("ねこ"));
        QVERIFY(waitForPage());
        QTest::qWait(100);
        QCOMPARE(webPage()->scrollPosition().y(), 0.0);

        // A set of the same template keeps the place, as typing does.
        QVERIFY(scrolledTo(1500));
        h->choose(cmd::kComboEnding, u("だぴょん"));
        QVERIFY(waitForPage());
        QTRY_COMPARE(webPage()->scrollPosition().y(), 1500.0);
    }

    void theFirstStartShowsAPageAtOnce() {
        h->useProgramLayout();
        h->services.sampleOnFirstStart = true;
        h->withWebEngine();
        QVERIFY(h->start());
        QVERIFY(preview().engineProblem().isEmpty());
        QVERIFY(QTest::qWaitFor([this] { return preview().isPageLoaded(); }, 20000));
        QVERIFY(contains(preview().currentPage(), "GO!!"));
    }

    void aQuickUpdateShortensThePause() {
        // Not timed: the pause that follows an update of a given length.
        QCOMPARE(PagePreview::pauseAfter(-1), PagePreview::kTypingPauseMs);
        QCOMPARE(PagePreview::pauseAfter(10), PagePreview::kShortestTypingPauseMs);
        QCOMPARE(PagePreview::pauseAfter(200), 200);
        QCOMPARE(PagePreview::pauseAfter(2000), PagePreview::kTypingPauseMs);
        // A page loaded is an update timed.
        QVERIFY(startWithPage());
        QVERIFY(preview().lastUpdateMs() >= 0);
        QCOMPARE(preview().typingPause(), PagePreview::pauseAfter(preview().lastUpdateMs()));
    }

    void aLongTextWaitsForRefresh() {
        QVERIFY(startWithPage());
        QSignalSpy updates(&preview(), &PagePreview::updated);
        h->choose(cmd::kComboFormat, u("標準的(枠無し)"));
        QTRY_COMPARE(updates.count(), 1);
        updates.clear();
        // Lines of 50 two-byte characters: 10,000 of them make 1,020,000 bytes with their
        // line breaks, which the page follows.
        const auto lines = [](int count, QChar character) {
            return (QString(50, character) + QLatin1Char('\n')).repeated(count);
        };
        h->view().SetEditorText(lines(10000, QChar(0x732B))); // 猫
        QTRY_COMPARE_WITH_TIMEOUT(updates.count(), 1, 30000);
        QVERIFY(!preview().isPaused());
        QVERIFY(preview().currentPage().size() > 1000000);

        // Past 1 MB the preview waits, and says so; these 12,000 lines are fewer
        // characters than that, but more bytes. The page of the text before is not this
        // text's, and goes.
        h->view().SetEditorText(lines(12000, QChar(0x72AC))); // 犬
        QTRY_VERIFY_WITH_TIMEOUT(preview().isPaused(), 30000);
        QTest::qWait(50);
        QCOMPARE(updates.count(), 1);
        QVERIFY(preview().currentPage().isEmpty());
        QVERIFY(preview().notice().contains(u("まだ作られていません")));
        QVERIFY(!preview().openInBrowserAction()->isEnabled());
        auto* banner = preview().findChild<QLabel*>(QStringLiteral("PreviewPauseBanner"));
        QVERIFY(banner && banner->isVisible() && banner->text().contains(u("1 MB")));
        QVERIFY(preview().refreshAction()->isVisible());
        QWidget* refresh = preview().toolBar()->widgetForAction(preview().refreshAction());
        QTRY_VERIFY(refresh->isVisible());
        QTest::mouseClick(refresh, Qt::LeftButton);
        QCOMPARE(updates.count(), 2);
        QVERIFY(contains(preview().currentPage(), sjis("犬犬犬")));
        // Typing in the long text keeps its page, older by a key or two, under the banner.
        const QByteArray shown = preview().currentPage();
        typeInto(&h->view(), u("鳥"));
        QTest::qWait(PagePreview::kTypingPauseMs * 2);
        QCOMPARE(updates.count(), 2);
        QCOMPARE(preview().currentPage(), shown);
        QVERIFY(banner->isVisible());

        // A short text again, and the page follows by itself.
        h->view().SetEditorText(u("短い。"));
        QTRY_COMPARE(updates.count(), 3);
        QVERIFY(!preview().isPaused());
        QVERIFY(!preview().refreshAction()->isVisible());
        QVERIFY(!banner->isVisible());
    }

    void aPageTheSettingsInflateWaitsForRefreshAndIsBounded() {
        // Every "。" becomes a megabyte of page.
        std::string megabyte;
        while (megabyte.size() < (std::size_t{1} << 20))
            megabyte += "ab cd ef ";
        CurrentSelection current = rabbitSelection();
        current.overallTemplate.formatName = sjis("標準的(枠無し)");
        // No ending takes the "。" before the replacement sees it.
        current.endingSet = noneEndingSet();
        current.replacementSet.clearRules();
        current.replacementSet.addRule({sjis("。"), "", "", ""}, megabyte);
        writeSettings(h->settingsFile(), current);
        QVERIFY(startWithPage("一。"));
        QVERIFY(!preview().isPaused());
        QSignalSpy updates(&preview(), &PagePreview::updated);

        // Ten of them: past the live limit, the page waits for 更新 and says why. The page
        // of the text before is not this text's, and goes.
        h->view().SetEditorText(u("。").repeated(10));
        QTRY_VERIFY_WITH_TIMEOUT(preview().isPaused(), 30000);
        QCOMPARE(updates.count(), 0);
        QVERIFY(preview().currentPage().isEmpty());
        QVERIFY(preview().notice().contains(u("まだ作られていません")));
        auto* banner = preview().findChild<QLabel*>(QStringLiteral("PreviewPauseBanner"));
        QVERIFY(banner && banner->isVisible() && banner->text().contains(u("ページが 8 MB")));
        QVERIFY(preview().refreshAction()->isVisible());
        preview().refreshAction()->trigger();
        QCOMPARE(updates.count(), 1);
        QVERIFY(preview().currentPage().size() > 10 * (1 << 20));

        // Seventy: past what the preview shows at all, even on 更新.
        h->view().SetEditorText(u("。").repeated(70));
        QTRY_VERIFY_WITH_TIMEOUT(preview().isPaused(), 30000);
        preview().refreshAction()->trigger();
        QCOMPARE(updates.count(), 2);
        QVERIFY(preview().currentPage().isEmpty());
        QVERIFY(preview().notice().contains(u("64 MB")));
        QVERIFY(!preview().openInBrowserAction()->isEnabled());

        // A short text again, and the page follows by itself.
        h->view().SetEditorText(u("短い"));
        QTRY_COMPARE(updates.count(), 3);
        QVERIFY(!preview().isPaused());
        QVERIFY(!banner->isVisible());
        QVERIFY(preview().notice().isEmpty());
    }

    void aStyleNoOneKnowsShowsANotice() {
        writeSettings(h->settingsFile(), {});
        QVERIFY(startWithPage());
        h->choose(cmd::kComboTemplate, u("謎"));
        QTRY_VERIFY(preview().notice().contains(u("出力HTML形式")));
        QVERIFY(preview().currentPage().isEmpty());
        QVERIFY(!preview().openInBrowserAction()->isEnabled());
        h->choose(cmd::kComboFormat, u("ソルネ屋仕様"));
        QTRY_VERIFY(preview().notice().isEmpty());
        QVERIFY(waitForPage());
        QVERIFY(preview().openInBrowserAction()->isEnabled());
    }

    void anEngineThatStopsSaysSoAndComesBack() {
        QVERIFY(startWithPage());
        const qint64 pid = webPage()->renderProcessPid();
        QVERIFY(pid > 0);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(preview().notice().contains(u("止まりました")), 20000);
        QVERIFY(preview().refreshAction()->isVisible());
        typeInto(&h->view(), u("復活"));
        QTRY_VERIFY_WITH_TIMEOUT(preview().isPageLoaded() && preview().notice().isEmpty(), 20000);
        QVERIFY(contains(preview().currentPage(), sjis("復活")));
    }

    void theEngineReallyPaintsThePage() {
        QVERIFY(startWithPage());
        h->choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(waitForPage());
        // The standard page's background, #66aaFF, fills most of the view.
        QTRY_VERIFY_WITH_TIMEOUT(
            shareOf(preview().webView()->grab().toImage(), qRgb(0x66, 0xaa, 0xff)) > 0.3, 20000);
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
