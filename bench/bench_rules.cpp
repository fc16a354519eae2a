#include "bench/bench_rules.h"

namespace mireto::bench {

EndingSet busyEndings() {
    EndingSet set;
    set.name = "bench";
    set.words = {"\x83i\x83\x8A", "\x82\xE6", "\x82\xCB\x81\x42",
                 "\x82\xBE\x82\xC1\x82\xBD\x81\x49"};
    set.frequencies = {25, 25, 20, 10};
    return set;
}

// Ten rules over common words: 今日->本日, 猫->にゃんこ, ...
ReplacementSet tenRules() {
    ReplacementSet set;
    set.name = "bench";
    set.clearRules();
    set.addRule({"\x8D\xA1\x93\xFA", "", "", ""}, "\x96{\x93\xFA");
    set.addRule({"\x94L", "", "", ""}, "\x82\xC9\x82\xE1\x82\xF1\x82\xB1");
    set.addRule({"\x93V\x8B"
                 "C",
                 "", "", ""},
                "\x83"
                "e\x83\x93\x83L");
    set.addRule({"\x8C\xF6\x89\x80", "", "", ""}, "\x83p\x81[\x83N");
    set.addRule({"\x93"
                 "d\x8E\xD4",
                 "\x8Aw\x8DZ", "", ""},
                "\x82\xA0\x82\xBB\x82\xB1");
    set.addRule({"\x82\xC6\x82\xC4\x82\xE0", "", "", ""}, "\x82\xB7\x82\xB1\x82\xB2\x82\xAD");
    set.addRule({"\x82\xB7\x82\xB1\x82\xB5", "", "", ""}, "\x82\xBF\x82\xE5\x82\xC1\x82\xC6");
    set.addRule({"\x8Ev\x82\xA4", "", "", ""}, "\x8Ev\x82\xC1\x82\xBD");
    set.addRule({"\x82\xC5\x82\xB7", "\x82\xDC\x82\xB5\x82\xBD", "", ""}, "\x82\xBE");
    set.addRule({"\x89"
                 "f\x89\xE6",
                 "\x82\xB2\x94\xD1", "", ""},
                "\x83Q\x81[\x83\x80");
    return set;
}

} // namespace mireto::bench
