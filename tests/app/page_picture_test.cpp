// ﾌｧｲﾙ → ページを画像で保存 with the real web engine: the PNG is the whole page, as tall
// as the engine lays it out and as wide as the preview shows it, in the page's colours;
// a page taller than the limit is cut there and the user is told; the status bar shows
// the progress meanwhile, the command waits, and the stop button ends it.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "app/page_picture.h"
#include "app/page_preview.h"
#include "app/page_saving.h"
#include "app/program_settings.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/app/web_page_probe.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QDockWidget>
#include <QImage>
#include <QProgressBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>
#include <memory>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

QString lines(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1行目の文です、寿司です。\n").arg(i);
    return text;
}

constexpr QRgb kBackground = 0x405060;

} // namespace

class PagePictureTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    PageSaver& saver() { return *h->frame().pageSaver(); }

    // Starts the program with the engine, the borderless standard style in its own
    // colours and `text`, and waits for the preview's page.
    bool startWithPage(const QString& text) {
        FormatSettings settings;
        settings.standardColours = {"#f0e0d0", "#405060"};
        writeSettings(
            h->settingsFile(),
            {overallTemplate("", "", "", "標準的(枠無し)"), noneEndingSet(), noneReplacementSet()},
            settings);
        h->withWebEngine();
        if (!h->start())
            return false;
        if (!h->preview().engineProblem().isEmpty()) {
            qWarning("%s", qPrintable(h->preview().engineProblem()));
            return false;
        }
        h->view().SetEditorText(text);
        QTest::qWait(20);
        return QTest::qWaitFor([this] { return h->preview().isPageLoaded(); }, 20000);
    }

    // Gives the command with `file` chosen (and the width of `filter`, or the one the
    // chooser offers) and waits until it is saved; the PNG read back.
    QImage makePicture(const std::filesystem::path& file, std::optional<int> filter = {}) {
        QSignalSpy saved(&saver(), &PageSaver::saved);
        h->nextFileChoice = qtPath(file);
        if (filter)
            h->fileChoices.push_back({qtPath(file), *filter});
        h->frame().action(cmd::kSavePageImage)->trigger();
        if (!QTest::qWaitFor([&] { return saved.count() == 1; }, 120000))
            return {};
        QImage image(qtPath(file), "PNG");
        return image.convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void thePictureIsTheWholePageAtThePreviewsWidth() {
        QVERIFY(startWithPage(lines(120)));
        QWebEnginePage* shown = h->preview().webPage();
        const int width =
            evaluate(shown, QStringLiteral("document.documentElement.clientWidth")).toInt();
        const int height =
            evaluate(shown, QStringLiteral("document.documentElement.scrollHeight")).toInt();
        // Far taller than the preview: the picture is not what shows.
        QVERIFY2(height > 3 * h->preview().webView()->height(),
                 qPrintable(QString::number(height)));

        const auto file = h->folder() / "page.png";
        QCOMPARE(PageSaver::kPictureWidths[3], PageSaver::kPreviewWidth);
        const QImage picture = makePicture(file, 3);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.width(), width);
        QCOMPARE(picture.height(), height);
        QVERIFY(h->messages.empty());
        // The page's background, top to bottom, the last row included.
        QVERIFY(shareOf(picture, kBackground) > 0.6);
        QCOMPARE(picture.pixel(picture.width() - 1, picture.height() - 1) & 0xffffff, kBackground);
        QCOMPARE(picture.pixel(0, 0) & 0xffffff, kBackground);
        // The last line of the text is drawn in it: some of the bottom rows are not
        // background alone.
        const QImage bottom = picture.copy(0, height - height / 20, width, height / 20);
        QVERIFY(shareOf(bottom, kBackground) < 1.0);
        QVERIFY(!saver().progressBar()->isVisible());
        QVERIFY(h->frame().action(cmd::kSavePageImage)->isEnabled());
    }

    void thePictureIs800PixelsWideUnlessAnotherWidthIsChosen() {
        QVERIFY(startWithPage(lines(20)));
        // However narrow the preview.
        h->frame().resizeDocks({h->frame().previewDock()}, {300}, Qt::Horizontal);
        QTRY_VERIFY(h->preview().webView()->width() < 400);
        QImage picture = makePicture(h->folder() / "default.png");
        QCOMPARE(picture.width(), 800);
        const FileRequest& offered = h->fileRequests.back();
        QCOMPARE(offered.filters.size(), 4);
        QVERIFY(offered.filters[0].contains(u("幅 600")));
        QVERIFY(offered.filters[2].contains(u("幅 1024")));
        QVERIFY(offered.filters[3].contains(u("プレビュー")));
        QCOMPARE(offered.filter, 1);

        // A width chosen is the one offered next time (kept in the per-user settings,
        // which the next run reads too).
        picture = makePicture(h->folder() / "narrow.png", 0);
        QCOMPARE(picture.width(), 600);
        picture = makePicture(h->folder() / "again.png");
        QCOMPARE(h->fileRequests.back().filter, 0);
        QCOMPARE(picture.width(), 600);
        picture = makePicture(h->folder() / "wide.png", 2);
        QCOMPARE(picture.width(), 1024);
        QCOMPARE(programSettings().value(QStringLiteral("Picture/Width")).toInt(), 1024);
    }

    void aTallerPageIsCutAtTheLimitAndTheUserIsTold() {
        QVERIFY(startWithPage(lines(80)));
        saver().setPictureHeightLimit(500);
        const QImage picture = makePicture(h->folder() / "cut.png");
        QCOMPARE(picture.height(), 500);
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QString told = h->messages[0].request.text;
        QVERIFY2(told.contains(u("500")), qPrintable(told));
        QVERIFY(h->messages[0].request.icon == MessageIcon::Information);
    }

    void aPageTallerThanTheRealLimitIsDrawnToItsLastRow() {
        QVERIFY(startWithPage(lines(1000)));
        const int height = evaluate(h->preview().webPage(),
                                    QStringLiteral("document.documentElement.scrollHeight"))
                               .toInt();
        QVERIFY2(height > PagePicture::kMaxHeight, qPrintable(QString::number(height)));
        const QImage picture = makePicture(h->folder() / "tall.png");
        QCOMPARE(picture.height(), PagePicture::kMaxHeight);
        // Drawn to the bottom, not left blank where a driver gave up.
        const QImage bottom = picture.copy(0, picture.height() - 200, picture.width(), 200);
        QVERIFY(shareOf(bottom, kBackground) > 0.6);
        QVERIFY(shareOf(bottom, kBackground) < 1.0);
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QString told = h->messages[0].request.text;
        QVERIFY2(told.contains(u("16,000")), qPrintable(told));
    }

    void progressShowsWhileThePictureIsMadeAndStopEndsIt() {
        QVERIFY(startWithPage(lines(40)));
        QAction* command = h->frame().action(cmd::kSavePageImage);
        QSignalSpy saved(&saver(), &PageSaver::saved);
        QSignalSpy state(&saver(), &PageSaver::pictureStateChanged);
        const auto file = h->folder() / "stopped.png";
        h->nextFileChoice = qtPath(file);
        command->trigger();
        QVERIFY(saver().isMakingPicture());
        QVERIFY(!command->isEnabled());
        QVERIFY(saver().progressBar()->isVisible());
        QVERIFY(saver().stopButton()->isVisible());
        // The window goes on: the editor takes text meanwhile.
        h->view().insertPlainText(u("追記"));
        QTest::mouseClick(saver().stopButton(), Qt::LeftButton);
        QVERIFY(!saver().isMakingPicture());
        QVERIFY(command->isEnabled());
        QVERIFY(!saver().progressBar()->isVisible());
        QTest::qWait(500);
        QCOMPARE(saved.count(), 0);
        QVERIFY(!std::filesystem::exists(file));
        QVERIFY(state.count() >= 2);

        // The next one goes through.
        QVERIFY(!makePicture(h->folder() / "next.png").isNull());
    }
};

QTEST_MAIN(PagePictureTest)
#include "page_picture_test.moc"
