// Writing a file the user chose (a page, a picture, shared templates): in one step, so
// that a failed save leaves no half-written file and the old one as it was, and on
// failure the user hears which file and why, and may choose another place.
#pragma once

#include "app/file_dialogs.h"

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace mireto {

// The bytes to write when the chooser's filter `filter` was selected.
using BytesForFilter = std::function<std::string(int filter)>;

// Writes the bytes for `choice`'s filter to its path. When that fails, says so and asks
// whether to save elsewhere, then asks for a file with `request` (the failed path
// suggested) and tries again. Returns the choice written, with an empty path when the
// user gave up.
FileChoice writeChosenFile(QWidget* parent, FileRequest request, FileChoice choice,
                           const BytesForFilter& bytesFor);

} // namespace mireto
