// When the desktop cannot show a written page (no browser, no xdg-open): the main
// window's status bar says so at every try, and a message box the first time.
#pragma once

#include <QString>

class QWidget;

namespace mireto {

// Reports that `pagePath`, written, could not be opened; `window` is the main window.
void reportPageNotOpened(QWidget* window, const QString& pagePath);

} // namespace mireto
