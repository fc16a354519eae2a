#include "app/window_layout.h"

#include "app/program_settings.h"

#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

namespace mireto {

namespace {

constexpr const char* kGroup = "Window";
constexpr const char* kGeometryKey = "Geometry";
constexpr const char* kStateKey = "State";
constexpr const char* kStatusBarKey = "StatusBar";
// Raised when the bars change so much that an older layout no longer applies.
constexpr int kLayoutVersion = 1;

constexpr QSize kComfortableSize(900, 600);

} // namespace

QRect firstStartGeometry(const QRect& available) {
    const int width =
        std::max(available.width() * 2 / 3, std::min(kComfortableSize.width(), available.width()));
    const int height = std::max(available.height() * 2 / 3,
                                std::min(kComfortableSize.height(), available.height()));
    QRect geometry(0, 0, width, height);
    geometry.moveCenter(available.center());
    return geometry;
}

bool restoreWindowLayout(QMainWindow& window) {
    QSettings settings = programSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    const QByteArray geometry = settings.value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) {
        // The window's frame, not only its inside, goes where the screen has room.
        const QRect first = firstStartGeometry(window.screen()->availableGeometry());
        window.resize(first.size());
        window.move(first.topLeft());
        return false;
    }
    window.restoreState(settings.value(QString::fromLatin1(kStateKey)).toByteArray(),
                        kLayoutVersion);
    window.statusBar()->setVisible(
        settings.value(QString::fromLatin1(kStatusBarKey), true).toBool());
    return true;
}

void saveWindowLayout(const QMainWindow& window) {
    QSettings settings = programSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    settings.setValue(QString::fromLatin1(kGeometryKey), window.saveGeometry());
    settings.setValue(QString::fromLatin1(kStateKey), window.saveState(kLayoutVersion));
    settings.setValue(QString::fromLatin1(kStatusBarKey), !window.statusBar()->isHidden());
}

} // namespace mireto
