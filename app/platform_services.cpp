#include "app/platform_services.h"

#include "app/web_engine_check.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace mireto {

PlatformServices desktopServices() {
    PlatformServices services;
    services.paths = appPaths();
    std::error_code error;
    std::filesystem::create_directories(services.paths.settingsFile.parent_path(), error);
    services.runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    services.openPage = [](const std::filesystem::path& page) {
        return QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(std::filesystem::absolute(page).string())));
    };
    // The user's state folder, which this Qt has no name for.
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    services.recoveryFolder =
        (QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state")) +
        QStringLiteral("/mireto");
    services.openLink = [](const QUrl& link) { QDesktopServices::openUrl(link); };
    services.webEngineProblem = webEngineProblem;
    return services;
}

} // namespace mireto
