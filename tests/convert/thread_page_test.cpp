// The bulletin-board thread page: exact pages for each thread mode, and the places
// where posts begin, their numbers and IDs over many moments.
#include "convert/thread_canned_texts.h"
#include "convert/thread_page_converter.h"
#include "page_test_support.h"

#include <set>

namespace mireto::test {
namespace {

namespace texts = thread_texts;

// 2002-09-05 21:07 in Japan; the seconds pick the draws.
constexpr std::time_t kFifthOfSeptember2002 = 1031227620;
const std::string kDate = "02/09/5 21:07";

std::string threadHead(const std::string& title) {
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=Shift_JIS\"><title>" +
           title +
           "</title>\r\n"
           "</head><body bgcolor=#efefef text=black link=blue alink=red vlink=#660099>\r\n" +
           sjis("<a href=\"./tmp\">■掲示板に戻る■</a> <a href=\"./tmp\">全部</a> "
                "<a href=\"./tmp\">1-</a> <a href=\"./tmp\">101-</a> "
                "<a href=\"./tmp\">最新50</a><p><font size=+1 color=red>") +
           title + "</font>";
}

// The default head and post 1 with its ID.
std::string opening(const std::string& id) {
    return threadHead(sjis("一人語りスレ")) +
           sjis("<dl><dt>1 ：<font color=green><b>名無しさん</b></font> ：") + kDate + " ID:" + id +
           "<dd>";
}

// A post header after the first; `mail` is empty, "age" or "sage".
std::string header(int number, const std::string& mail, const std::string& id,
                   const std::string& date = kDate) {
    const std::string name = "<b>" + sjis("名無しさん") + "</b>";
    return "<br><br><dt>" + std::to_string(number) + " " +
           (mail.empty() ? "<font color=green>" + name + "</font>"
                         : "<a href=\"mailto:" + mail + "\">" + name + "</a>") +
           sjis(" ：") + date + " ID:" + id + "<dd>";
}

const std::string kFooter = std::string(texts::kThreadEnd) + std::string(texts::kReplyForm);
const std::string kScolding = sjis("<a href=\"./tmp\">>> 1</a><br>クソスレ立てんな　ヴォケ！");
const std::string kLastTwoLines = "L10\r\n<br>\r\nL11";

std::string threadPage(int mode, const std::string& text, std::time_t moment) {
    ThreadSettings settings;
    settings.mode = mode;
    ThreadPageConverter converter(settings);
    return buildPage(converter, text, moment);
}

// letter, two digits and `ending` on each line, each line closed by `lineEnd`.
std::string numberedLines(char letter, int count, const std::string& ending,
                          const std::string& lineEnd = "\r\n") {
    std::string text;
    for (int line = 1; line <= count; ++line)
        text +=
            letter + std::string(line < 10 ? "0" : "") + std::to_string(line) + ending + lineEnd;
    return text;
}

const std::string kElevenLines = numberedLines('L', 10, "") + "L11";
const std::string kFirstNineWritten = numberedLines('L', 9, "", "\r\n<br>\r\n");

TEST(ThreadPage, ShortBadThreadGetsOpeningRepliesAndTheClosingLetter) {
    // Seed 1031227621: the first ID takes draws 1-8 (0EPz7wi4); draw 9 is 0 mod 3, so
    // post 2 claims the second post (draws 10-17: HJYD+3xN); post 3 scolds poster 1
    // (draws 18-25: VpXnUy3I); draw 26 is 0 mod 3, the mother's letter, whose post
    // takes draws 27-34 (FbnTbTfv).
    const std::string expected =
        opening("0EPz7wi4") +
        sjis("今日は晴れ。<br>\r\n" // the sentence closes its line
             "明日は雨\r\n<br>\r\n" // a line keeps its CR LF
             "<br>"                 // the empty line
             "終わり") +
        header(2, "sage", "HJYD+3xN") + std::string(texts::kClaimSecondPost) +
        header(3, "sage", "VpXnUy3I") + kScolding + header(4, "", "FbnTbTfv") +
        std::string(texts::kMotherLetter) + "<br><br><br>" + kFooter;
    EXPECT_TRUE(samePage(threadPage(2, sjis("今日は晴れ。\r\n明日は雨\r\n\r\n終わり"), 1031227621),
                         expected));
}

TEST(ThreadPage, SentencesAreConvertedAndTheTitleAndNameAreTheSettings) {
    ThreadSettings settings;
    settings.title = sjis("題");
    settings.name = "";
    ThreadPageConverter converter(settings);
    const std::string page = buildPage(converter, sjis("文。"), 1031227621, alwaysNari());
    EXPECT_EQ(page.rfind(threadHead(sjis("題")), 0), 0u);
    EXPECT_NE(page.find("<dl><dt>1 " + sjis("：") + "<font color=green><b></b></font>"),
              std::string::npos);
    EXPECT_NE(page.find(sjis("文ナリ<br>\r\n")), std::string::npos);
}

TEST(ThreadPage, ElevenLinesInEachMode) {
    const struct {
        int mode;
        std::time_t moment;
        std::string firstId, afterNineLines;
    } cases[] = {
        // Seed 1031227676: first ID 0qYWZG1t. Before line 10 (nine steps since post 1
        // began) the reply block writes the opening replies (draw 9 is 0 mod 3: post 2
        // claims the second post, +MdzMwkB), then draws 0 mod 5: a sage header for the
        // user's post 3 (iQw7kE7p).
        {0, 1031227676, "0qYWZG1t",
         header(2, "sage", "+MdzMwkB") + std::string(texts::kClaimSecondPost) +
             header(3, "sage", "iQw7kE7p") + kLastTwoLines},
        // Seed 1031227644: first ID 3fUnepTq; opening replies: the second-post claim
        // (91xpSX9h) and the omen (BT4K1YZY); then 0 mod 5: an age post (lI5cdABv) with a
        // good-thread reply drawn 1 mod 3 (良スレage), and the user's plain post 5 (hNi87RPk).
        {1, 1031227644, "3fUnepTq",
         header(2, "sage", "91xpSX9h") + std::string(texts::kClaimSecondPost) +
             header(3, "sage", "BT4K1YZY") + sjis("良 ス レ の 予 感") +
             header(4, "age", "lI5cdABv") + sjis("良スレage<br>") + header(5, "", "hNi87RPk") +
             kLastTwoLines},
        // Seed 1031227657: first ID yW31G05I; no second-post claim; the scolding post 2
        // (TOYGsNQF); then 1 mod 5 and an odd second draw: a sage post 3 (vPrMJXIH) with a
        // bad-thread reply drawn 1 mod 4 (the certificate), the user's plain post 4
        // (O3hYSHbj); at the end the physician's letter (2 mod 3) in post 5 (kV34Uawo).
        {2, 1031227657, "yW31G05I",
         header(2, "sage", "TOYGsNQF") + kScolding + header(3, "sage", "vPrMJXIH") +
             std::string(texts::kBadCertificateTop) +
             sjis("│平成14年 9月　 　 　　　２ｃｈ　クソスレ審査委員会. 　 　 　 |<br>") +
             std::string(texts::kCertificateBottom) + header(4, "", "O3hYSHbj") + kLastTwoLines +
             header(5, "", "kV34Uawo") + std::string(texts::kPhysicianLetter) + "<br><br><br>"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(samePage(threadPage(c.mode, kElevenLines, c.moment),
                             opening(c.firstId) + kFirstNineWritten + c.afterNineLines + kFooter))
            << "mode " << c.mode;
}

TEST(ThreadPage, GoodCertificateIsDatedInTheEraOfThePage) {
    // 2019-05-01 12:00:00 in Japan: omen post 2, age post 3 (6ca/3gr0) with the
    // certificate (good-thread draw 2 mod 3), user's post 4 (vgEzB56Q).
    const std::string reiwa = threadPage(1, kElevenLines, 1556679600);
    EXPECT_NE(reiwa.find(header(3, "age", "6ca/3gr0", "19/05/1 12:00") +
                         std::string(texts::kGoodCertificateTop) + sjis("│令和1年 5月") +
                         sjis("　 　　 　 ２ｃｈ　優良スレ審査委員会. 　 　 　 |<br>") +
                         std::string(texts::kCertificateBottom) +
                         header(4, "", "vgEzB56Q", "19/05/1 12:00")),
              std::string::npos);
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
