#include "convert/dialogs/colour_string.h"

#include <cstdio>

namespace mireto {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int readPair(std::string_view text, std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 2 && i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

QColor parseColourString(std::string_view text) {
    return QColor(readPair(text, 1), readPair(text, 3), readPair(text, 5));
}

std::string formatColourString(const QColor& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red(), colour.green(), colour.blue());
    return text;
}

} // namespace mireto
