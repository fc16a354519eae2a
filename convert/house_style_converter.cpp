#include "convert/house_style_converter.h"

#include "convert/html_head.h"

namespace mireto {

namespace {

constexpr std::string_view kStyleSheet =
    "<STYLE>\r\nBODY\r\n{\r\n\ttext-align : center ;font-size : 11pt;color : #404040 ; "
    "background-color : #e0f8e0 ;\r\n\tscrollbar-arrow-color:#b47020;\r\n}\r\n"
    "STRONG.LV1\r\n{\r\n\tfont-size : 11pt;color : #666666 ;\r\n}\r\n"
    "STRONG.LV2\r\n{\r\n\tfont-size : 13pt;color : #666666 ;\r\n}\r\n"
    "DIV.text\r\n{\r\n\tborder-width : 4 ;border-style : dotted ;border-color : #e23d3d "
    ";width:85%;background-color :#fffae1; padding : 5pt 20pt 5pt 20pt;layout-grid-line: "
    "22;\r\n}\r\n"
    // The gap before width:90% is a full-width space.
    "HR\r\n{\r\n\tcolor : #b47020 ;\x81@width:90%;height:4px;\r\n}\r\n</STYLE>\r\n";

constexpr std::string_view kTwoBreaks = "<BR>\r\n<BR>\r\n";

} // namespace

void HouseStyleConverter::generate() {
    write(html::kDoctype);
    write(html::kHtmlOpen);
    write(html::kHeadOpen);
    write(html::kMetaLines);
    write("<TITLE>\x83~\x83\x8B\x83"
          "e\x83"
          "A</TITLE>\r\n"); // ミルテア
    write(kStyleSheet);
    write(html::kHeadClose);
    write("<BODY>\r\n");
    write("<DIV align=\"center\">");
    write(kTwoBreaks);
    write("<HR>");
    write(kTwoBreaks);
    write("<DIV CLASS = text ALIGN=\"left\">\r\n");
    write(html::kBreak);

    seedRandom();

    // Every sentence and every line ends with a break of its own (see writeSegment).
    scanSentencesAndLines([this](std::string_view segment, bool) { writeSegment(segment); });

    write("</DIV>");
    write(kTwoBreaks);
    write("<HR>");
    write(kTwoBreaks);
    write("</DIV></BODY></HTML>");
}

void HouseStyleConverter::writeSegment(std::string_view segment) {
    // The emphasis is drawn for every emission, blank ones included.
    const int emphasis = draw() % 15;
    if (!isBlank(segment)) {
        // Level 1 for two draws in fifteen, level 2 for one, without a branch on the draw.
        constexpr std::string_view kLevels[] = {"<STRONG CLASS = LV1>", "<STRONG CLASS = LV1>",
                                                "<STRONG CLASS = LV2>"};
        constexpr std::string_view kEnd = "</STRONG>";
        const bool strong = emphasis <= 2;
        const std::string_view open = kLevels[strong ? emphasis : 0];
        writeFirst(open, strong ? open.size() : 0);
        writeConverted(segment);
        writeFirst(kEnd, strong ? kEnd.size() : 0);
    }
    write(html::kBreak);
}

} // namespace mireto
