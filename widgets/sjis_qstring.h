// Between Qt's Unicode strings and the core's Shift_JIS bytes, through the core's codec
// (convert/sjis_codec.h). Nothing is lost silently: a lossy conversion is reported to the
// caller.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace mireto {

// Shift_JIS bytes to Unicode; nullopt when the bytes are not valid Shift_JIS.
std::optional<QString> decodeSjis(std::string_view bytes);

// Like decodeSjis, for strings the program itself stored (names, settings): bytes that
// do not decode become U+FFFD rather than vanishing.
QString fromSjis(std::string_view bytes);

// Unicode to Shift_JIS; nullopt when a character has no Shift_JIS form.
std::optional<std::string> encodeSjis(const QString& text);

// Unicode to Shift_JIS for a page: a character without a Shift_JIS form becomes an
// HTML numeric character reference (&#x1F363;), so the page still shows it.
std::string encodeSjisForPage(const QString& text);

} // namespace mireto
