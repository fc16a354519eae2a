// Ending without the window's close box: SIGTERM, SIGINT and SIGHUP end the real program
// the normal way, settings written; another signal while a question waits ends it at
// once; a logout writes the settings; and kill -9 right after a set is saved in an
// editor finds the set in the file.
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/program_copy.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

using namespace mireto;
using namespace mireto::test;

namespace {

const CurrentSelection kRabbit = rabbitSelection();

std::vector<std::string> endingSetNames(const std::filesystem::path& file) {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    LoadSettingsAtStartup(file, store, settings, current);
    std::vector<std::string> names;
    for (std::size_t position = 1; position < store.endingSetCount(); ++position)
        names.push_back(store.GetEndingSet(position).name);
    return names;
}

// The settings file as someone might have written it by hand: bare LF line ends, which
// the program never writes, so a rewrite shows.
const std::string kHandWritten =
    "100,\n----\n0,,0,,0,0,,0,0,,0,0,,0,\n8,kept,set,0,,0,0,,0,0,,0,0,,0,\n----\n----\n----\n";

// The child side of the kill -9 test: saves a set in the editor, says so, and waits.
int saveThenWait(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    AppHarness h;
    writeSettings(h.settingsFile(), kRabbit);
    if (!h.start())
        return 2;
    std::printf("%s\n", h.settingsFile().c_str());
    saveEndingSet(h, "ぴょん");
    std::printf("saved\n");
    std::fflush(stdout);
    for (;;)
        QTest::qWait(1000);
}

} // namespace

class QuitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void eachQuitSignalEndsTheProgramWithTheSettingsWritten() {
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            ProgramCopy copy;
            writeFile(copy.settingsFile(), kHandWritten);
            QProcess program;
            QVERIFY(copy.start(program));
            ::kill(static_cast<pid_t>(program.processId()), number);
            QVERIFY2(program.waitForFinished(20000), strsignal(number));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            const std::string written = readFile(copy.settingsFile());
            QVERIFY2(written.rfind("100,\r\n", 0) == 0, strsignal(number));
            QCOMPARE(endingSetNames(copy.settingsFile()), std::vector<std::string>{"kept,set"});
        }
    }

    void anotherSignalWhileTheExitQuestionWaitsEndsAtOnce() {
        ProgramCopy copy;
        writeFile(copy.settingsFile(), kHandWritten);
        QProcess program;
        QVERIFY(copy.start(program));
        // A write-protected file is left alone, so the exit asks whether to end anyway.
        ::chmod(copy.settingsFile().c_str(), 0444);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(!program.waitForFinished(1500));
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(readFile(copy.settingsFile()), kHandWritten);
    }

    void killedRightAfterASaveInAnEditorTheSetIsInTheFile() {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--save-then-wait"), QStringLiteral("-platform"),
                     QStringLiteral("offscreen")});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QVERIFY(QTest::qWaitFor(
            [&] {
                said += child.readAllStandardOutput();
                return said.contains("saved\n");
            },
            30000));
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const std::filesystem::path file = said.left(said.indexOf('\n')).toStdString();
        const std::vector<std::string> names = endingSetNames(file);
        // The killed child could not remove its folder.
        std::filesystem::remove_all(file.parent_path().parent_path());
        QCOMPARE(names, (std::vector<std::string>{sjis("だぴょん"), sjis("ぴょん")}));
    }

    void aSignalEndsTheStartUpMessage() {
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            ProgramCopy copy;
            // A folder in the settings file's place: the start says so in a message,
            // which waits for OK.
            std::filesystem::create_directory(copy.settingsFile());
            QProcess program;
            QVERIFY(copy.start(program));
            QTest::qWait(1500);
            ::kill(static_cast<pid_t>(program.processId()), number);
            QVERIFY2(program.waitForFinished(20000), strsignal(number));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
        }
    }

    // Without a place for the copy of the unsaved text, the question is the only guard.
    void aQuitRequestWithoutARecoveryCopyAsksAboutTheDocument() {
        AppHarness h;
        writeFile(h.folder() / "not-a-folder", "x");
        h.services.recoveryFolder = QString::fromStdString((h.folder() / "not-a-folder").string());
        writeSettings(h.settingsFile(), kRabbit);
        QVERIFY(h.start());
        typeInto(&h.view(), u("下書き"));
        std::filesystem::remove(h.settingsFile());
        h.answers = {MessageAnswer::Cancel};
        h.app().OnQuitRequest();
        QCOMPARE(h.messages.size(), std::size_t{1});
        QCOMPARE(h.messages[0].request.text, u("無題 への変更を保存しますか?"));
        QVERIFY(h.frame().isVisible());
        QVERIFY(!std::filesystem::exists(h.settingsFile()));

        h.answers = {MessageAnswer::No};
        h.app().OnQuitRequest();
        QVERIFY(!h.frame().isVisible());
        QCOMPARE(endingSetNames(h.settingsFile()), std::vector<std::string>{sjis("だぴょん")});
    }

    void aLogoutWritesWhatCouldNotBeWrittenBefore() {
        AppHarness h;
        writeSettings(h.settingsFile(), kRabbit);
        QVERIFY(h.start());
        ::chmod(h.settingsFile().c_str(), 0444);
        saveEndingSet(h, "ぴょん");
        QCOMPARE(endingSetNames(h.settingsFile()), std::vector<std::string>{sjis("だぴょん")});
        const std::size_t told = h.messages.size();

        ::chmod(h.settingsFile().c_str(), 0644);
        h.app().OnCommitData(false);
        QCOMPARE(endingSetNames(h.settingsFile()),
                 (std::vector<std::string>{sjis("だぴょん"), sjis("ぴょん")}));
        QCOMPARE(h.messages.size(), told);
    }
};

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--save-then-wait")
        return saveThenWait(argc, argv);
    QApplication application(argc, argv);
    QuitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "quit_test.moc"
