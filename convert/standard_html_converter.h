// The plain page in the user's colours, with or without a white box around the text
// (styles 標準的 and 標準的(枠無し)).
#pragma once

#include "convert/converter.h"

namespace mireto {

class StandardHtmlConverter : public Converter {
public:
    StandardHtmlConverter(StandardColours colours, bool frameless)
        : m_colours(std::move(colours)), m_frameless(frameless) {}

protected:
    void generate() override;

private:
    void writeSegment(std::string_view segment);

    StandardColours m_colours;
    bool m_frameless;
};

} // namespace mireto
