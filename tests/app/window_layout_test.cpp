// The main window's size and bar layout: the first start's size, everything restored
// on the next start, and the 表示 menu's check marks following the bars however they
// are shown or hidden.
#include "app/command_ids.h"
#include "app/control_panel.h"
#include "app/editor_room.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "app/window_layout.h"
#include "tests/app/app_harness.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

// The context menu's entry that shows or hides `bar`, found by its text.
QAction* contextEntry(QMenu& menu, const QString& text) {
    for (QAction* entry : menu.actions()) {
        if (entry->text() == text)
            return entry;
    }
    return nullptr;
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void firstStartTakesAboutTwoThirdsOfTheScreen() {
        QCOMPARE(firstStartGeometry(QRect(0, 0, 1920, 1080)), QRect(320, 180, 1280, 720));
        // At least 900 by 600, on a screen that has them.
        QCOMPARE(firstStartGeometry(QRect(0, 0, 1366, 768)).size(), QSize(910, 600));
        QCOMPARE(firstStartGeometry(QRect(0, 0, 1024, 700)).size(), QSize(900, 600));
        // A smaller screen gets all of itself.
        QCOMPARE(firstStartGeometry(QRect(0, 30, 800, 570)), QRect(0, 30, 800, 570));
        // A second screen's own place.
        QCOMPARE(firstStartGeometry(QRect(1920, 0, 1920, 1080)).center(), QPoint(2879, 539));

        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        const QRect expected = firstStartGeometry(frame.screen()->availableGeometry());
        QCOMPARE(frame.size(), expected.size());
        QCOMPARE(frame.frameGeometry().topLeft(), expected.topLeft());
        // The whole menu bar shows, with no "»" for items cut off.
        auto* more =
            frame.menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(!more || !more->isVisible());
        QCOMPARE(frame.dockWidgetArea(harness.frame().previewDock()), Qt::RightDockWidgetArea);
        QVERIFY(frame.previewDock()->isVisible());
        QVERIFY(frame.previewDock()->width() >= frame.width() / 3);
        // Every page style's name shows whole in the panel's field, whichever is chosen,
        // once the panel has taken the room its filled lists ask for.
        QComboBox* styles = frame.controlPanel()->combo(cmd::kComboFormat);
        QVERIFY(styles->count() >= 7);
        for (int row = 0; row < styles->count(); ++row) {
            const QString name = styles->itemText(row);
            QTRY_VERIFY2(styles->lineEdit()->fontMetrics().horizontalAdvance(name) <=
                             styles->lineEdit()->width(),
                         qPrintable(name));
        }
    }

    void theTextKeepsItsShareOfASmallWindow() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        const auto share = [&frame] {
            return static_cast<double>(frame.GetActiveView()->width()) / frame.width();
        };
        // The first start's layout, the panel widened to its filled lists included.
        QTRY_VERIFY(share() >= EditorRoom::kMinimumShare);
        for (const QSize size : {QSize(1024, 768), QSize(800, 600)}) {
            frame.resize(size);
            QTRY_COMPARE(frame.size(), size);
            QTRY_VERIFY2(share() >= EditorRoom::kMinimumShare,
                         qPrintable(QStringLiteral("%1 px of %2")
                                        .arg(frame.GetActiveView()->width())
                                        .arg(frame.width())));
            // The panel stays as it was; the preview gave way, narrowing or hiding.
            QVERIFY(frame.controlPanel()->isVisible());
            QVERIFY(frame.previewDock()->isHidden() ||
                    frame.previewDock()->width() >= EditorRoom::kNarrowestPreview);
            QCOMPARE(frame.action(cmd::kViewPreview)->isChecked(),
                     frame.previewDock()->isVisible());
        }
        // Room again, and a preview that gave way comes back.
        frame.resize(1600, 1000);
        QTRY_VERIFY(frame.previewDock()->isVisible());
        QTRY_VERIFY(share() >= EditorRoom::kMinimumShare);
        QVERIFY(frame.previewDock()->width() >= EditorRoom::kNarrowestPreview);

        // One the user hid stays hidden.
        frame.action(cmd::kViewPreview)->trigger();
        frame.resize(800, 600);
        QTRY_COMPARE(frame.size(), QSize(800, 600));
        frame.resize(1600, 1000);
        QTRY_COMPARE(frame.size(), QSize(1600, 1000));
        QTest::qWait(50);
        QVERIFY(frame.previewDock()->isHidden());
    }

    void everyBarHasANameToBeKeptBy() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        for (QWidget* bar : std::initializer_list<QWidget*>{frame.toolBar(), frame.controlPanel(),
                                                            frame.previewDock()})
            QVERIFY2(!bar->objectName().isEmpty(), bar->metaObject()->className());
        QCOMPARE(frame.toolBar()->windowTitle(), u("ﾂｰﾙ ﾊﾞｰ"));
        QCOMPARE(frame.previewDock()->windowTitle(), u("プレビュー"));
        std::unique_ptr<QMenu> menu(frame.createPopupMenu());
        QVERIFY(contextEntry(*menu, u("ﾂｰﾙ ﾊﾞｰ")));
        QVERIFY(contextEntry(*menu, u("プレビュー")));
    }

    void sizePlaceAndLayoutAreRestored() {
        AppHarness first;
        QVERIFY(first.start());
        CMainFrame& frame = first.frame();
        frame.setGeometry(QRect(40, 50, 700, 500));
        frame.addDockWidget(Qt::BottomDockWidgetArea, frame.previewDock());
        frame.resizeDocks({frame.previewDock()}, {180}, Qt::Vertical);
        frame.toolBar()->hide();
        frame.statusBar()->hide();
        QCoreApplication::processEvents();
        const QRect geometry = frame.geometry();
        const int previewHeight = frame.previewDock()->height();
        const int panelWidth = frame.controlPanel()->width();
        QVERIFY(first.close());

        AppHarness second;
        second.useFilesOf(first);
        QVERIFY(second.start());
        CMainFrame& again = second.frame();
        QCOMPARE(again.geometry(), geometry);
        QCOMPARE(again.dockWidgetArea(again.previewDock()), Qt::BottomDockWidgetArea);
        QCOMPARE(again.previewDock()->height(), previewHeight);
        QCOMPARE(again.dockWidgetArea(again.controlPanel()), Qt::LeftDockWidgetArea);
        // The panel keeps its width, and grows no further once laid out.
        QTest::qWait(100);
        QCOMPARE(again.controlPanel()->width(), panelWidth);
        QVERIFY(again.toolBar()->isHidden());
        QVERIFY(again.statusBar()->isHidden());
        QVERIFY(!again.action(cmd::kViewToolbar)->isChecked());
        QVERIFY(!again.action(cmd::kViewStatusBar)->isChecked());
        QVERIFY(again.action(cmd::kViewPreview)->isChecked());

        // A preview closed at exit stays closed, and its menu item says so.
        again.previewDock()->close();
        QVERIFY(second.close());
        AppHarness third;
        third.useFilesOf(first);
        QVERIFY(third.start());
        QVERIFY(third.frame().previewDock()->isHidden());
        QVERIFY(!third.frame().action(cmd::kViewPreview)->isChecked());
        QVERIFY(third.frame().action(cmd::kViewToolbar)->isChecked() ==
                !third.frame().toolBar()->isHidden());
    }

    void checkMarksFollowTheBars() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        struct Bar {
            int command;
            QWidget* bar;
        };
        const Bar bars[] = {{cmd::kViewToolbar, frame.toolBar()},
                            {cmd::kViewStatusBar, frame.statusBar()},
                            {cmd::kViewPreview, frame.previewDock()}};
        for (const Bar& each : bars) {
            QAction* item = frame.action(each.command);
            const char* name = each.bar->metaObject()->className();
            QVERIFY2(item->isCheckable() && item->isChecked(), name);
            // The menu item hides and shows the bar.
            item->trigger();
            QVERIFY2(each.bar->isHidden() && !item->isChecked(), name);
            item->trigger();
            QVERIFY2(each.bar->isVisible() && item->isChecked(), name);
            // Hidden or shown some other way, the bar takes the check mark along.
            each.bar->hide();
            QVERIFY2(!item->isChecked(), name);
            each.bar->show();
            QVERIFY2(item->isChecked(), name);
        }

        // The window's context menu and the preview's close button.
        std::unique_ptr<QMenu> menu(frame.createPopupMenu());
        contextEntry(*menu, u("ﾂｰﾙ ﾊﾞｰ"))->trigger();
        QVERIFY(frame.toolBar()->isHidden());
        QVERIFY(!frame.action(cmd::kViewToolbar)->isChecked());
        auto* close = frame.previewDock()->findChild<QAbstractButton*>(
            QStringLiteral("qt_dockwidget_closebutton"));
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(frame.previewDock()->isHidden());
        QVERIFY(!frame.action(cmd::kViewPreview)->isChecked());

        // Minimising the window hides no bar of its own accord.
        frame.showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(frame.action(cmd::kViewStatusBar)->isChecked());
        frame.showNormal();
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
