// Reading the text to convert, as the editor would hold it.
#pragma once

#include <string>

namespace mireto::cli {

struct InputText {
    bool ok = false;
    std::string bytes;
    std::string error;
};

// Reads a whole file, or standard input for "-", byte for byte.
InputText readInput(const std::string& path);

// Every line end becomes CR LF (a lone LF gains its CR; CR LF stays as it is).
std::string withCrLfLineEnds(std::string text);

} // namespace mireto::cli
