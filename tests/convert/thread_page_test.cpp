// The bulletin-board thread page beyond the golden pages: the places where posts
// begin, their numbers and IDs over many moments.
#include "convert/thread_page_converter.h"
#include "page_test_support.h"

#include <set>

namespace mireto::test {
namespace {

// 2002-09-05 21:07 in Japan; the seconds pick the draws.
constexpr std::time_t kFifthOfSeptember2002 = 1031227620;

std::string threadPage(int mode, const std::string& text, std::time_t moment) {
    ThreadSettings settings;
    settings.mode = mode;
    ThreadPageConverter converter(settings);
    return buildPage(converter, text, moment);
}

// letter, two digits and `ending` on each line, each line closed by CR LF.
std::string numberedLines(char letter, int count, const std::string& ending) {
    std::string text;
    for (int line = 1; line <= count; ++line)
        text += letter + std::string(line < 10 ? "0" : "") + std::to_string(line) + ending + "\r\n";
    return text;
}

// The first `length` bytes after each post header other than the first.
std::vector<std::string> postStarts(const std::string& page, std::size_t length) {
    std::vector<std::string> starts;
    for (std::size_t at = page.find("<br><br><dt>"); at != std::string::npos;
         at = page.find("<br><br><dt>", at + 1))
        starts.push_back(page.substr(page.find("<dd>", at) + 4, length));
    return starts;
}

std::vector<std::string> userPostStarts(int mode, const std::string& text, std::time_t moment) {
    std::vector<std::string> starts;
    for (const std::string& start : postStarts(threadPage(mode, text, moment), 3)) {
        if (start[0] == 'L' || start[0] == 'S')
            starts.push_back(start);
    }
    return starts;
}

TEST(ThreadPage, PostsBeginAfterNineStepsInEveryModeAndMoment) {
    // Lines without a full stop are one step each; lines ending with one are two (the
    // sentence and its line break).
    const std::string lines = numberedLines('L', 30, "");
    const std::string sentences = numberedLines('S', 20, sjis("。"));
    for (int mode = 0; mode <= 2; ++mode) {
        for (std::time_t moment = 1031227620; moment < 1031227650; ++moment) {
            EXPECT_EQ(userPostStarts(mode, lines, moment),
                      (std::vector<std::string>{"L10", "L19", "L28"}))
                << "mode " << mode << " moment " << moment;
            EXPECT_EQ(userPostStarts(mode, sentences, moment),
                      (std::vector<std::string>{"S06", "S11", "S16"}))
                << "mode " << mode << " moment " << moment;
        }
    }
}

TEST(ThreadPage, AModeOutsideTheThreeCountsAsNone) {
    // A hand-edited settings file may hold any number.
    const std::string text = numberedLines('L', 40, "");
    for (std::time_t moment = 1031227620; moment < 1031227630; ++moment) {
        EXPECT_EQ(threadPage(7, text, moment), threadPage(0, text, moment));
        EXPECT_EQ(threadPage(-1, text, moment), threadPage(0, text, moment));
    }
}

TEST(ThreadPage, AnEmptyLineIsAStepAndABreak) {
    const std::string text = numberedLines('L', 8, "") + "\r\n" + "L09\r\nL10";
    const std::string page = threadPage(0, text, kFifthOfSeptember2002);
    EXPECT_NE(page.find("L08\r\n<br>\r\n<br><br><br><dt>2 "), std::string::npos);
    EXPECT_EQ(userPostStarts(0, text, kFifthOfSeptember2002), std::vector<std::string>{"L09"});
}

TEST(ThreadPage, ALongSentenceEndsItsPost) {
    const std::string next = sjis("次。");
    auto postsAfter = [&](int characters) {
        std::string text;
        for (int i = 0; i < characters; ++i)
            text += sjis("あ");
        const std::string page = threadPage(0, text + sjis("。") + next, kFifthOfSeptember2002);
        return postStarts(page, next.size());
    };
    // 1749 characters and the full stop are 3500 bytes: not more than the limit.
    EXPECT_TRUE(postsAfter(1749).empty());
    EXPECT_EQ(postsAfter(1750), std::vector<std::string>{next});
}

TEST(ThreadPage, PostNumbersRunOnAndIdsAreEightCharacters) {
    const std::string text = numberedLines('L', 200, "");
    std::set<char> idCharacters;
    for (int mode = 0; mode <= 2; ++mode) {
        for (std::time_t moment = 1031227620; moment < 1031227640; ++moment) {
            const std::string page = threadPage(mode, text, moment);
            int expected = 1;
            for (std::size_t at = page.find("<dt>"); at != std::string::npos;
                 at = page.find("<dt>", at + 1), ++expected) {
                EXPECT_EQ(page.substr(at + 4, page.find(' ', at) - at - 4),
                          std::to_string(expected));
                const std::size_t id = page.find(" ID:", at) + 4;
                ASSERT_EQ(page.compare(id + 8, 4, "<dd>"), 0) << page.substr(id, 20);
                idCharacters.insert(page.begin() + static_cast<std::ptrdiff_t>(id),
                                    page.begin() + static_cast<std::ptrdiff_t>(id + 8));
            }
            EXPECT_GT(expected, 23) << "a post every nine lines, and the canned ones";
        }
    }
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    EXPECT_EQ(idCharacters, std::set<char>(alphabet.begin(), alphabet.end()));
}

} // namespace
} // namespace mireto::test
