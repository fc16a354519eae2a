// Built by the sjis_literal tests, never linked: every text the program writes into a page
// or Mireto.ini is a "..."_sjis literal, encoded while compiling, so one that Shift_JIS
// cannot hold stops the build. With MIRETO_UNSTORABLE this source must not compile;
// without it, it must.
#include "convert/sjis_literal.h"

namespace mireto {

#ifdef MIRETO_UNSTORABLE
constexpr std::string_view kText = "寿司🍣"_sjis;
#else
constexpr std::string_view kText = "寿司〜‖¢£¬—"_sjis;
#endif
static_assert(!kText.empty());

} // namespace mireto
