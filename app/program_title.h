// The program's title: window titles, message-box captions, the per-user settings
// section and the single-instance lock are all named after it.
#pragma once

#include <QString>

namespace mireto {

inline QString programTitle() {
    return QStringLiteral("ソルネ壱号");
}

} // namespace mireto
