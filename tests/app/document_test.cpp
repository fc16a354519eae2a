// Documents through the program: opening from the command line, by the menu and by
// dropping, saving byte for byte, the questions before text is lost, recent files, and
// the file choosers' handling of a name typed without an extension.
#include "app/command_ids.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTextCursor>
#include <QWindow>
#include <QtTest>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace mireto;
using namespace mireto::test;

class DocumentTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    std::filesystem::path fileWith(const std::string& name, const std::string& bytes) {
        const auto file = h->folder() / name;
        writeFile(file, bytes);
        return file;
    }

    void trigger(int command) { h->frame().action(command)->trigger(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void fileOnTheCommandLineOpensAndSavesByteForByte() {
        const std::string bytes = sjis("ｶﾀｶﾅと①と～。\r\n二行目\r\n");
        const auto file = fileWith("note.txt", bytes);
        QVERIFY(h->start({qtPath(file)}));
        QCOMPARE(h->view().GetEditorText(), u("ｶﾀｶﾅと①と～。\n二行目\n"));
        QCOMPARE(h->frame().windowHandle()->title(), u("note.txt - ソルネ壱号"));
        QCOMPARE(h->frame().encodingLabel()->text(), u("Shift_JIS"));
        writeFile(file, "changed behind our back");
        // Saving over what another program wrote asks first.
        h->answers = {MessageAnswer::Yes};
        trigger(cmd::kFileSave);
        QVERIFY(h->messages.back().request.text.contains(u("ほかのプログラムで変更")));
        QCOMPARE(readFile(file), bytes);
    }

    void savingThroughALinkWritesTheFileItNames() {
        std::filesystem::create_directory(h->folder() / "real");
        const auto real = fileWith("real/memo.txt", "old\r\n");
        std::filesystem::create_symlink(real, h->folder() / "memo.txt");
        std::filesystem::create_hard_link(real, h->folder() / "other-name.txt");
        QVERIFY(h->start({qtPath(h->folder() / "memo.txt")}));
        h->view().moveCursor(QTextCursor::End);
        h->view().insertPlainText(u("new"));
        trigger(cmd::kFileSave);
        QCOMPARE(readFile(real), std::string("old\r\nnew"));
        QCOMPARE(readFile(h->folder() / "other-name.txt"), std::string("old\r\nnew"));
        QVERIFY(std::filesystem::is_symlink(h->folder() / "memo.txt"));
    }

    void aSaveThatFailsSaysWhyInTheUsersWords() {
        const auto file = fileWith("protected.txt", "old");
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        QVERIFY(h->start({qtPath(file)}));
        h->messages.clear();
        h->view().insertPlainText(u("new"));
        trigger(cmd::kFileSave);
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("%1 を保存できません（書き込む権限がありません）。").arg(qtPath(file)));
        QCOMPARE(readFile(file), std::string("old"));
        QVERIFY(h->document().IsModified());
    }

    void aFolderThatTakesNoNewFileStillSavesTheFileInIt() {
        const auto folder = h->folder() / "locked";
        std::filesystem::create_directory(folder);
        const auto file = folder / "memo.txt";
        writeFile(file, "old\r\n");
        QVERIFY(h->start({qtPath(file)}));
        // Undone whatever the checks find, so that the folder can go.
        struct Unlock {
            std::filesystem::path folder, file;
            ~Unlock() {
                setImmutable(file, false);
                setImmutable(folder, false);
                std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            }
        } unlock{folder, file};
        std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
        if (::access(folder.c_str(), W_OK) == 0 && !setImmutable(folder, true))
            QSKIP("no way to keep this user from making files here");

        h->view().moveCursor(QTextCursor::End);
        h->view().insertPlainText(u("new"));
        h->messages.clear();
        trigger(cmd::kFileSave);
        QVERIFY(h->messages.empty());
        QCOMPARE(readFile(file), std::string("old\r\nnew"));
        QVERIFY(!h->document().IsModified());
        const auto spare = h->services.paths.spareFolder;
        QVERIFY(std::filesystem::is_empty(spare)); // the copy made first is gone

        // When the file takes no writing either, the text waits in the copy, and the
        // message says where.
        if (!setImmutable(file, true))
            QSKIP("no way to keep this user from writing a file");
        h->view().insertPlainText(u("!"));
        trigger(cmd::kFileSave);
        QCOMPARE(readFile(file), std::string("old\r\nnew"));
        QVERIFY(h->document().IsModified());
        const auto copies = std::filesystem::directory_iterator(spare);
        QVERIFY(copies != std::filesystem::directory_iterator());
        const std::filesystem::path copy = copies->path();
        QCOMPARE(readFile(copy), std::string("old\r\nnew!"));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("%1 を保存できません（書き込む権限がありません）。\n"
                   "保存しようとした内容は %2 に残してあります。")
                     .arg(qtPath(file), qtPath(copy)));
    }

    void utf8FilesStayUtf8() {
        const auto file = fileWith("utf8.txt", "日本語 ✓\n");
        QVERIFY(h->start({qtPath(file)}));
        QVERIFY(h->messages.size() == 1); // only the missing Mireto.ini
        QCOMPARE(h->frame().encodingLabel()->text(), u("UTF-8"));
        h->view().moveCursor(QTextCursor::End);
        h->view().insertPlainText(u("🍣"));
        trigger(cmd::kFileSave);
        QCOMPARE(readFile(file), std::string("日本語 ✓\n🍣"));
    }

    void lineAndParagraphSeparatorsAreNotSavedAsLineBreaks() {
        // U+2028 is a character of the text, shown as a break; it goes back as itself.
        const std::string bytes = "a\u2028b\nc\n";
        const auto file = fileWith("separators.txt", bytes);
        QVERIFY(h->start({qtPath(file)}));
        QVERIFY(h->messages.size() == 1); // only the missing Mireto.ini
        h->view().moveCursor(QTextCursor::End);
        h->view().insertPlainText(u("d"));
        trigger(cmd::kFileSave);
        QCOMPARE(readFile(file), bytes + "d");

        // U+2029 the editor can hold only as the break between two lines: said at opening.
        h->messages.clear();
        QVERIFY(h->app().OpenDocumentFile(qtPath(fileWith("paragraph.txt", "a\u2029b\n"))));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->messages[0].request.text.contains(u("U+2029")));
    }

    void shiftEnterBreaksTheLineAsEnterDoes() {
        QVERIFY(h->start());
        h->messages.clear();
        h->view().setFocus();
        typeInto(&h->view(), u("上"));
        QTest::keyClick(&h->view(), Qt::Key_Return, Qt::ShiftModifier);
        typeInto(&h->view(), u("下"));
        QCOMPARE(h->view().GetEditorText(), u("上\n下"));
        const auto file = h->folder() / "lines.txt";
        h->nextFileChoice = qtPath(file);
        trigger(cmd::kFileSaveAs);
        QVERIFY(h->messages.empty()); // no question about UTF-8
        QCOMPARE(readFile(file), sjis("上\r\n下"));
    }

    void undecodableBytesAreWarnedAbout() {
        QVERIFY(h->start());
        h->messages.clear();
        QVERIFY(h->app().OpenDocumentFile(qtPath(fileWith("broken.txt", "ab\x81\x20\xFF"))));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->messages[0].request.icon == MessageIcon::Warning);
        QVERIFY(h->messages[0].request.text.contains(u("broken.txt")));
    }

    void unsavableCharactersAskBeforeSaving() {
        QVERIFY(h->start());
        h->messages.clear();
        const auto file = h->folder() / "sushi.txt";
        h->view().insertPlainText(u("寿司🍣"));
        h->nextFileChoice = qtPath(file);

        h->answers = {MessageAnswer::No};
        trigger(cmd::kFileSaveAs);
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->messages[0].request.buttons == MessageButtons::YesNo);
        QVERIFY(h->messages[0].request.text.contains(u("UTF-8")));
        QVERIFY(!std::filesystem::exists(file));
        QVERIFY(h->document().IsModified());

        h->answers = {MessageAnswer::Yes};
        trigger(cmd::kFileSaveAs);
        QCOMPARE(readFile(file), std::string("寿司🍣"));
        QCOMPARE(h->frame().encodingLabel()->text(), u("UTF-8"));
        QVERIFY(!h->document().IsModified());
    }

    void unsavedChangesAreAskedAbout() {
        QVERIFY(h->start());
        h->choose(cmd::kComboFormat, u("標準的"));
        typeInto(&h->view(), u("下書き"));
        h->messages.clear();

        h->answers = {MessageAnswer::Cancel};
        trigger(cmd::kFileNew);
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text, u("無題 への変更を保存しますか?"));
        QVERIFY(h->messages[0].request.buttons == MessageButtons::YesNoCancel);
        QCOMPARE(h->view().GetEditorText(), u("下書き"));

        h->answers = {MessageAnswer::No};
        trigger(cmd::kFileNew);
        QCOMPARE(h->view().GetEditorText(), QString());
        QCOMPARE(h->combo(cmd::kComboFormat).currentText(), u("標準的"));

        typeInto(&h->view(), u("もう一度"));
        // The panel's choice is in the file already; a close that goes ahead writes it again.
        std::filesystem::remove(h->settingsFile());
        h->answers = {MessageAnswer::Cancel};
        QVERIFY(!h->close());
        QVERIFY(!std::filesystem::exists(h->settingsFile()));
        h->answers = {MessageAnswer::No};
        QVERIFY(h->close());
        QVERIFY(std::filesystem::exists(h->settingsFile()));
    }

    void missingFileOnTheCommandLineEndsTheStart() {
        QVERIFY(!h->start({qtPath(h->folder() / "nowhere.txt")}));
        QCOMPARE(h->app().exitStatus(), 1);
        QVERIFY(h->messages.back().request.text.contains(u("nowhere.txt")));
    }

    void onlyRegularFilesOfBoundedSizeOpen_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("folder") << "folder" << u("フォルダーです");
        QTest::newRow("fifo without a writer") << "fifo" << u("普通のファイルではありません");
        QTest::newRow("endless device") << "device" << u("普通のファイルではありません");
        QTest::newRow("over the limit") << "large" << u("256 MiB より大きいファイルです");
    }
    void onlyRegularFilesOfBoundedSizeOpen() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        const TempDir outside;
        std::filesystem::path path = outside / "input";
        if (kind == "folder") {
            std::filesystem::create_directory(path);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else {
            // Sparse: the size says it all, nothing is read.
            writeFile(path, "x");
            std::filesystem::resize_file(path, CMiretoDoc::kMaxDocumentBytes + 1);
        }
        // On the command line the start ends; with the window open, Open keeps the text.
        QVERIFY(!h->start({qtPath(path)}));
        QCOMPARE(h->app().exitStatus(), 1);
        QCOMPARE(h->messages.back().request.text,
                 u("%1 を開けません。\n（%2）").arg(qtPath(path), says));
        h.emplace();
        QVERIFY(h->start());
        h->view().SetEditorText(u("残る"));
        h->answers = {MessageAnswer::No};
        QVERIFY(!h->app().OpenDocumentFile(qtPath(path)));
        QCOMPARE(h->view().GetEditorText(), u("残る"));
        QVERIFY(h->messages.back().request.text.contains(says));
    }

    void aFileChangedOnDiskIsReadAgainWhenNothingIsUnsaved() {
        const auto file = fileWith("shared.txt", sjis("最初"));
        QVERIFY(h->start({qtPath(file)}));
        h->messages.clear();
        // Rewritten in place, then replaced by a new file, as programs save.
        writeFile(file, sjis("二度目"));
        QTRY_COMPARE(h->view().GetEditorText(), u("二度目"));
        writeFile(h->folder() / "new.txt", sjis("三度目"));
        std::filesystem::rename(h->folder() / "new.txt", file);
        QTRY_COMPARE(h->view().GetEditorText(), u("三度目"));
        QVERIFY(!h->document().IsModified());
        // Touched, the same bytes: nothing happens.
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now());
        QTest::qWait(500);
        QVERIFY2(h->messages.empty(), qPrintable(h->messages.front().request.text));
    }

    void aFileChangedOnDiskUnderUnsavedChangesAsksAndSavingOverItAsks() {
        const auto file = fileWith("shared.txt", sjis("最初"));
        QVERIFY(h->start({qtPath(file)}));
        h->messages.clear();
        h->view().moveCursor(QTextCursor::End);
        typeInto(&h->view(), u("と追記"));
        writeFile(file, sjis("ほかのプログラム"));
        QTRY_COMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(h->messages[0].request.text.contains(
            u("shared.txt がほかのプログラムで変更されました")));
        // No (the default answer): the typed text stays.
        QCOMPARE(h->view().GetEditorText(), u("最初と追記"));

        h->answers = {MessageAnswer::No};
        QVERIFY(!h->document().DoFileSave());
        QCOMPARE(h->messages.size(), std::size_t{2});
        QVERIFY(h->messages[1].request.text.contains(u("読み込んだ後にほかのプログラムで変更")));
        QCOMPARE(readFile(file), sjis("ほかのプログラム"));
        h->answers = {MessageAnswer::Yes};
        QVERIFY(h->document().DoFileSave());
        QCOMPARE(readFile(file), sjis("最初と追記"));
        // Saved, the file is the editor's again: no more questions.
        QTest::qWait(500);
        QVERIFY(h->document().DoFileSave());
        QCOMPARE(h->messages.size(), std::size_t{3});

        // Yes to reading again takes the other program's text.
        typeInto(&h->view(), u("！"));
        writeFile(file, sjis("また別の"));
        h->answers = {MessageAnswer::Yes};
        QTRY_COMPARE(h->view().GetEditorText(), u("また別の"));
        QVERIFY(!h->document().IsModified());
    }

    void droppedFilesOpen() {
        QVERIFY(h->start());
        const auto file = fileWith("dropped.txt", sjis("落とした"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(qtPath(file))});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h->view().viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h->view().viewport(), &drop);
        QCOMPARE(h->view().GetEditorText(), u("落とした"));
        QCOMPARE(h->document().GetPathName(), qtPath(file));
    }

    void recentFilesKeepTheLastFour() {
        QVERIFY(h->start());
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths.prepend(qtPath(fileWith("file" + std::to_string(i) + ".txt", "x")));
            h->nextFileChoice = paths.first();
            trigger(cmd::kFileOpen);
        }
        QCOMPARE(h->app().recentFiles().files(), paths.mid(0, 4));

        QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                         u("Local AppWizard-Generated Applications"), u("ソルネ壱号"));
        QVERIFY(stored.fileName().startsWith(qtPath(h->folder() / "config")));
        QCOMPARE(stored.value(u("Recent File List/File1")).toString(), paths[0]);
        QCOMPARE(stored.value(u("Recent File List/File4")).toString(), paths[3]);
        QVERIFY(!stored.contains(u("Recent File List/File5")));
        QVERIFY(h->close());

        AppHarness again;
        again.services.paths = h->services.paths;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           qtPath(h->folder() / "config"));
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

    void aRecentPathWithAnAmpersandShowsAsItIs() {
        QVERIFY(h->start());
        const QString path = qtPath(fileWith("salt&pepper.txt", "x"));
        h->nextFileChoice = path;
        trigger(cmd::kFileOpen);
        const QList<QAction*> items = h->frame().menuBar()->actions().first()->menu()->actions();
        const auto entry = std::find_if(items.begin(), items.end(), [](const QAction* item) {
            return item->text().startsWith(u("&1 "));
        });
        QVERIFY(entry != items.end());
        // What the menu shows: the number, the mnemonic, and the path unchanged.
        QCOMPARE((*entry)->iconText(), u("1 ") + path);
        QCOMPARE((*entry)->shortcut(), QKeySequence());
        QSignalSpy chosen(&h->frame(), &CMainFrame::recentFileChosen);
        (*entry)->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toString(), path);
    }

    void onlySavingAddsTxtToANameWithoutAnExtension() {
        const QString folder = qtPath(h->folder());
        writeFile(h->folder() / "notes", "a file without an extension");
        for (const bool save : {false, true}) {
            QFileDialog chooser(nullptr, QString(), folder);
            prepareFileDialog(chooser, save);
            chooser.selectFile(u("notes"));
            QCOMPARE(chooser.selectedFiles(),
                     QStringList{folder + (save ? u("/notes.txt") : u("/notes"))});
        }
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
