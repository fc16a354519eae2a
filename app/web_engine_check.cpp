#include "app/web_engine_check.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mireto {

namespace {

QString environmentPath(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

// Where the engine looks when no variable says otherwise: the installed folder, then
// the program's own.
QStringList defaultFolders(QLibraryInfo::LibraryPath installed, const QString& below = {}) {
    QString folder = QLibraryInfo::path(installed);
    if (!below.isEmpty())
        folder += QLatin1Char('/') + below;
    return {folder, QCoreApplication::applicationDirPath()};
}

// The path of the first missing file, or empty when one of `candidates` is there.
QString missingFile(const QStringList& candidates, bool executable) {
    for (const QString& candidate : candidates) {
        const QFileInfo file(candidate);
        if (file.isFile() && (!executable || file.isExecutable()))
            return {};
    }
    return candidates.constFirst();
}

QStringList inEach(const QStringList& folders, const QString& name) {
    QStringList paths;
    for (const QString& folder : folders)
        paths.append(folder + QLatin1Char('/') + name);
    return paths;
}

QString helperProcessMissing() {
    // The variable names the program itself.
    if (qEnvironmentVariableIsSet("QTWEBENGINEPROCESS_PATH"))
        return missingFile({environmentPath("QTWEBENGINEPROCESS_PATH")}, true);
    return missingFile(inEach(defaultFolders(QLibraryInfo::LibraryExecutablesPath),
                              QStringLiteral("QtWebEngineProcess")),
                       true);
}

QString resourcesMissing() {
    // The variable names the folder.
    const QStringList folders =
        qEnvironmentVariableIsSet("QTWEBENGINE_RESOURCES_PATH")
            ? QStringList{environmentPath("QTWEBENGINE_RESOURCES_PATH")}
            : defaultFolders(QLibraryInfo::DataPath, QStringLiteral("resources"));
    return missingFile(inEach(folders, QStringLiteral("qtwebengine_resources.pak")), false);
}

bool sandboxTurnedOff() {
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return true;
    const QString flags = environmentPath("QTWEBENGINE_CHROMIUM_FLAGS");
    return flags.split(QLatin1Char(' ')).contains(QStringLiteral("--no-sandbox")) ||
           QCoreApplication::arguments().contains(QStringLiteral("--no-sandbox"));
}

// The engine's sandbox puts each page process into namespaces of its own; where the
// system refuses that to an ordinary user, the engine stops the program.
bool namespaceSandboxWorks() {
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNET) == 0 ? 0 : 1);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString problem(const QString& reason) {
    return QStringLiteral(
               "プレビューを表示できません。\n%1\n\nGO!! とほかの機能はそのまま使えます。")
        .arg(reason);
}

} // namespace

QString webEngineProblem() {
    const QString process = helperProcessMissing();
    if (!process.isEmpty())
        return problem(QStringLiteral("ウェブエンジンの部品が見つかりません: %1").arg(process));
    const QString resources = resourcesMissing();
    if (!resources.isEmpty())
        return problem(QStringLiteral("ウェブエンジンの部品が見つかりません: %1").arg(resources));
    if (sandboxTurnedOff())
        return {};
    if (geteuid() == 0) {
        return problem(
            QStringLiteral("管理者 (root) として動いているため、ウェブエンジンが"
                           "サンドボックスを使えません。一般のユーザーで起動してください。"));
    }
    if (!namespaceSandboxWorks()) {
        return problem(QStringLiteral("このシステムではウェブエンジンのサンドボックスを使えません"
                                      "（ユーザー名前空間が使えません）。"));
    }
    return {};
}

} // namespace mireto
