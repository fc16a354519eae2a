// Qt's own texts in Japanese, like the rest of the program: the buttons and labels of
// the standard file choosers and dialog buttons (開く, 保存, キャンセル).
#pragma once

class QCoreApplication;

namespace mireto {

// Installs Qt's Japanese translations from the system's Qt translations folder (Debian's
// qt6-translations-l10n). False, leaving Qt's English texts, when they are not there.
bool installQtTranslations(QCoreApplication& application);

} // namespace mireto
