// Draws the main window with some Japanese text into a PNG, for the README:
// mireto-screenshot OUT.png (run offscreen; nothing outside a temporary folder is touched).
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: mireto-screenshot OUT.png\n", stderr);
        return 2;
    }
    using namespace mireto::test;
    AppHarness harness;
    // What a first start shows: the starter settings.
    harness.useProgramLayout();
    if (!harness.start())
        return 1;
    mireto::CMainFrame& frame = harness.frame();
    frame.resize(760, 480);
    harness.view().setFont(harness.view().editorFont());
    harness.view().setPlainText(
        QString::fromUtf8("今日はとても良い天気でした。\n"
                          "公園を散歩して、猫に会いました。\n"
                          "猫はこちらを見て、あくびをしました。\n\n"
                          "GO!! を押すと、この文章がウェブページになります。"));
    QTest::qWait(200);
    return frame.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
