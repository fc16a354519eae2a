// The font-play pages (フォント弄り, white type on black, and フォント弄り(背景白),
// black on white): the text broken into clauses, random clauses in big, bold,
// coloured type, and a random run of empty lines after every clause.
#pragma once

#include "convert/converter.h"

#include <array>

namespace mireto {

class FontPlayConverter : public Converter {
public:
    static constexpr int kMaxLineBreakDegree = 9;

    // `lineBreakDegree` comes from a hand-editable file: it is clamped to 0-9, since a
    // negative one would divide by zero and a huge one write billions of breaks.
    FontPlayConverter(bool deleteCommas, int lineBreakDegree, bool whiteBackground);

protected:
    void generate() override;
    // Tags and breaks around every clause make this page about four times its text.
    std::size_t expectedPageBytes(std::size_t textBytes) const override {
        return textBytes * 4 + 4096;
    }

private:
    void emitClause(std::string_view segment, bool convertThisSegment);
    // Draws the clause's emphasis and writes its opening tag; false when it has none.
    bool openFontTag();
    void writeExtraBreaks();

    // An opening tag with room to copy it in one move; an empty one for no emphasis.
    struct Tag {
        std::array<char, 47> bytes;
        unsigned char size;
    };
    // By the draw's remainder by 39.
    using TagTable = std::array<Tag, 39>;
    static TagTable tagTable(bool whiteBackground);

    bool m_whiteBackground;
    bool m_deleteCommas;
    int m_lineBreakDegree;
    int m_baseBreaks;
    TagTable m_tags;
    std::string m_withoutCommas; // a clause with its "、" deleted
};

} // namespace mireto
