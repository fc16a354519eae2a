// Records for the tests, named and worded in readable UTF-8 and stored as Shift_JIS.
#pragma once

#include "settings/records.h"
#include "tests/support/sjis.h"

namespace mireto::test {

// `word` in the first slot, drawn `frequency` times in a hundred.
inline EndingSet endingSet(const char* name, const char* word, int frequency) {
    EndingSet set;
    set.name = sjis(name);
    set.words[0] = sjis(word);
    set.frequencies[0] = frequency;
    return set;
}

// One rule: `from` becomes `to`.
inline ReplacementSet replacementSet(const char* name, const char* from, const char* to) {
    ReplacementSet set;
    set.name = sjis(name);
    set.clearRules();
    set.addRule({sjis(from), "", "", ""}, sjis(to));
    return set;
}

inline OverallTemplate overallTemplate(const char* name, const char* ending,
                                       const char* replacement, const char* format) {
    return {sjis(ending), sjis(replacement), sjis(format), sjis(name)};
}

} // namespace mireto::test
