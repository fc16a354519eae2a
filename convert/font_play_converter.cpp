#include "convert/font_play_converter.h"

#include "convert/html_head.h"
#include "convert/sjis_text.h"

#include <algorithm>

namespace mireto {

namespace {

// A line holding only a full-width space: written as nothing, like an empty line.
constexpr std::string_view kFullWidthSpaceLine = "\x81@\r\n";

} // namespace

FontPlayConverter::FontPlayConverter(int deleteCommas, int lineBreakDegree, int whiteBackground)
    : m_whiteBackground(whiteBackground != 0), m_deleteCommas(deleteCommas),
      m_lineBreakDegree(std::clamp(lineBreakDegree, 0, kMaxLineBreakDegree)),
      m_baseBreaks(std::max(m_lineBreakDegree - 3, 0)) {}

void FontPlayConverter::generate() {
    // Tags and breaks around every clause make this page about four times its text.
    reserveOutput(text().size() * 4);
    write(html::kDoctype);
    write(html::kHtmlOpen);
    write(html::kHeadOpen);
    write(html::kMetaLines);
    write("\r\n<TITLE>\x98M\x82\xE8HTML</TITLE>\r\n"); // 弄りHTML
    write(html::kHeadClose);
    if (m_whiteBackground)
        write("<BODY bgcolor=\"#ffffff\" text=\"#000000\" link=\"#00cccc\" vlink=\"#999999\">\r\n");
    else
        write("<BODY bgcolor=\"#000000\" text=\"#ffffff\" link=\"#00cccc\" vlink=\"#999999\">\r\n");
    write("<P align=\"center\">\r\n");

    seedRandom();

    startScan(kClauseDelimiters);
    while (scanStep()) {
        const bool sentenceEnds = endsHere(sjis::kFullStop);
        const bool lineEnds = endsHere(sjis::kLineBreak);
        if (sentenceEnds) {
            emitClause(segment(), true);
        } else if (lineEnds) {
            // A break after a finished sentence, or an empty line, is one break of its own.
            const std::string_view before = twoBytesBefore();
            if (before == sjis::kFullStop || before == sjis::kLineBreak) {
                write(html::kBreak);
                finishStep();
                continue;
            }
            emitClause(segment(), endingSet().changeLineBreaks == 1);
        } else {
            emitClause(segment(), false);
        }
        if (sentenceEnds || lineEnds)
            write(html::kBreak);
        finishStep();
    }
    // The text's last piece keeps its ending, whatever it is.
    emitClause(segment(), false);

    write("</P>\r\n");
    write("</BODY>\r\n</HTML>");
}

void FontPlayConverter::emitClause(std::string_view segment, bool convertThisSegment) {
    std::string_view clause = segment;
    if (m_deleteCommas == 1) {
        m_withoutCommas.assign(segment);
        replaceInSegment(m_withoutCommas, sjis::kComma, "");
        clause = m_withoutCommas;
    }
    // Single-byte white space only: a leading full-width space is kept.
    clause.remove_prefix(std::min(clause.find_first_not_of(" \t\r\n"), clause.size()));
    if (isBlank(clause) || clause == kFullWidthSpaceLine)
        return;

    const bool tagged = openFontTag();
    writeConverted(clause, convertThisSegment);
    if (tagged)
        write("</FONT></B>\r\n");
    writeExtraBreaks();
}

bool FontPlayConverter::openFontTag() {
    const int r = draw();
    const int colourChoice = r % 13;
    const int sizeChoice = r % 3;

    int size = 0;
    std::string_view colour;
    if (m_whiteBackground) {
        if (colourChoice > 4)
            return false;
        size = sizeChoice == 2 ? 3 : 2;
        if (colourChoice <= 2)
            colour = "#ff0000";
    } else {
        if (colourChoice > 5)
            return false;
        size = sizeChoice + 1;
        static constexpr std::string_view kColours[] = {"#ff0000", "#ff0000", "#ff0000",
                                                        "#ffff00", "#00ffff", "#ff00ff"};
        colour = kColours[colourChoice];
    }

    write("<FONT size=\"+");
    write(std::string(1, static_cast<char>('0' + size)));
    write("\"");
    if (!colour.empty()) {
        write(" color=\"");
        write(colour);
        write("\"");
    }
    write("><B>");
    return true;
}

void FontPlayConverter::writeExtraBreaks() {
    const int breaks = m_baseBreaks + draw() % (m_lineBreakDegree / 2 + 5);
    for (int i = 0; i < breaks; ++i)
        write(html::kBreak);
}

} // namespace mireto
