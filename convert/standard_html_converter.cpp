#include "convert/standard_html_converter.h"

#include "convert/html_head.h"
#include "convert/sjis_literal.h"

namespace mireto {

void StandardHtmlConverter::generate() {
    write(html::kDoctype);
    write(html::kHtmlOpen);
    write(html::kHeadOpen);
    write(html::kMetaLines);
    write("<TITLE>変換しちゃいました</TITLE>\r\n"_sjis);
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
