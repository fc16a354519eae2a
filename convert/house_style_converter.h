// The fixed house-style page (ソルネ屋仕様): green page, dotted red frame, rules
// above and below the text, and random emphasis of sentences.
#pragma once

#include "convert/converter.h"

namespace mireto {

class HouseStyleConverter : public Converter {
protected:
    void generate() override;

private:
    void writeSegment(std::string_view segment);
};

} // namespace mireto
