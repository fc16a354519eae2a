// Documents through the program: opening from the command line, by the menu and by
// dropping, saving byte for byte, the questions before text is lost, recent files.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

void trigger(AppHarness& harness, int command) {
    harness.frame().action(command)->trigger();
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fileOnTheCommandLineOpensAndSavesByteForByte() {
        AppHarness harness;
        const auto file = harness.folder() / "note.txt";
        const std::string bytes = sjis("ｶﾀｶﾅと①と～。\r\n二行目\r\n");
        writeFile(file, bytes);
        QVERIFY(harness.start({qtPath(file)}));
        QCOMPARE(harness.view().GetEditorText(), u("ｶﾀｶﾅと①と～。\n二行目\n"));
        QCOMPARE(harness.frame().windowTitle(), u("note.txt - ソルネ壱号"));
        QCOMPARE(harness.frame().encodingLabel()->text(), u("Shift_JIS"));
        writeFile(file, "changed behind our back");
        trigger(harness, cmd::kFileSave);
        QCOMPARE(readFile(file), bytes);
    }

    void utf8FilesStayUtf8() {
        AppHarness harness;
        const auto file = harness.folder() / "utf8.txt";
        writeFile(file, "日本語 ✓\n");
        QVERIFY(harness.start({qtPath(file)}));
        QVERIFY(harness.messages.size() == 1); // only the missing Mireto.ini
        QCOMPARE(harness.frame().encodingLabel()->text(), u("UTF-8"));
        harness.view().moveCursor(QTextCursor::End);
        harness.view().insertPlainText(u("🍣"));
        trigger(harness, cmd::kFileSave);
        QCOMPARE(readFile(file), std::string("日本語 ✓\n🍣"));
    }

    void undecodableBytesAreWarnedAbout() {
        AppHarness harness;
        QVERIFY(harness.start());
        harness.messages.clear();
        const auto file = harness.folder() / "broken.txt";
        writeFile(file, "ab\x81\x20\xFF");
        QVERIFY(harness.app().OpenDocumentFile(qtPath(file)));
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QVERIFY(harness.messages[0].request.icon == MessageIcon::Warning);
        QVERIFY(harness.messages[0].request.text.contains(u("broken.txt")));
    }

    void unsavableCharactersAskBeforeSaving() {
        AppHarness harness;
        QVERIFY(harness.start());
        harness.messages.clear();
        const auto file = harness.folder() / "sushi.txt";
        harness.view().insertPlainText(u("寿司🍣"));
        harness.nextFileChoice = qtPath(file);

        harness.answers = {MessageAnswer::No};
        trigger(harness, cmd::kFileSaveAs);
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QVERIFY(harness.messages[0].request.buttons == MessageButtons::YesNo);
        QVERIFY(harness.messages[0].request.text.contains(u("UTF-8")));
        QVERIFY(!std::filesystem::exists(file));
        QVERIFY(harness.document().IsModified());

        harness.answers = {MessageAnswer::Yes};
        trigger(harness, cmd::kFileSaveAs);
        QCOMPARE(readFile(file), std::string("寿司🍣"));
        QCOMPARE(harness.frame().encodingLabel()->text(), u("UTF-8"));
        QVERIFY(!harness.document().IsModified());
    }

    void unsavedChangesAreAskedAbout() {
        AppHarness harness;
        QVERIFY(harness.start());
        harness.choose(cmd::kComboFormat, u("標準的"));
        typeInto(&harness.view(), u("下書き"));
        harness.messages.clear();

        harness.answers = {MessageAnswer::Cancel};
        trigger(harness, cmd::kFileNew);
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QCOMPARE(harness.messages[0].request.text, u("無題 への変更を保存しますか?"));
        QVERIFY(harness.messages[0].request.buttons == MessageButtons::YesNoCancel);
        QCOMPARE(harness.view().GetEditorText(), u("下書き"));

        harness.answers = {MessageAnswer::No};
        trigger(harness, cmd::kFileNew);
        QCOMPARE(harness.view().GetEditorText(), QString());
        // The view's settings stay as they were.
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), u("標準的"));

        typeInto(&harness.view(), u("もう一度"));
        harness.answers = {MessageAnswer::Cancel};
        QVERIFY(!harness.close());
        QVERIFY(!std::filesystem::exists(harness.settingsFile()));
        harness.answers = {MessageAnswer::No};
        QVERIFY(harness.close());
        QVERIFY(std::filesystem::exists(harness.settingsFile()));
    }

    void missingFileOnTheCommandLineEndsTheStart() {
        AppHarness harness;
        QVERIFY(!harness.start({qtPath(harness.folder() / "nowhere.txt")}));
        QCOMPARE(harness.app().exitStatus(), 1);
        QVERIFY(harness.messages.back().request.text.contains(u("nowhere.txt")));
    }

    void droppedFilesOpen() {
        AppHarness harness;
        QVERIFY(harness.start());
        const auto file = harness.folder() / "dropped.txt";
        writeFile(file, sjis("落とした"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(qtPath(file))});
        QWidget* target = harness.view().viewport();
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(harness.view().GetEditorText(), u("落とした"));
        QCOMPARE(harness.document().GetPathName(), qtPath(file));
    }

    void recentFilesKeepTheLastFour() {
        AppHarness harness;
        QVERIFY(harness.start());
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            const auto file = harness.folder() / ("file" + std::to_string(i) + ".txt");
            writeFile(file, "x");
            paths.prepend(qtPath(file));
            harness.nextFileChoice = qtPath(file);
            trigger(harness, cmd::kFileOpen);
        }
        QCOMPARE(harness.app().recentFiles().files(), paths.mid(0, 4));

        QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                         u("Local AppWizard-Generated Applications"), u("ソルネ壱号"));
        QVERIFY(stored.fileName().startsWith(qtPath(harness.folder() / "config")));
        QCOMPARE(stored.value(u("Recent File List/File1")).toString(), paths[0]);
        QCOMPARE(stored.value(u("Recent File List/File4")).toString(), paths[3]);
        QVERIFY(!stored.contains(u("Recent File List/File5")));
        QVERIFY(harness.close());

        AppHarness again;
        again.services.paths = harness.services.paths;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           qtPath(harness.folder() / "config"));
        QVERIFY(again.start());
        QCOMPARE(again.app().recentFiles().files(), paths.mid(0, 4));
        QStringList entries;
        for (QAction* item : again.frame().menuBar()->actions().first()->menu()->actions()) {
            if (item->text().startsWith(QLatin1Char('&')) && item->isVisible())
                entries.append(item->text());
        }
        QCOMPARE(entries.first(), u("&1 ") + paths[0]);
        QCOMPARE(entries.size(), 4);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
