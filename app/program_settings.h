// The program's per-user settings, kept where the classic program kept its registry
// entries ("Local AppWizard-Generated Applications", in the program's own section):
// the recent-file list and the main window's layout. Mireto.ini is another matter.
#pragma once

#include <QSettings>

namespace mireto {

QSettings programSettings();

} // namespace mireto
