// What the live preview's benchmarks type and convert: Japanese prose of a given size,
// and the sets a user plays with.
#pragma once

#include "settings/settings_file.h"

#include <QString>
#include <cstddef>

namespace mireto::bench {

// A text of `bytes` bytes in Shift_JIS: every character, and every line break with
// its CR LF, takes two.
QString textOf(std::size_t bytes);

// Four ending words and a few replacement rules, with `format` as the page style.
CurrentSelection selection(OutputFormat format);

} // namespace mireto::bench
