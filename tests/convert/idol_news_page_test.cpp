// The idol-news page: its dated head, clause decoration, line breaks and support line.
#include "convert/idol_news_converter.h"
#include "page_test_support.h"

namespace mireto::test {
namespace {

std::string idolHead(const std::string& title, const std::string& anchor,
                     const std::string& dateCell) {
    return "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
           "<HTML>\r\n<HEAD>\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n" +
           sjis("<META name=\"description\" "
                "content=\"バーチャルネットアイドル「ぺかり」のホームページのデザインパクリです\">"
                "\r\n<TITLE>") +
           title +
           "</TITLE>\r\n"
           "<STYLE type=\"text/CSS\">\r\n<!--\r\nBODY { line-height : 130%; }\r\n"
           "TD { line-height : 130%; }\r\n-->\r\n</STYLE>"
           "</HEAD>\r\n"
           "<BODY text=\"#FF80C0\" bgcolor=\"#E1F0F0\" vlink=\"#0000EF\">\r\n"
           "<center>\r\n"
           "<TABLE width=\"95%\" cellpadding=\"10\" bgcolor=\"#E1F0F0\" cellspacing=\"5\">\r\n"
           "  <TBODY>\r\n"
           "    <TR>\r\n"
           "      <TD width=\"30%\" bgcolor=\"#feefda\" nowrap><A name=\"" +
           anchor + "\">" + sjis(dateCell) +
           "</A></TD>"
           "      <TD align=\"center\" bgcolor=\"#edfeda\">" +
           title +
           "</TD>\r\n"
           "    </TR>\r\n"
           "    <TR>\r\n"
           "      <TD colspan=\"2\" bgcolor=\"#FFFFEE\" align=\"left\" valign=\"bottom\">\r\n";
}

const std::string kIdolEnd = "      </TD>\r\n    </TR>\r\n  </TBODY>\r\n</TABLE>\r\n</CENTER>\r\n"
                             "</BODY>\r\n</HTML>";

// 2002-01-03 00:01:00 in Japan. Its draws: 16958, 13961, 9615, 5948, 24234.
constexpr std::time_t kThirdOfJanuary2002 = 1009983660;

std::string idolPage(const IdolNewsSettings& settings, const std::string& text, std::time_t moment,
                     const EndingSet& endings = {}) {
    IdolNewsConverter converter(settings);
    return buildPage(converter, text, moment, endings);
}

TEST(IdolNewsPage, BoldClauseSearchLinkAndSupportLineOnlyWhenSwitchedOnWithOne) {
    // 今日は、: 16958 % 12 = 2 bold; the ending draw 13961 applies ナリ, but there is no
    // full stop. 晴れ。: 9615 % 12 = 3 search link; ending 5948 applied. The empty final
    // segment draws 24234 and writes nothing.
    const std::string head = idolHead(sjis("ぺかりニュースもどき"), "14_1_3", "平成１４年１月３日");
    const std::string body = sjis(
        "<B>今日は、</B>"
        "<A href=\"https://www.google.co.jp/search?q=晴れナリ\" target=\"_blank\">晴れナリ</A>");
    const std::string support =
        sjis("<BR><BR>\r\nバーチャルネットアイドル　ぺかりはソルネ屋を応援しています。<BR>");
    for (int supportOn : {0, 1, 2})
        EXPECT_TRUE(samePage(idolPage({.supportOn = supportOn}, sjis("今日は、晴れ。"),
                                      kThirdOfJanuary2002, alwaysNari()),
                             head + body + (supportOn == 1 ? support : "") + kIdolEnd))
            << "supportOn " << supportOn;
}

TEST(IdolNewsPage, LineBreaksAfterClausesAndEmptyLinesOnTheFirstDayOfReiwa) {
    // 2019-05-01 00:00:00 in Japan draws 19685, 7588, 30293, 16615: % 12 all 4 or more,
    // so every clause is bare.
    const std::string body = sjis("一行目。<BR>\r\n"   // the line break after 。 adds nothing
                                  "二行目、<BR>\r\n"   // nor after 、
                                  "三行目\r\n<BR>\r\n" // a line keeps its CR LF
                                  "<BR>\r\n"           // the empty line
                                  "四");
    EXPECT_TRUE(samePage(
        idolPage({.title = "T"}, sjis("一行目。\r\n二行目、\r\n三行目\r\n\r\n四"), 1556636400),
        idolHead("T", "1_5_1", "令和１年５月１日") + body + kIdolEnd));
}

TEST(IdolNewsPage, LastDayOfHeiseiAndAnEmptyTitle) {
    // 2019-04-30 23:59:59 in Japan.
    EXPECT_EQ(idolPage({.title = ""}, "", 1556636399),
              idolHead("", "31_4_30", "平成３１年４月３０日") + kIdolEnd);
}

} // namespace
} // namespace mireto::test
