#include "app/platform_services.h"

#include "settings/settings_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace mireto {

namespace {

constexpr const char* kSettingsFileName = "Mireto.ini";
constexpr const char* kPageFileName = "tmp.html";

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Only creating a file tells for sure: permission bits say nothing to root, and a
// read-only file system or a folder that is not one refuses anyway.
bool canCreateFilesIn(const std::filesystem::path& folder) {
    QTemporaryFile probe(QDir(qtPath(folder)).filePath(QStringLiteral(".mireto-probe-XXXXXX")));
    return probe.open();
}

} // namespace

AppPaths resolveAppPaths(const std::filesystem::path& executableFolder,
                         const std::filesystem::path& userDataFolder) {
    const std::filesystem::path beside = executableFolder.empty() ? "." : executableFolder;
    AppPaths paths;
    paths.spareFolder = userDataFolder / "copies";
    if (canCreateFilesIn(beside)) {
        paths.settingsFile = beside / kSettingsFileName;
        paths.pageFile = beside / kPageFileName;
        return paths;
    }
    std::error_code error;
    std::filesystem::create_directories(userDataFolder, error);
    paths.settingsFile = userDataFolder / kSettingsFileName;
    paths.pageFile = userDataFolder / kPageFileName;
    if (std::filesystem::is_regular_file(beside / kSettingsFileName, error))
        paths.startingSettingsFile = beside / kSettingsFileName;
    return paths;
}

PlatformServices desktopServices() {
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    PlatformServices services;
    services.paths = resolveAppPaths(settingsFilePath().parent_path(), dataFolder.toStdString());
    services.runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    services.openPage = [](const std::filesystem::path& page) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(qtPath(std::filesystem::absolute(page))));
    };
    return services;
}

} // namespace mireto
