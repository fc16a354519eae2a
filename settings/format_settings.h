// The per-style page settings the editor holds and every conversion reads.
#pragma once

#include "settings/records.h"

namespace mireto {

struct FormatSettings {
    IdolNewsSettings idolNews;
    StandardColours standardColours;
    ThreadSettings thread;
    std::int32_t deleteCommas = 0;
    std::int32_t lineBreakDegree = 0;

    FontPlaySettings fontPlay() const { return {deleteCommas, lineBreakDegree}; }
    void setFontPlay(const FontPlaySettings& values) {
        deleteCommas = values.deleteCommas;
        lineBreakDegree = values.lineBreakDegree;
    }

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};

} // namespace mireto
