#include "bench/preview_inputs.h"

#include "widgets/sjis_qstring.h"

namespace mireto::bench {

namespace {

std::string sjisOf(const char* utf8) {
    return *encodeSjis(QString::fromUtf8(utf8));
}

} // namespace

QString textOf(std::size_t bytes) {
    const QString paragraph =
        QString::fromUtf8("今日はとても良い天気でした。公園を散歩して、猫に会いました。\n"
                          "猫はこちらを見て、あくびをしました。私は少し考えて、家に帰りました。\n"
                          "夕方には雨が降り始め、窓の外はすっかり暗くなりました。\n\n");
    QString text;
    while (static_cast<std::size_t>(text.size()) * 2 < bytes)
        text += paragraph;
    text.truncate(static_cast<int>(bytes / 2));
    return text;
}

CurrentSelection selection(OutputFormat format) {
    EndingSet endings;
    endings.name = sjisOf("にゃ");
    endings.words = {sjisOf("にゃ"), sjisOf("だぴょん"), sjisOf("ござる。"), sjisOf("ですわ")};
    endings.frequencies = {30, 20, 20, 10};
    ReplacementSet rules;
    rules.name = sjisOf("猫語");
    rules.clearRules();
    rules.addRule({sjisOf("私"), sjisOf("僕"), "", ""}, sjisOf("拙者"));
    rules.addRule({sjisOf("猫"), "", "", ""}, sjisOf("にゃんこ"));
    rules.addRule({sjisOf("な"), "", "", ""}, sjisOf("にゃ"));
    OverallTemplate chosen{endings.name, rules.name,
                           std::string(kFormatNames[static_cast<std::size_t>(format)]), "bench"};
    return {chosen, endings, rules};
}

} // namespace mireto::bench
