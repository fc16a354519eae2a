// The frame's small behaviours: the status bar, find and replace.
#include "app/find_replace_dlg.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void statusBarShowsIdleTextAndLockIndicators() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        CMiretoView& view = harness.view();
        QCOMPARE(frame.idleLabel()->text(), u("ﾚﾃﾞｨ"));
        QStringList names;
        for (QLabel* label : frame.indicatorLabels())
            names.append(label->property("indicatorText").toString());
        QCOMPARE(names, (QStringList{u("ｶﾅ"), u("CAP"), u("NUM"), u("SCRL")}));
        QLabel* caps = frame.indicatorLabels()[1];
        QCOMPARE(caps->text(), QString());

        view.setFocus();
        QTest::keyClick(&view, Qt::Key_A, Qt::NoModifier);
        QCOMPARE(caps->text(), QString());
        QTest::sendKeyEvent(QTest::Click, &view, Qt::Key_A, QStringLiteral("A"), Qt::NoModifier);
        QCOMPARE(caps->text(), u("CAP"));
        QTest::keyClick(&view, Qt::Key_CapsLock);
        QCOMPARE(caps->text(), QString());
        QTest::sendKeyEvent(QTest::Click, &view, Qt::Key_5, QStringLiteral("5"),
                            Qt::KeypadModifier);
        QCOMPARE(frame.indicatorLabels()[2]->text(), u("NUM"));
    }

    void findAndReplaceWorkOnTheText() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMiretoView& view = harness.view();
        view.setPlainText(u("猫と犬と猫と犬"));
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
        auto* dialog = view.findChild<CFindReplaceDlg*>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), u("検索"));
        const auto field = [&](const char* name) {
            return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        const auto click = [&](const char* name) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)),
                              Qt::LeftButton);
        };
        field("findWhat")->setText(u("犬"));
        // The third search wraps around to the start.
        for (int expected : {2, 6, 2}) {
            click("findNext");
            QCOMPARE(view.textCursor().selectionStart(), expected);
        }

        view.setFocus();
        QTest::keyClick(&view, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(dialog->windowTitle(), u("置換"));
        QCOMPARE(field("findWhat")->text(), u("犬"));
        field("replaceWith")->setText(u("鳥"));
        click("replace");
        QCOMPARE(view.GetEditorText(), u("猫と鳥と猫と犬"));
        field("findWhat")->setText(u("猫"));
        click("replaceAll");
        QCOMPARE(view.GetEditorText(), u("鳥と鳥と鳥と犬"));
        view.undo();
        QCOMPARE(view.GetEditorText(), u("猫と鳥と猫と犬"));

        // Matching case, and replacing all without it.
        view.setPlainText(u("Abc abc"));
        QVERIFY(view.FindText(u("abc"), true, true));
        QCOMPARE(view.textCursor().selectionStart(), 4);
        QVERIFY(!view.FindText(u("ABC"), true, true));
        QVERIFY(view.FindText(u("ABC"), true, false));
        QCOMPARE(view.ReplaceAll(u("abc"), u("x"), false), 2);
        QCOMPARE(view.GetEditorText(), u("x x"));
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
