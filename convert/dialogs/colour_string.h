// The "#RRGGBB" colour strings of the standard pages, read and written for the colour
// dialog. Nothing else looks at their form: the pages carry them unchanged.
#pragma once

#include <QColor>
#include <string>
#include <string_view>

namespace mireto {

// Reads the three hex pairs after the first character. A pair stops at its first
// character that is not a hex digit and gives 0 without one; a short string reads as
// if it went on with non-digits, so nothing past its end is touched.
QColor parseColourString(std::string_view text);

// "#RRGGBB" with upper-case digits.
std::string formatColourString(const QColor& colour);

} // namespace mireto
