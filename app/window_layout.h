// The main window's size, place and bar layout (docks, toolbar, status bar), kept from
// one run to the next in the program's per-user settings, beside the recent-file list.
// A first start, with nothing kept, gets a size that suits the screen.
#pragma once

#include <QRect>

class QMainWindow;

namespace mireto {

// About two thirds of `available`, but at least 900 by 600 where the screen is that
// large, centred in it.
QRect firstStartGeometry(const QRect& available);

// Puts `window` back as the last run left it. False when nothing usable was kept; the
// window then has its first-start geometry on its screen, and its bars stay as built.
bool restoreWindowLayout(QMainWindow& window);
void saveWindowLayout(const QMainWindow& window);

} // namespace mireto
