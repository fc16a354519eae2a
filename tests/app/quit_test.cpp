// Ending without the window's close box: SIGTERM, SIGINT and SIGHUP end the real program
// the normal way, settings written; another signal while a question waits ends it at
// once; a logout writes the settings; and kill -9 right after a set is saved in an
// editor finds the set in the file.
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/single_instance.h"
#include "tests/app/app_harness.h"
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

QString u(const char* text) {
    return QString::fromUtf8(text);
}

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

// The real program in a folder of its own, so that its Mireto.ini is the test's, with
// every per-user folder inside that folder too.
class ProgramCopy {
public:
    ProgramCopy() : m_dir(QStringLiteral(MIRETO_TEST_FOLDER "/quit-XXXXXX")) {
        const std::filesystem::path root = m_dir.path().toStdString();
        std::filesystem::create_directories(root / "program");
        std::filesystem::create_directories(root / "runtime");
        ::chmod((root / "runtime").c_str(), 0700);
        // A hard link where the folders share a file system, a copy elsewhere.
        std::error_code error;
        std::filesystem::create_hard_link(MIRETO_EXECUTABLE, root / "program" / "mireto", error);
        if (error)
            std::filesystem::copy_file(MIRETO_EXECUTABLE, root / "program" / "mireto");
    }

    std::filesystem::path settingsFile() const {
        return std::filesystem::path(m_dir.path().toStdString()) / "program" / "Mireto.ini";
    }

    // Starts the program and waits until it holds its lock, by when it handles signals.
    bool start(QProcess& program) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           m_dir.filePath(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           m_dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(m_dir.filePath(QStringLiteral("program/mireto")));
        const QString lock =
            SingleInstanceGuard(m_dir.filePath(QStringLiteral("runtime"))).lockFilePath();
        return program.waitForStarted() &&
               QTest::qWaitFor([&] { return QFileInfo::exists(lock); }, 20000);
    }

private:
    QTemporaryDir m_dir;
};

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

    void aQuitRequestClosesTheWindowAskingAboutTheDocument() {
        AppHarness h;
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
