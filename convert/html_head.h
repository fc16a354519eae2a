// The opening lines shared by the standard, house-style and other pages.
#pragma once

#include <string_view>

namespace mireto::html {

inline constexpr std::string_view kDoctype =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n";
inline constexpr std::string_view kHtmlOpen = "<HTML lang=\"ja\">\r\n";
inline constexpr std::string_view kHeadOpen = "<HEAD>\r\n";
inline constexpr std::string_view kHeadClose = "</HEAD>\r\n";
// The three meta lines: language, Shift_JIS content type, CSS.
inline constexpr std::string_view kMetaLines =
    "<meta http-equiv=\"content-language\" content=\"ja\">\r\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">\r\n"
    "<meta http-equiv=\"content-style-type\" content=\"text/css\">\r\n";
inline constexpr std::string_view kBreak = "<BR>\r\n";

} // namespace mireto::html
