// Shift_JIS (code page 932) to UTF-8: names from the settings file shown on a terminal,
// and pages kept as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace mireto::cli {

// Converts Shift_JIS to UTF-8. A byte or pair code page 932 does not
// define becomes U+FFFD, so a damaged name still prints.
std::string sjisToUtf8(std::string_view sjisText);

// A page kept as UTF-8: the page decoded as above, its head declaring UTF-8.
std::string pageToUtf8(std::string_view sjisPage);

} // namespace mireto::cli
