// A page streamed piece by piece: the pieces make exactly the page built in memory, for
// every style, rule set, text and piece size; a refused piece ends the page.
#include "convert/converter_factory.h"
#include "page_test_support.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "tests/support/temp_dir.h"

#include <vector>

namespace mireto::test {
namespace {

constexpr std::time_t kMoment = 1031227620;

struct RuleSets {
    std::string name;
    EndingSet endings;
    ReplacementSet replacements;
};

struct Starter {
    FormatSettings settings;
    SettingsStore store;
};

const Starter& starter() {
    static const Starter loaded = [] {
        Starter starter;
        EXPECT_TRUE(
            ReadSettingsFile(readFile(MIRETO_STARTER_FILE), starter.settings, starter.store));
        return starter;
    }();
    return loaded;
}

// No rules; every starter ending set with the replacement set beside it; and rules that
// meet and build on each other, so that segments also take the slow path.
std::vector<RuleSets> ruleSets() {
    std::vector<RuleSets> sets{{"none", noneEndingSet(), noneReplacementSet()}};
    const SettingsStore& store = starter().store;
    for (std::size_t k = 0; k < store.endingSetCount() && k < store.replacementSetCount(); ++k)
        sets.push_back(
            {"starter " + std::to_string(k), store.GetEndingSet(k), store.GetReplacementSet(k)});
    RuleSets tangled{"tangled", alwaysNari(), {}};
    tangled.endings.changeLineBreaks = 1;
    tangled.replacements.clearRules();
    tangled.replacements.addRule({sjis("ナリ"), sjis("猫"), "", ""}, sjis("猫猫"));
    tangled.replacements.addRule({sjis("猫猫"), "", "", ""}, sjis("にゃ、ん。"));
    tangled.replacements.addRule({sjis("ん"), "", "", ""}, "");
    sets.push_back(tangled);
    return sets;
}

std::vector<FormatSettings> formatSettings() {
    FormatSettings busy;
    busy.deleteCommas = 1;
    busy.lineBreakDegree = 9;
    busy.thread.mode = ThreadSettings::BadThread;
    busy.idolNews.supportOn = 1;
    FormatSettings good = busy;
    good.thread.mode = ThreadSettings::GoodThread;
    return {FormatSettings{}, starter().settings, busy, good};
}

// Lines far over the 32 KB at which a segment is fed through the rules in blocks: one
// without any delimiter, one of clauses only.
std::string longLines() {
    std::string plain;
    std::string clauses;
    while (plain.size() < 100 * 1024) {
        plain += sjis("私は猫ですこんにちはありがとう");
        clauses += sjis("こんにちは、私、猫");
    }
    return sjis("はじめに。\r\n") + plain + "\r\n" + clauses + sjis("。\r\n終わり");
}

std::vector<std::pair<std::string, std::string>> texts() {
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += sjis(i % 5 == 0 ? "\r\n" : "私は猫です、こんにちは。ありがとう\r\n　\r\n");
    return {
        {"empty", ""},
        {"one line", sjis("ありがとう、猫です。")},
        {"CR LF lines", lines},
        {"long lines", longLines()},
        {"no final break", lines + sjis("最後の一行、です")},
    };
}

struct Streamed {
    std::string page;
    std::size_t pieces = 0;
    std::size_t largestPiece = 0;
};

Streamed streamed(Converter& converter, std::size_t pieceBytes) {
    Streamed result;
    const bool whole = converter.streamPage(
        [&](std::string_view piece) {
            EXPECT_FALSE(piece.empty());
            result.page.append(piece);
            ++result.pieces;
            result.largestPiece = std::max(result.largestPiece, piece.size());
            return true;
        },
        pieceBytes);
    EXPECT_TRUE(whole);
    return result;
}

TEST(PageStream, PiecesMakeExactlyThePageBuiltInMemory) {
    const std::vector<RuleSets> sets = ruleSets();
    const std::vector<std::pair<std::string, std::string>> inputs = texts();
    for (const FormatSettings& settings : formatSettings()) {
        for (std::size_t style = 0; style < kFormatCount; ++style) {
            for (const RuleSets& rules : sets) {
                for (const auto& [textName, text] : inputs) {
                    const auto format = static_cast<OutputFormat>(style);
                    const std::unique_ptr<Converter> whole = createConverter(format, settings);
                    const std::string page =
                        buildPage(*whole, text, kMoment, rules.endings, rules.replacements);
                    for (const std::size_t pieceBytes :
                         {std::size_t{1}, std::size_t{7}, std::size_t{4096},
                          Converter::kPieceBytes}) {
                        SCOPED_TRACE("style " + std::to_string(style) + ", " + rules.name + ", " +
                                     textName + ", pieces of " + std::to_string(pieceBytes));
                        const std::unique_ptr<Converter> converter =
                            createConverter(format, settings);
                        converter->setInputs(rules.endings, rules.replacements, text);
                        converter->setClock([] { return kMoment; });
                        const Streamed pieces = streamed(*converter, pieceBytes);
                        ASSERT_TRUE(samePage(pieces.page, page));
                        // Pieces are handed over as the page grows, not all at the end,
                        // and a long line's page goes in pieces too.
                        if (pieceBytes < 4096) {
                            EXPECT_LE(pieces.largestPiece, 96u * 1024);
                            if (textName == "CR LF lines") {
                                EXPECT_GT(pieces.pieces, page.size() / 4096);
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(PageStream, ARefusedPieceEndsThePage) {
    // The third piece comes between two segments, or inside a long line.
    for (const std::string& text : {texts()[2].second, longLines()}) {
        for (std::size_t style = 0; style < kFormatCount; ++style) {
            SCOPED_TRACE("style " + std::to_string(style) + ", a text of " +
                         std::to_string(text.size()) + " bytes");
            const std::unique_ptr<Converter> converter =
                createConverter(static_cast<OutputFormat>(style), FormatSettings{});
            const EndingSet endings = alwaysNari();
            const ReplacementSet replacements = noneReplacementSet();
            converter->setInputs(endings, replacements, text);
            converter->setClock([] { return kMoment; });
            const std::string page = converter->buildPage();

            std::string taken;
            int offered = 0;
            const bool whole = converter->streamPage(
                [&](std::string_view piece) {
                    if (++offered == 3)
                        return false;
                    taken.append(piece);
                    return true;
                },
                64);
            EXPECT_FALSE(whole);
            EXPECT_EQ(offered, 3) << "nothing is offered after the refusal";
            EXPECT_EQ(page.compare(0, taken.size(), taken), 0);

            // The same converter builds whole pages again afterwards.
            EXPECT_TRUE(samePage(streamed(*converter, 64).page, page));
            EXPECT_TRUE(samePage(converter->buildPage(), page));
        }
    }
}

} // namespace
} // namespace mireto::test
