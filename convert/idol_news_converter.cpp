#include "convert/idol_news_converter.h"

#include "convert/html_head.h"
#include "convert/japanese_era.h"
#include "convert/sjis_literal.h"
#include "convert/sjis_text.h"

#include <string>

namespace mireto {

void IdolNewsConverter::generate() {
    // Seeded before the head so that the entry's date and the draws share one moment.
    seedRandom();
    writeHead(localCalendarTime(moment()));

    startScan(kClauseDelimiters);
    while (scanStep()) {
        const bool lineEnds = endsHere(sjis::kLineBreak);
        if (lineEnds) {
            // A line break after a clause adds nothing; an empty line adds one break.
            const std::string_view before = twoBytesBefore();
            if (before == sjis::kFullStop || before == sjis::kComma) {
                finishStep();
                continue;
            }
            if (before == sjis::kLineBreak) {
                write(html::kBreak);
                finishStep();
                continue;
            }
        }
        emitClause(segment());
        if (lineEnds)
            write(html::kBreak);
        finishStep();
    }
    emitClause(segment());

    if (m_settings.supportOn == 1) {
        write("<BR><BR>\r\n");
        write(m_settings.name);
        write("は"_sjis);
        write(m_settings.supportTarget);
        write("を応援しています。<BR>"_sjis);
    }

    write("      </TD>\r\n");
    write("    </TR>\r\n");
    write("  </TBODY>\r\n");
    write("</TABLE>\r\n");
    write("</CENTER>\r\n");
    write("</BODY>\r\n</HTML>");
}

void IdolNewsConverter::writeHead(const std::tm& date) {
    const EraYear era = japaneseEra(date);
    const int month = date.tm_mon + 1;
    const int day = date.tm_mday;

    write(html::kDoctype);
    write("<HTML>\r\n<HEAD>\r\n");
    write("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n");
    // バーチャルネットアイドル「ぺかり」のホームページのデザインパクリです
    write("<META name=\"description\" content=\""
          "バーチャルネットアイドル「ぺかり」のホームページのデザインパクリです\">\r\n"
          "<TITLE>"_sjis);
    write(m_settings.title);
    write("</TITLE>\r\n");
    write("<STYLE type=\"text/CSS\">\r\n<!--\r\nBODY { line-height : 130%; }\r\n"
          "TD { line-height : 130%; }\r\n-->\r\n</STYLE>");
    write(html::kHeadClose);
    write("<BODY text=\"#FF80C0\" bgcolor=\"#E1F0F0\" vlink=\"#0000EF\">\r\n");
    write("<center>\r\n");
    write("<TABLE width=\"95%\" cellpadding=\"10\" bgcolor=\"#E1F0F0\" cellspacing=\"5\">\r\n");
    write("  <TBODY>\r\n");
    write("    <TR>\r\n");
    write("      <TD width=\"30%\" bgcolor=\"#feefda\" nowrap><A name=\"");
    write(std::to_string(era.year) + "_" + std::to_string(month) + "_" + std::to_string(day));
    write("\">");
    write(era.name);
    write(fullWidthTwoDigits(era.year));
    write("年"_sjis);
    write(fullWidthTwoDigits(month));
    write("月"_sjis);
    write(fullWidthTwoDigits(day));
    write("日"_sjis);
    write("</A></TD>");
    write("      <TD align=\"center\" bgcolor=\"#edfeda\">");
    write(m_settings.title);
    write("</TD>\r\n");
    write("    </TR>\r\n");
    write("    <TR>\r\n");
    write("      <TD colspan=\"2\" bgcolor=\"#FFFFEE\" align=\"left\" valign=\"bottom\">\r\n");
}

void IdolNewsConverter::emitClause(std::string_view segment) {
    // The decoration is drawn for every emission, blank ones included.
    const int decoration = draw() % 12;
    if (isBlank(segment))
        return;
    if (decoration == 3) {
        // The clause goes into the address as it is, like the rest of the page, which
        // writes the user's text as HTML on purpose.
        const std::string& clause = convertSegment(segment);
        write("<A href=\"");
        write(kSearchAddress);
        write("?q=");
        write(clause);
        write("\" target=\"_blank\">");
        write(clause);
        write("</A>");
        return;
    }
    // Bold for three decorations in twelve, without a branch on the draw.
    constexpr std::string_view kBold = "<B>";
    constexpr std::string_view kBoldEnd = "</B>";
    const bool bold = decoration <= 2;
    writeFirst(kBold, bold ? kBold.size() : 0);
    writeConverted(segment);
    writeFirst(kBoldEnd, bold ? kBoldEnd.size() : 0);
}

} // namespace mireto
