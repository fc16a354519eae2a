// What the desktop program takes from its surroundings: where Mireto.ini and tmp.html
// live, how a page is opened, what time it is, where the single-instance lock goes.
// The program builds the real ones once at start; tests build their own.
#pragma once

#include "convert/converter.h"
#include "convert/page_clock.h"

#include <QString>
#include <filesystem>

namespace mireto {

struct AppPaths {
    // Read at start-up and written at exit.
    std::filesystem::path settingsFile;
    // Read instead while settingsFile does not exist yet (an installed program's
    // Mireto.ini beside the executable); empty when there is none.
    std::filesystem::path startingSettingsFile;
    // Overwritten by every GO!!.
    std::filesystem::path pageFile;
    // Where a file that has to be rewritten in place (a document with other hard links,
    // or in a folder that takes no new file) is first copied whole.
    std::filesystem::path spareFolder;
};

// Mireto.ini and tmp.html beside the executable when that folder is writable (the
// portable layout); otherwise both in the user's data folder, starting from the
// executable's Mireto.ini when there is one.
AppPaths resolveAppPaths(const std::filesystem::path& executableFolder,
                         const std::filesystem::path& userDataFolder);

struct PlatformServices {
    AppPaths paths;
    // Folder of the single-instance lock.
    QString runtimeFolder;
    PageOpener openPage;
    PageClock clock = systemTimeNow;
};

// The real services: the executable's folder, the user's data and runtime folders,
// the desktop's default browser and the system clock.
PlatformServices desktopServices();

} // namespace mireto
