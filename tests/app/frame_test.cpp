// The frame's texts and small behaviours: menus, prompts, tool tips, accelerators,
// toolbar, status bar, find and replace, the about box.
#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/find_replace_dlg.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// A menu's items as text, "-" for a separator.
QStringList itemsOf(QMenu* menu) {
    QStringList items;
    for (QAction* item : menu->actions()) {
        if (item->isVisible())
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return items;
}

CFindReplaceDlg* findDialog(CMiretoView& view) {
    return view.findChild<CFindReplaceDlg*>();
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void menusCarryTheirTexts() {
        AppHarness harness;
        QVERIFY(harness.start());
        QStringList titles;
        QList<QStringList> items;
        for (QAction* menu : harness.frame().menuBar()->actions()) {
            titles.append(menu->text());
            items.append(itemsOf(menu->menu()));
        }
        QCOMPARE(titles, (QStringList{u("ﾌｧｲﾙ(&F)"), u("編集(&E)"), u("書式"), u("設定"),
                                      u("テンプレート作成"), u("通信語変換"), u("表示(&V)"),
                                      u("ﾍﾙﾌﾟ(&H)")}));
        QCOMPARE(items[0], (QStringList{u("新規作成(&N)\tCtrl+N"), u("開く(&O)...\tCtrl+O"),
                                        u("上書き保存(&S)\tCtrl+S"), u("名前を付けて保存(&A)..."),
                                        u("-"), u("印刷(&P)...\tCtrl+P"), u("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"),
                                        u("ﾌﾟﾘﾝﾀの設定(&R)..."), u("-"), u("最近使ったﾌｧｲﾙ"),
                                        u("-"), u("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}));
        QCOMPARE(items[1],
                 (QStringList{u("元に戻す(&U)\tCtrl+Z"), u("-"), u("切り取り(&T)\tCtrl+X"),
                              u("ｺﾋﾟｰ(&C)\tCtrl+C"), u("貼り付け(&P)\tCtrl+V"), u("削除(&D)\tDel"),
                              u("-"), u("検索(&F)\tCtrl+F"), u("置換(&R)\tCtrl+H"), u("-"),
                              u("全て選択(&A)\tCtrl+A")}));
        QCOMPARE(items[2], QStringList{u("フォント(&F)")});
        QCOMPARE(items[3], (QStringList{u("全体テンプレート設定"), u("-"), u("置換設定"),
                                        u("語尾変換設定"), u("HTML設定")}));
        QCOMPARE(items[4], (QStringList{u("テンプレート"), u("-"), u("置換"), u("語尾変換")}));
        QCOMPARE(items[5], QStringList{u("GO!!")});
        QCOMPARE(items[6], (QStringList{u("ﾂｰﾙ ﾊﾞｰ(&T)"), u("ｽﾃｰﾀｽ ﾊﾞｰ(&S)")}));
        QCOMPARE(items[7], QStringList{u("Mireto のﾊﾞｰｼﾞｮﾝ情報(&A)...")});
    }

    void commandsCarryTheirPromptsAndKeys() {
        AppHarness harness;
        QVERIFY(harness.start());
        const CMainFrame& frame = harness.frame();
        QCOMPARE(frame.action(cmd::kFileNew)->statusTip(), u("新規にﾌｧｲﾙを作成"));
        QCOMPARE(frame.action(cmd::kFileNew)->toolTip(), u("新規ﾌｧｲﾙ"));
        QCOMPARE(frame.action(cmd::kGo)->statusTip(), u("通信語に変換"));
        QCOMPARE(frame.action(cmd::kFormatFont)->statusTip(), u("フォントを指定"));
        QCOMPARE(frame.action(cmd::kAppAbout)->toolTip(), u("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(frame.action(cmd::kSaveOverallTemplate)->statusTip(),
                 u("全体テンプレートの設定を保存"));
        QCOMPARE(frame.action(cmd::kEditFind)->shortcut(), QKeySequence(u("Ctrl+F")));
        QCOMPARE(frame.action(cmd::kEditReplace)->shortcut(), QKeySequence(u("Ctrl+H")));
        QCOMPARE(
            frame.action(cmd::kEditUndo)->shortcuts(),
            (QList<QKeySequence>{QKeySequence(u("Ctrl+Z")), QKeySequence(u("Alt+Backspace"))}));
        QCOMPARE(frame.action(cmd::kEditPaste)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(u("Ctrl+V")), QKeySequence(u("Shift+Ins"))}));
    }

    void toolbarHoldsItsButtonsInOrder() {
        AppHarness harness;
        QVERIFY(harness.start());
        QList<QAction*> expected;
        for (int id :
             {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, cmd::kEditUndo, cmd::kEditCut,
              cmd::kEditCopy, cmd::kEditPaste, 0, cmd::kFilePrint, 0, cmd::kGo, 0, cmd::kAppAbout})
            expected.append(id ? harness.frame().action(id) : nullptr);
        const QList<QAction*> actual = harness.frame().toolBar()->actions();
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i) {
            if (expected[i])
                QCOMPARE(actual[i], expected[i]);
            else
                QVERIFY(actual[i]->isSeparator());
            if (expected[i])
                QVERIFY(!actual[i]->icon().isNull());
        }
    }

    void statusBarShowsIdleTextAndLockIndicators() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMainFrame& frame = harness.frame();
        QCOMPARE(frame.idleLabel()->text(), u("ﾚﾃﾞｨ"));
        QStringList names;
        for (QLabel* label : frame.indicatorLabels())
            names.append(label->property("indicatorText").toString());
        QCOMPARE(names, (QStringList{u("ｶﾅ"), u("CAP"), u("NUM"), u("SCRL")}));
        QLabel* caps = frame.indicatorLabels()[1];
        QCOMPARE(caps->text(), QString());

        harness.view().setFocus();
        QTest::keyClick(&harness.view(), Qt::Key_A, Qt::NoModifier);
        QCOMPARE(caps->text(), QString());
        QTest::sendKeyEvent(QTest::Click, &harness.view(), Qt::Key_A, QStringLiteral("A"),
                            Qt::NoModifier);
        QCOMPARE(caps->text(), u("CAP"));
        QTest::keyClick(&harness.view(), Qt::Key_CapsLock);
        QCOMPARE(caps->text(), QString());
        QTest::sendKeyEvent(QTest::Click, &harness.view(), Qt::Key_5, QStringLiteral("5"),
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
        CFindReplaceDlg* dialog = findDialog(view);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), u("検索"));
        auto* what = dialog->findChild<QLineEdit*>(QStringLiteral("findWhat"));
        auto* findNext = dialog->findChild<QPushButton*>(QStringLiteral("findNext"));
        what->setText(u("犬"));
        QTest::mouseClick(findNext, Qt::LeftButton);
        QCOMPARE(view.textCursor().selectionStart(), 2);
        QTest::mouseClick(findNext, Qt::LeftButton);
        QCOMPARE(view.textCursor().selectionStart(), 6);
        // The search wraps around to the start.
        QTest::mouseClick(findNext, Qt::LeftButton);
        QCOMPARE(view.textCursor().selectionStart(), 2);

        view.setFocus();
        QTest::keyClick(&view, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(dialog->windowTitle(), u("置換"));
        QCOMPARE(what->text(), u("犬"));
        dialog->findChild<QLineEdit*>(QStringLiteral("replaceWith"))->setText(u("鳥"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("replace")),
                          Qt::LeftButton);
        QCOMPARE(view.GetEditorText(), u("猫と鳥と猫と犬"));
        what->setText(u("猫"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("replaceAll")),
                          Qt::LeftButton);
        QCOMPARE(view.GetEditorText(), u("鳥と鳥と鳥と犬"));
        view.undo();
        QCOMPARE(view.GetEditorText(), u("猫と鳥と猫と犬"));
    }

    void findHonoursCase() {
        AppHarness harness;
        QVERIFY(harness.start());
        CMiretoView& view = harness.view();
        view.setPlainText(u("Abc abc"));
        QVERIFY(view.FindText(u("abc"), true, true));
        QCOMPARE(view.textCursor().selectionStart(), 4);
        QVERIFY(!view.FindText(u("ABC"), true, true));
        QVERIFY(view.FindText(u("ABC"), true, false));
        QCOMPARE(view.ReplaceAll(u("abc"), u("x"), false), 2);
        QCOMPARE(view.GetEditorText(), u("x x"));
    }

    void editorWrapsWithoutSidewaysScrolling() {
        AppHarness harness;
        QVERIFY(harness.start());
        QCOMPARE(harness.view().lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(harness.view().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // The starting choice of the font dialog; the editor keeps its default font.
        QCOMPARE(harness.view().editorFont().pixelSize(), 14);
        QCOMPARE(harness.view().editorFont().weight(), QFont::DemiBold);
        QVERIFY(harness.view().font() != harness.view().editorFont());
    }

    void aboutBoxShowsNameAndVersion() {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), u("ソルネ壱号のﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("versionText"))->text(),
                 u("ソルネ壱号\n Version 1.00"));
        auto* ok = about.findChild<QPushButton*>();
        QCOMPARE(ok->text(), u("OK"));
        QVERIFY(ok->isDefault());
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
