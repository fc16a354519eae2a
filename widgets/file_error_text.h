// Why a file could not be written, in the user's words, for the program's messages.
#pragma once

#include <QString>

namespace mireto {

// The system's error number as a short Japanese phrase.
QString fileErrorText(int errorNumber);

} // namespace mireto
