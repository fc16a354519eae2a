// The house-style page, byte for byte, with its emphasis draws.
#include "convert/house_style_converter.h"
#include "page_test_support.h"

namespace mireto::test {
namespace {

std::string houseHead() {
    return kHeadOpening + sjis("<TITLE>ミルテア</TITLE>\r\n") +
           "<STYLE>\r\nBODY\r\n{\r\n\ttext-align : center ;font-size : 11pt;color : #404040 ; "
           "background-color : #e0f8e0 ;\r\n\tscrollbar-arrow-color:#b47020;\r\n}\r\n"
           "STRONG.LV1\r\n{\r\n\tfont-size : 11pt;color : #666666 ;\r\n}\r\n"
           "STRONG.LV2\r\n{\r\n\tfont-size : 13pt;color : #666666 ;\r\n}\r\n"
           "DIV.text\r\n{\r\n\tborder-width : 4 ;border-style : dotted ;border-color : #e23d3d "
           ";width:85%;background-color :#fffae1; padding : 5pt 20pt 5pt 20pt;layout-grid-line: "
           "22;\r\n}\r\n" +
           sjis("HR\r\n{\r\n\tcolor : #b47020 ;　width:90%;height:4px;\r\n}\r\n</STYLE>\r\n") +
           "</HEAD>\r\n<BODY>\r\n<DIV align=\"center\"><BR>\r\n<BR>\r\n<HR><BR>\r\n<BR>\r\n"
           "<DIV CLASS = text ALIGN=\"left\">\r\n<BR>\r\n";
}

const std::string kHouseEnd = "</DIV><BR>\r\n<BR>\r\n<HR><BR>\r\n<BR>\r\n</DIV></BODY></HTML>";

TEST(HousePage, EmptyTextDrawsOnceAndWritesOneBreak) {
    HouseStyleConverter converter;
    EXPECT_TRUE(samePage(buildPage(converter, "", 0), houseHead() + "<BR>\r\n" + kHouseEnd));
}

TEST(HousePage, EmphasisDrawComesBeforeTheEndingDraw) {
    // Seed 1000000015 draws 18735, 26226, 2837, 31892, 19408, 27939: emphasis 0 (small),
    // ending 26 (applied), emphasis 2 (large), ending 92 (not applied), emphasis 13
    // (bare), ending 39 (applied, but there is no full stop).
    EndingSet endings;
    endings.words = {sjis("ナリ"), "", "", ""};
    endings.frequencies = {50, 0, 0, 0};
    HouseStyleConverter converter;
    const std::string page =
        buildPage(converter, sjis("一つ。二つ。\r\n\r\n三つ"), 1000000015, endings);
    const std::string body = sjis("<STRONG CLASS = LV1>一つナリ</STRONG><BR>\r\n"
                                  "<STRONG CLASS = LV2>二つ。</STRONG><BR>\r\n"
                                  "<BR>\r\n"
                                  "三つ<BR>\r\n");
    EXPECT_TRUE(samePage(page, houseHead() + body + kHouseEnd));
}

} // namespace
} // namespace mireto::test
