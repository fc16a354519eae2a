// UTF-8 text typed or saved outside the editor, as the core converts it to Shift_JIS.
#pragma once

#include <string>
#include <string_view>

namespace mireto::cli {

struct SjisConversion {
    bool ok = false;
    std::string text;  // Shift_JIS bytes
    std::string error; // why the input could not be converted
};

// Converts UTF-8 to Shift_JIS. A character Shift_JIS cannot hold becomes an HTML
// numeric character reference (&#x1F363;), so it still shows on the page. Input
// that is not valid UTF-8 is an error naming the byte offset.
SjisConversion utf8ToSjis(std::string_view utf8);

} // namespace mireto::cli
