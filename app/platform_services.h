// What the desktop program takes from its surroundings: where Mireto.ini and tmp.html
// live, how a page is opened, what time it is, where the single-instance lock goes.
// The program builds the real ones once at start; tests build their own.
#pragma once

#include "convert/converter.h"
#include "convert/page_clock.h"
#include "platform/app_paths.h"

#include <QString>

namespace mireto {

struct PlatformServices {
    AppPaths paths;
    // Folder of the single-instance lock.
    QString runtimeFolder;
    PageOpener openPage;
    PageClock clock = systemTimeNow;
};

// The real services: the files where mireto-convert finds them too (creating the
// user's data folder when they go there), the runtime folder, the desktop's default
// browser and the system clock.
PlatformServices desktopServices();

} // namespace mireto
