#include "bench/bench_rules.h"

#include "convert/sjis_literal.h"

namespace mireto::bench {

EndingSet busyEndings() {
    EndingSet set;
    set.name = "bench";
    set.words = {std::string("ナリ"_sjis), std::string("よ"_sjis), std::string("ね。"_sjis),
                 std::string("だった！"_sjis)};
    set.frequencies = {25, 25, 20, 10};
    return set;
}

// Ten rules over common words: 今日->本日, 猫->にゃんこ, ...
ReplacementSet tenRules() {
    ReplacementSet set;
    set.name = "bench";
    set.clearRules();
    const auto rule = [&set](std::string_view a, std::string_view b, std::string_view target) {
        set.addRule({std::string(a), std::string(b), "", ""}, std::string(target));
    };
    rule("今日"_sjis, "", "本日"_sjis);
    rule("猫"_sjis, "", "にゃんこ"_sjis);
    rule("天気"_sjis, "", "テンキ"_sjis);
    rule("公園"_sjis, "", "パーク"_sjis);
    rule("電車"_sjis, "学校"_sjis, "あそこ"_sjis);
    rule("とても"_sjis, "", "すこごく"_sjis);
    rule("すこし"_sjis, "", "ちょっと"_sjis);
    rule("思う"_sjis, "", "思った"_sjis);
    rule("です"_sjis, "ました"_sjis, "だ"_sjis);
    rule("映画"_sjis, "ご飯"_sjis, "ゲーム"_sjis);
    return set;
}

} // namespace mireto::bench
