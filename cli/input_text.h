// Reading the text to convert, as the editor would hold it.
#pragma once

#include "convert/line_ends.h"

#include <string>

namespace mireto::cli {

struct InputText {
    bool ok = false;
    std::string bytes;
    std::string error;
};

// Reads a whole file, or standard input for "-", byte for byte.
InputText readInput(const std::string& path);

using mireto::withCrLfLineEnds;

} // namespace mireto::cli
