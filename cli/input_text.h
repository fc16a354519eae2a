// Reading the text to convert, as the editor would hold it.
#pragma once

#include <cstddef>
#include <string>

namespace mireto::cli {

struct InputText {
    bool ok = false;
    std::string bytes;
    std::string error;
};

// The most input converted: far above any real text, and below what would run the
// machine out of memory on the way.
inline constexpr std::size_t kMaxInputBytes = std::size_t{1} << 30;

// Reads a whole file, or standard input for "-", byte for byte; refuses, unread past
// the limit, input over `maxBytes` (a device such as /dev/zero never ends).
InputText readInput(const std::string& path, std::size_t maxBytes = kMaxInputBytes);

// Every line end becomes CR LF (a lone LF gains its CR; CR LF stays as it is).
std::string withCrLfLineEnds(std::string text);

} // namespace mireto::cli
