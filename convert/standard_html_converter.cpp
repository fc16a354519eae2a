#include "convert/standard_html_converter.h"

#include "convert/html_head.h"

namespace mireto {

void StandardHtmlConverter::generate() {
    write(html::kDoctype);
    write(html::kHtmlOpen);
    write(html::kHeadOpen);
    write(html::kMetaLines);
    write("<TITLE>\x95\xCF\x8A\xB7\x82\xB5\x82\xBF\x82\xE1\x82\xA2\x82\xDC\x82\xB5\x82\xBD"
          "</TITLE>\r\n"); // 変換しちゃいました
    write(html::kHeadClose);
    write("<BODY STYLE = \"text-align : center ;font-size : 11pt;color : ");
    write(m_colours.textColour);
    write(" ; background-color : ");
    write(m_colours.backgroundColour);
    write("\">\r\n");
    write("<DIV align=\"center\">");
    write(html::kBreak);
    if (!m_frameless) {
        write("<DIV STYLE = \"border-style : solid ;border-width : 2 ;background-color : "
              "#ffffff ; border-color : ");
        write(m_colours.textColour);
        write("; width : 80% ; text-align : left ;padding : 5pt\">\r\n");
    } else {
        write("<DIV STYLE = \"width : 80% ; text-align : left ;padding : 5pt\">\r\n");
    }

    seedRandom();

    // Sentences stay on their line; a line's end becomes one break.
    scanSentencesAndLines([this](std::string_view segment, bool lineEnds) {
        writeSegment(segment);
        if (lineEnds)
            write(html::kBreak);
    });

    write("</DIV></DIV></BODY></HTML>");
}

void StandardHtmlConverter::writeSegment(std::string_view segment) {
    if (!isBlank(segment))
        writeConverted(segment);
}

} // namespace mireto
