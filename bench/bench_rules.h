// The rule sets every page benchmark converts with: an ending set that changes most
// sentences and ten replacement rules over the corpus's common words.
#pragma once

#include "settings/records.h"

namespace mireto::bench {

// Four words (ナリ, よ, ね。, だった！) with frequencies 25, 25, 20, 10.
EndingSet busyEndings();

// Ten rules whose fourteen sources cover half the corpus's words.
ReplacementSet tenRules();

} // namespace mireto::bench
