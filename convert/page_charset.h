// A page kept as UTF-8: the Shift_JIS page decoded, with the one charset declaration of
// its head rewritten to say so. The decoding belongs to the callers (the desktop program
// and mireto-convert each have theirs); this is the markup's side.
#pragma once

#include <string>

namespace mireto {

// Rewrites the charset that `utf8Page`'s head declares (the first "charset=" before
// "</head>", in any letter case) to UTF-8, in the declaration's own letter case:
// "Shift_JIS" becomes "UTF-8", "shift_jis" "utf-8". Nothing else changes. A head that
// declares none gets <meta charset="UTF-8"> as its first element.
void declareUtf8Charset(std::string& utf8Page);

} // namespace mireto
