// Unsaved text that outlives the editor: the copy written after typing pauses, offered
// back byte for byte after kill -9, kept by a quit signal that then asks nothing, and
// gone once the text is saved or let go.
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/quit_signals.h"
#include "app/recovery_copy.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <string_view>

using namespace mireto;
using namespace mireto::test;

namespace {

// Two lines, a character Shift_JIS lacks, a no-break space, a line separator and no
// line end at the end: all of it must come back as it was.
const QString kTyped = QString::fromUtf8("下書きです。\n寿司🍣\u00A0と\u2028続き");

QString copyPath(const AppHarness& h) {
    return RecoveryCopy(h.services.recoveryFolder,
                        QString::fromStdString(h.settingsFile().string()))
        .filePath();
}

// The child side: types into a new document, waits for its copy, says where its files
// are, then runs as the program does, quit signals and all.
int typeThenRun(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    auto* h = new AppHarness; // left to the kill
    writeSettings(h->settingsFile(), rabbitSelection());
    QuitSignals quitSignals;
    if (!h->start())
        return 2;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &h->app(),
                     &CMiretoApp::OnQuitRequest);
    h->view().setFocus();
    typeInto(&h->view(), kTyped.left(3));
    h->view().insertPlainText(kTyped.mid(3));
    if (!QTest::qWaitFor([&] { return QFileInfo::exists(copyPath(*h)); }, 20000))
        return 3;
    std::printf("%s\ntyped\n", h->folder().c_str());
    std::fflush(stdout);
    const int status = QApplication::exec();
    std::printf("asked %zu\n", h->messages.size());
    std::fflush(stdout);
    return status;
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    // Starts the child, which types; returns its folder once its copy is written.
    std::filesystem::path startTypingChild(QProcess& child) {
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--type-then-run"), QStringLiteral("-platform"),
                     QStringLiteral("offscreen")});
        if (!child.waitForStarted())
            return {};
        QByteArray said;
        if (!QTest::qWaitFor(
                [&] {
                    said += child.readAllStandardOutput();
                    return said.contains("typed\n");
                },
                40000))
            return {};
        return said.left(said.indexOf('\n')).toStdString();
    }

    // A harness on the files of the child's folder, as its next start finds them.
    static void useChildFolder(AppHarness& h, const std::filesystem::path& folder) {
        h.services.paths.settingsFile = folder / "program" / "Mireto.ini";
        h.services.paths.pageFile = folder / "program" / "tmp.html";
        h.services.recoveryFolder = QString::fromStdString((folder / "state" / "mireto").string());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void afterKill9TheTypedTextIsOfferedBackByteForByte() {
        QProcess child;
        const std::filesystem::path folder = startTypingChild(child);
        QVERIFY(!folder.empty());
        child.kill();
        QVERIFY(child.waitForFinished());

        AppHarness h;
        useChildFolder(h, folder);
        const QDateTime written = QFileInfo(copyPath(h)).lastModified();
        h.answers = {MessageAnswer::Yes};
        QVERIFY(h.start());
        QCOMPARE(h.messages.size(), std::size_t{1});
        h.answers = {MessageAnswer::Yes}; // UTF-8, for the sushi
        const QString question = h.messages[0].request.text;
        QVERIFY(question.contains(u("無題")));
        QVERIFY(question.contains(written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))));
        QCOMPARE(h.view().GetEditorText().toUtf8(), kTyped.toUtf8());
        QVERIFY(h.document().IsModified());

        // Saved, the copy goes.
        h.nextFileChoice = QString::fromStdString((h.folder() / "kept.txt").string());
        QVERIFY(h.document().DoFileSave());
        QVERIFY(!QFileInfo::exists(copyPath(h)));
        std::filesystem::remove_all(folder);
    }

    void aQuitSignalWithUnsavedTextEndsWithoutAskingAndKeepsTheText() {
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            QProcess child;
            const std::filesystem::path folder = startTypingChild(child);
            QVERIFY(!folder.empty());
            ::kill(static_cast<pid_t>(child.processId()), number);
            QVERIFY2(child.waitForFinished(20000), strsignal(number));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
            QVERIFY(child.readAllStandardOutput().contains("asked 0\n"));

            AppHarness h;
            useChildFolder(h, folder);
            const auto kept = RecoveryCopy(h.services.recoveryFolder,
                                           QString::fromStdString(h.settingsFile().string()))
                                  .find();
            QVERIFY(kept);
            QCOMPARE(kept->text, kTyped);
            std::filesystem::remove_all(folder);
        }
    }

    void aDeclinedOfferOrAnUnsavedCloseLetsTheTextGo() {
        AppHarness h;
        writeSettings(h.settingsFile(), rabbitSelection());
        QVERIFY(h.start());
        h.view().SetEditorText(u("捨てる"));
        h.view().document()->setModified(true);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(copyPath(h)), 20000);
        h.answers = {MessageAnswer::No};
        QVERIFY(h.close());
        QVERIFY(!QFileInfo::exists(copyPath(h)));

        // A copy left behind, declined at the next start, goes too.
        QDir().mkpath(h.services.recoveryFolder);
        writeFile(copyPath(h).toStdString(), "mireto recovery 1\n/gone/note.txt\n\nold");
        AppHarness next;
        next.useFilesOf(h);
        next.services.recoveryFolder = h.services.recoveryFolder;
        next.answers = {MessageAnswer::No};
        QVERIFY(next.start());
        QVERIFY(next.messages.at(0).request.text.contains(u("note.txt")));
        QCOMPARE(next.view().GetEditorText(), QString());
        QVERIFY(!QFileInfo::exists(copyPath(next)));
    }

    void aRecoveredFileThatIsGoneKeepsItsName() {
        AppHarness h;
        QDir().mkpath(h.services.recoveryFolder);
        const std::filesystem::path gone = h.folder() / "gone.txt";
        writeFile(copyPath(h).toStdString(),
                  "mireto recovery 1\n" + gone.string() + "\n\n" + std::string("戻る"));
        h.answers = {MessageAnswer::Yes};
        QVERIFY(h.start());
        QCOMPARE(h.view().GetEditorText(), u("戻る"));
        QCOMPARE(h.document().GetPathName(), QString::fromStdString(gone.string()));
        QVERIFY(h.document().DoFileSave());
        QCOMPARE(readFile(gone), sjis("戻る"));
        QVERIFY(!QFileInfo::exists(copyPath(h)));
    }
};

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--type-then-run")
        return typeThenRun(argc, argv);
    QApplication application(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
