// A page kept as UTF-8: the Shift_JIS page decoded, with the one charset declaration of
// its head rewritten to say so, and nothing else changed, character references included.
#pragma once

#include <string>
#include <string_view>

namespace mireto {

// Rewrites the charset that `utf8Page`'s head declares (the first "charset=" before
// "</head>", in any letter case) to UTF-8, in the declaration's own letter case:
// "Shift_JIS" becomes "UTF-8", "shift_jis" "utf-8". Nothing else changes. A head that
// declares none gets <meta charset="UTF-8"> as its first element.
void declareUtf8Charset(std::string& utf8Page);

// The page decoded as a browser reads Shift_JIS (bytes that are not Shift_JIS become
// U+FFFD), its head declaring UTF-8: what the editor saves and mireto-convert
// --page-encoding utf-8 writes.
std::string pageAsUtf8(std::string_view sjisPage);

} // namespace mireto
