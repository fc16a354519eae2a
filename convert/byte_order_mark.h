// The UTF-8 byte-order mark that Windows editors put before a text: not part of it.
#pragma once

#include <string_view>

namespace mireto {

inline constexpr std::string_view kUtf8ByteOrderMark = "\uFEFF";

// `utf8` without a byte-order mark at its start.
constexpr std::string_view withoutByteOrderMark(std::string_view utf8) {
    return utf8.starts_with(kUtf8ByteOrderMark) ? utf8.substr(kUtf8ByteOrderMark.size()) : utf8;
}

} // namespace mireto
