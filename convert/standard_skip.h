// What the standard and house-style pages do on a scanner step at which a line
// break ends: after a finished sentence nothing (the sentence closed its line), for
// an empty line one break, otherwise the segment is written.
#pragma once

#include "convert/sjis_text.h"

#include <string_view>

namespace mireto {

enum class StandardStep { Emit, Skip, EmptyLine };

inline StandardStep classifyStandardStep(bool lineBreakEndsHere, std::string_view twoBytesBefore) {
    if (!lineBreakEndsHere)
        return StandardStep::Emit;
    if (twoBytesBefore == sjis::kFullStop)
        return StandardStep::Skip;
    if (twoBytesBefore == sjis::kLineBreak)
        return StandardStep::EmptyLine;
    return StandardStep::Emit;
}

} // namespace mireto
