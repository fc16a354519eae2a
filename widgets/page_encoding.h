// A page kept as UTF-8 by the desktop program: the Shift_JIS page decoded, its head
// declaring UTF-8 and nothing else changed, character references included.
#pragma once

#include <string>
#include <string_view>

namespace mireto {

// The page's text as a browser reads Shift_JIS: bytes below 0x80 stand for themselves
// and a character code page 932 does not define becomes U+FFFD, as mireto-convert
// --page-encoding utf-8 decodes it.
std::string pageAsUtf8(std::string_view sjisPage);

} // namespace mireto
