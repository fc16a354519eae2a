// The folder the template files were last exported to or imported from: the choosers
// of both start there, from one run to the next (kept in the per-user settings).
#pragma once

#include <QString>

namespace mireto {

// The folder last used, or the home folder before any.
QString exchangeFolder();
// `file` was exported or imported: its folder is the one to start from next time.
void rememberExchangeFolder(const QString& file);

} // namespace mireto
