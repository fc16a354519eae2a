// The real desktop program in a folder of its own, so that its Mireto.ini is the test's,
// with every per-user folder inside that folder too.
#pragma once

#include "app/instance_channel.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <sys/stat.h>

namespace mireto::test {

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

    // Where the program listens for later starts, once it holds its lock.
    QString socketPath() const {
        return instanceSocketPath(m_dir.filePath(QStringLiteral("runtime")),
                                  QString::fromStdString(settingsFile().string()));
    }

    // Starts the program with `arguments`.
    void launch(QProcess& program, const QStringList& arguments = {}) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           m_dir.filePath(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           m_dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_STATE_HOME"),
                           m_dir.filePath(QStringLiteral("state")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(m_dir.filePath(QStringLiteral("program/mireto")), arguments);
    }

    // The same, then waits until it holds its lock and listens, by when it handles
    // signals.
    bool start(QProcess& program, const QStringList& arguments = {}) const {
        launch(program, arguments);
        return program.waitForStarted() &&
               QTest::qWaitFor([&] { return QFileInfo::exists(socketPath()); }, 20000);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace mireto::test
