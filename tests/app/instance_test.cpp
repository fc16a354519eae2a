// One program at a time: the lock, a second start that ends at once, and a lock left
// by a process that crashed.
#include "app/single_instance.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace mireto;

namespace {

// Starts the real program with every per-user folder inside `home`.
void start(QProcess& program, const QTemporaryDir& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(MIRETO_EXECUTABLE));
}

QString runtimeFolder(const QTemporaryDir& home) {
    const QString folder = home.filePath(QStringLiteral("runtime"));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

} // namespace

class InstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartEndsAtOnceWithStatusZero() {
        QTemporaryDir home;
        SingleInstanceGuard running(runtimeFolder(home));
        QVERIFY(running.tryAcquire());
        QProcess second;
        start(second, home);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardOutput().isEmpty());
    }

    void lockOfACrashedProgramDoesNotBlock() {
        QTemporaryDir home;
        const QString folder = runtimeFolder(home);
        const QString lock = SingleInstanceGuard(folder).lockFilePath();
        QProcess crashing;
        start(crashing, home);
        QVERIFY(crashing.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 15000);
        crashing.kill();
        QVERIFY(crashing.waitForFinished());
        QVERIFY(QFileInfo::exists(lock));

        QProcess next;
        start(next, home);
        QVERIFY(next.waitForStarted());
        // It keeps running instead of ending as a second instance would.
        QVERIFY(!next.waitForFinished(2000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 15000);
        SingleInstanceGuard meanwhile(folder);
        QVERIFY(!meanwhile.tryAcquire());
        next.kill();
        QVERIFY(next.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(InstanceTest)
#include "instance_test.moc"
