// One editor per settings folder: a second start hands its command line to the editor
// running there, which comes forward and opens the file as Open does; a lock whose
// holder does not answer never ends a start without a word; the lock goes with a
// crashed editor; and it is taken beside the settings, whatever the environment.
#include "app/instance_channel.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/single_instance.h"
#include "tests/app/app_harness.h"
#include "tests/app/program_copy.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <QtTest>
#include <csignal>
#include <future>

using namespace mireto;
using namespace mireto::test;

class InstanceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aSecondStartsFileOpensInTheRunningEditorAfterOpensQuestion() {
        AppHarness h;
        QVERIFY(h.start());
        h.view().SetEditorText(u("書きかけ"));
        h.view().document()->setModified(true);
        const std::filesystem::path note = h.folder() / "note.txt";
        writeFile(note, sjis("渡された"));
        h.frame().showMinimized();
        h.messages.clear();
        h.answers = {MessageAnswer::No};

        const QString socket =
            instanceSocketPath(h.services.runtimeFolder, qtPath(h.settingsFile()));
        // The second start's side waits for an answer, so it runs on a thread of its own.
        std::future<bool> handed = std::async(std::launch::async, [&] {
            return handToRunningInstance(socket, {QStringLiteral("--x"), qtPath(note)});
        });
        QTRY_VERIFY_WITH_TIMEOUT(
            handed.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 10000);
        QVERIFY(handed.get());
        QTRY_COMPARE(h.document().GetPathName(), qtPath(note));
        QCOMPARE(h.view().GetEditorText(), u("渡された"));
        QCOMPARE(h.messages.size(), std::size_t{1});
        QCOMPARE(h.messages[0].request.text, u("無題 への変更を保存しますか?"));
        QVERIFY(!h.frame().isMinimized());
    }

    void aSecondStartEndsAtOnceWithStatusZero() {
        ProgramCopy copy;
        QProcess first;
        QVERIFY(copy.start(first));
        QProcess second;
        copy.launch(second, {QStringLiteral("note.txt")});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(first.state() == QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished());
    }

    void aLockWhoseHolderDoesNotAnswerDoesNotEndAStartSilently() {
        ProgramCopy copy;
        SingleInstanceGuard holder(qtPath(copy.settingsFile()));
        QCOMPARE(holder.tryAcquire(), SingleInstanceGuard::Result::Acquired);
        QProcess program;
        copy.launch(program);
        QVERIFY(program.waitForStarted());
        QByteArray said;
        QVERIFY(QTest::qWaitFor(
            [&] {
                said += program.readAllStandardError();
                return said.contains("応答がありません");
            },
            20000));
        // The message waits for the user: the start did not just end.
        QVERIFY(program.state() == QProcess::Running);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
    }

    void theLockOfACrashedEditorDoesNotBlockAndIsTakenWithoutARuntimeFolder() {
        ProgramCopy copy;
        QProcess crashing;
        QVERIFY(copy.start(crashing));
        crashing.kill();
        QVERIFY(crashing.waitForFinished());

        QProcess next;
        QVERIFY(copy.start(next));
        // It keeps running instead of ending as a second start would.
        QVERIFY(!next.waitForFinished(2000));
        SingleInstanceGuard meanwhile(qtPath(copy.settingsFile()));
        QCOMPARE(meanwhile.tryAcquire(), SingleInstanceGuard::Result::HeldElsewhere);

        // A start without XDG_RUNTIME_DIR finds the same lock and the same editor.
        QProcess bare;
        QProcessEnvironment environment = next.processEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        bare.setProcessEnvironment(environment);
        bare.start(next.program());
        QVERIFY(bare.waitForFinished(15000));
        QCOMPARE(bare.exitCode(), 0);
        QVERIFY(next.state() == QProcess::Running);
        next.kill();
        QVERIFY(next.waitForFinished());
    }
};

QTEST_MAIN(InstanceTest)
#include "instance_test.moc"
