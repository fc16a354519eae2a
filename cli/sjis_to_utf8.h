// Shift_JIS (code page 932) names from the settings file, shown on a UTF-8 terminal.
#pragma once

#include <string>
#include <string_view>

namespace mireto::cli {

// Converts Shift_JIS to UTF-8 for display. A byte or pair code page 932 does not
// define becomes U+FFFD, so a damaged name still prints.
std::string sjisToUtf8(std::string_view sjisText);

} // namespace mireto::cli
