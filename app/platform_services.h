// What the desktop program takes from its surroundings: where Mireto.ini and tmp.html
// live, how a page or a web link is opened, what time it is, where the single-instance
// lock goes, and whether the web engine of the live preview can start.
// The program builds the real ones once at start; tests build their own.
#pragma once

#include "convert/converter.h"
#include "convert/page_clock.h"
#include "platform/app_paths.h"

#include <QString>
#include <QUrl>
#include <functional>

namespace mireto {

// Shows a written page in the desktop's browser; false when the desktop could not (no
// browser, no xdg-open).
using DesktopPageOpener = std::function<bool(const std::filesystem::path&)>;

struct PlatformServices {
    AppPaths paths;
    // Folder of the single-instance lock.
    QString runtimeFolder;
    // Folder of the copy of unsaved text ($XDG_STATE_HOME/mireto).
    QString recoveryFolder;
    DesktopPageOpener openPage;
    // Opens a web link of a previewed page outside the preview.
    std::function<void(const QUrl&)> openLink;
    PageClock clock = systemTimeNow;
    // Why the preview's web engine cannot start here, for the user; empty when it can.
    std::function<QString()> webEngineProblem;
};

// The real services: the files where mireto-convert finds them too (creating the
// user's data folder when they go there), the runtime folder, the desktop's default
// browser, the system clock and the web engine's own check.
PlatformServices desktopServices();

} // namespace mireto
