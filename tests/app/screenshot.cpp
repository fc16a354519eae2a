// Draws the main window with some Japanese text and its live preview into a PNG, for
// the README: mireto-screenshot OUT.png (run offscreen; nothing outside a temporary
// folder is touched).
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "tests/app/app_harness.h"

#include <QApplication>
#include <QDockWidget>
#include <QTest>
#include <QWebEngineView>
#include <cstdio>

namespace {

// Whether the engine has painted the page yet: a blank view is all one colour, the
// starter's font-play page is coloured type on white.
bool pagePainted(QWidget* view) {
    const QImage picture = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int inked = 0;
    for (int y = 0; y < picture.height(); y += 4) {
        for (int x = 0; x < picture.width(); x += 4)
            inked += picture.pixel(x, y) != picture.pixel(0, 0);
    }
    return inked > picture.width() * picture.height() / 16 / 100;
}

} // namespace

int main(int argc, char** argv) {
    mireto::PagePreview::prepareEngine();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: mireto-screenshot OUT.png\n", stderr);
        return 2;
    }
    using namespace mireto::test;
    AppHarness harness;
    harness.withWebEngine();
    // What a first start shows: the starter settings.
    harness.useProgramLayout();
    if (!harness.start())
        return 1;
    mireto::PagePreview& preview = harness.preview();
    if (!preview.engineProblem().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(preview.engineProblem()));
        return 1;
    }
    mireto::CMainFrame& frame = harness.frame();
    frame.resize(1100, 560);
    frame.resizeDocks({frame.previewDock()}, {460}, Qt::Horizontal);
    harness.view().setFont(harness.view().editorFont());
    harness.view().SetEditorText(
        QString::fromUtf8("今日はとても良い天気でした。\n"
                          "公園を散歩して、猫に会いました。\n"
                          "猫はこちらを見て、あくびをしました。\n\n"
                          "なぜなら、猫は眠かったのです。\n"
                          "右のプレビューは、打つそばからページになります。"));
    if (!QTest::qWaitFor([&] { return preview.isPageLoaded() && pagePainted(preview.webView()); },
                         30000))
        return 1;
    QTest::qWait(300);
    return frame.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
