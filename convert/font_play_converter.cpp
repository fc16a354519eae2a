#include "convert/font_play_converter.h"

#include "convert/html_head.h"
#include "convert/sjis_text.h"

#include <algorithm>

namespace mireto {

namespace {

// A line holding only a full-width space: written as nothing, like an empty line.
constexpr std::string_view kFullWidthSpaceLine = "\x81@\r\n";

// The black page's opening tags by colour draw (0-5) and size draw (0-2): red three
// times in six, then yellow, cyan and magenta; sizes +1 to +3.
constexpr std::string_view kBlackPageTags[6][3] = {
    {"<FONT size=\"+1\" color=\"#ff0000\"><B>", "<FONT size=\"+2\" color=\"#ff0000\"><B>",
     "<FONT size=\"+3\" color=\"#ff0000\"><B>"},
    {"<FONT size=\"+1\" color=\"#ff0000\"><B>", "<FONT size=\"+2\" color=\"#ff0000\"><B>",
     "<FONT size=\"+3\" color=\"#ff0000\"><B>"},
    {"<FONT size=\"+1\" color=\"#ff0000\"><B>", "<FONT size=\"+2\" color=\"#ff0000\"><B>",
     "<FONT size=\"+3\" color=\"#ff0000\"><B>"},
    {"<FONT size=\"+1\" color=\"#ffff00\"><B>", "<FONT size=\"+2\" color=\"#ffff00\"><B>",
     "<FONT size=\"+3\" color=\"#ffff00\"><B>"},
    {"<FONT size=\"+1\" color=\"#00ffff\"><B>", "<FONT size=\"+2\" color=\"#00ffff\"><B>",
     "<FONT size=\"+3\" color=\"#00ffff\"><B>"},
    {"<FONT size=\"+1\" color=\"#ff00ff\"><B>", "<FONT size=\"+2\" color=\"#ff00ff\"><B>",
     "<FONT size=\"+3\" color=\"#ff00ff\"><B>"},
};
// The white page's: red for colour draws 0-2, no colour for 3 and 4; size +2 for size
// draws 0 and 1, +3 for 2.
constexpr std::string_view kWhitePageRedTags[3] = {"<FONT size=\"+2\" color=\"#ff0000\"><B>",
                                                   "<FONT size=\"+2\" color=\"#ff0000\"><B>",
                                                   "<FONT size=\"+3\" color=\"#ff0000\"><B>"};
constexpr std::string_view kWhitePagePlainTags[3] = {
    "<FONT size=\"+2\"><B>", "<FONT size=\"+2\"><B>", "<FONT size=\"+3\"><B>"};

constexpr std::string_view kCloseTag = "</FONT></B>\r\n";

// The most breaks one clause gets: degree 9 gives 6 + 0 to 8.
constexpr int kMostExtraBreaks = 14;
constexpr std::string_view kExtraBreaks =
    "<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n"
    "<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n<BR>\r\n";
static_assert(kExtraBreaks.size() == kMostExtraBreaks * html::kBreak.size());

} // namespace

FontPlayConverter::FontPlayConverter(bool deleteCommas, int lineBreakDegree, bool whiteBackground)
    : m_whiteBackground(whiteBackground), m_deleteCommas(deleteCommas),
      m_lineBreakDegree(std::clamp(lineBreakDegree, 0, kMaxLineBreakDegree)),
      m_baseBreaks(std::max(m_lineBreakDegree - 3, 0)), m_tags(tagTable(m_whiteBackground)) {}

void FontPlayConverter::generate() {
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
    const bool lineBreaksEnd = endingSet().changeLineBreaks == 1;
    while (scanStep()) {
        const bool sentenceEnds = endsHere(sjis::kFullStop);
        const bool lineEnds = endsHere(sjis::kLineBreak);
        if (lineEnds && !sentenceEnds) {
            // A break after a finished sentence, or an empty line, is one break of its own.
            const std::string_view before = twoBytesBefore();
            if (before == sjis::kFullStop || before == sjis::kLineBreak) {
                write(html::kBreak);
                finishStep();
                continue;
            }
        }
        // A sentence gets its ending, a line its ending when line breaks take one too.
        emitClause(segment(), sentenceEnds || (lineEnds && lineBreaksEnd));
        writeFirst(html::kBreak, sentenceEnds || lineEnds ? html::kBreak.size() : 0);
        finishStep();
    }
    // The text's last piece keeps its ending, whatever it is.
    emitClause(segment(), false);

    write("</P>\r\n");
    write("</BODY>\r\n</HTML>");
}

void FontPlayConverter::emitClause(std::string_view segment, bool convertThisSegment) {
    std::string_view clause = segment;
    if (m_deleteCommas) {
        m_withoutCommas.assign(segment);
        replaceInSegment(m_withoutCommas, sjis::kComma, "");
        clause = m_withoutCommas;
    }
    // Single-byte white space only: a leading full-width space is kept.
    while (!clause.empty() &&
           (clause[0] == ' ' || clause[0] == '\t' || clause[0] == '\r' || clause[0] == '\n'))
        clause.remove_prefix(1);
    if (isBlank(clause) || clause == kFullWidthSpaceLine)
        return;

    const bool tagged = openFontTag();
    writeConverted(clause, convertThisSegment);
    writeFirst(kCloseTag, tagged ? kCloseTag.size() : 0);
    writeExtraBreaks();
}

FontPlayConverter::TagTable FontPlayConverter::tagTable(bool whiteBackground) {
    TagTable table{};
    // A draw's remainder by 39 tells its remainders by 13 and by 3.
    for (int remainder = 0; remainder < 39; ++remainder) {
        const int colourChoice = remainder % 13;
        const int sizeChoice = remainder % 3;
        std::string_view tag;
        if (whiteBackground && colourChoice <= 4)
            tag =
                colourChoice <= 2 ? kWhitePageRedTags[sizeChoice] : kWhitePagePlainTags[sizeChoice];
        else if (!whiteBackground && colourChoice <= 5)
            tag = kBlackPageTags[colourChoice][sizeChoice];
        Tag& entry = table[static_cast<std::size_t>(remainder)];
        tag.copy(entry.bytes.data(), tag.size());
        entry.size = static_cast<unsigned char>(tag.size());
    }
    return table;
}

bool FontPlayConverter::openFontTag() {
    // The draw's remainders by 13 (the colour, or none) and by 3 (the size) pick the
    // tag from a table: a clause costs no branch on its emphasis.
    const Tag& tag = m_tags[static_cast<std::size_t>(draw() % 39)];
    writeFirst(std::string_view(tag.bytes.data(), tag.bytes.size()), tag.size);
    return tag.size != 0;
}

void FontPlayConverter::writeExtraBreaks() {
    // The draw's remainder by one of five numbers: each a constant here, so that a
    // clause costs a multiplication rather than a division.
    const int r = draw();
    int extra = 0;
    switch (m_lineBreakDegree / 2 + 5) {
    case 5:
        extra = r % 5;
        break;
    case 6:
        extra = r % 6;
        break;
    case 7:
        extra = r % 7;
        break;
    case 8:
        extra = r % 8;
        break;
    default:
        extra = r % 9;
        break;
    }
    const int breaks = m_baseBreaks + extra;
    writeFirst(kExtraBreaks, static_cast<std::size_t>(breaks) * html::kBreak.size());
}

} // namespace mireto
