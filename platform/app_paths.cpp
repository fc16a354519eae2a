#include "platform/app_paths.h"

#include "platform/executable_dir.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace mireto {

namespace {

constexpr const char* kSettingsFileName = "Mireto.ini";
constexpr const char* kPageFileName = "tmp.html";

// Only creating a file tells for sure: permission bits say nothing to root, and a
// read-only file system or a folder that is not one refuses anyway.
bool canCreateFilesIn(const std::filesystem::path& folder) {
    std::string probe = (folder / ".mireto-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool isRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Anything at `path`, a dangling link included, or a path that cannot be looked at:
// the user's, not to be passed over for the starter.
bool somethingIsAt(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (error)
        return error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory;
    return std::filesystem::exists(status);
}

} // namespace

std::filesystem::path AppPaths::fileToRead() const {
    if (startingSettingsFile.empty() || somethingIsAt(settingsFile))
        return settingsFile;
    return startingSettingsFile;
}

// MIRETO_STARTER_FROM_BINDIR and MIRETO_INSTALL_BINDIR come from the build's install
// directories (platform/CMakeLists.txt).
std::filesystem::path starterRelativeToExecutable() {
    return MIRETO_STARTER_FROM_BINDIR;
}

std::filesystem::path installedExecutableFolder() {
    return MIRETO_INSTALL_BINDIR;
}

AppPaths resolveAppPaths(const std::filesystem::path& executableFolder,
                         const std::filesystem::path& userDataFolder,
                         const std::filesystem::path& installFolder) {
    const std::filesystem::path beside = executableFolder.empty() ? "." : executableFolder;
    const std::filesystem::path starter =
        (beside / starterRelativeToExecutable()).lexically_normal();
    // Root may write into the install folder; an installed program still keeps its
    // files with the user.
    std::error_code error;
    const bool installed = std::filesystem::equivalent(beside, installFolder, error);
    AppPaths paths;
    paths.spareFolder = userDataFolder / "copies";
    if (!installed && canCreateFilesIn(beside)) {
        paths.settingsFile = beside / kSettingsFileName;
        paths.pageFile = beside / kPageFileName;
        if (isRegularFile(starter))
            paths.startingSettingsFile = starter;
        return paths;
    }
    paths.settingsFile = userDataFolder / kSettingsFileName;
    paths.pageFile = userDataFolder / kPageFileName;
    if (isRegularFile(beside / kSettingsFileName))
        paths.startingSettingsFile = beside / kSettingsFileName;
    else if (isRegularFile(starter))
        paths.startingSettingsFile = starter;
    return paths;
}

std::filesystem::path userDataDirectory() {
    // As the desktop's base directory rules say: a relative XDG_DATA_HOME is ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::filesystem::path(data) / "mireto";
    std::filesystem::path home;
    if (const char* variable = std::getenv("HOME"); variable && variable[0] != '\0')
        home = variable;
    else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        home = user->pw_dir;
    else
        home = "/";
    return home / ".local" / "share" / "mireto";
}

AppPaths appPaths() {
    return resolveAppPaths(executableDirectory(), userDataDirectory());
}

} // namespace mireto
