#include "cli/utf8_to_sjis.h"

#include "convert/sjis_codec.h"

namespace mireto::cli {

SjisConversion utf8ToSjis(std::string_view utf8) {
    // A byte-order mark, as Windows editors write, is not part of the text.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::size_t start = utf8.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    SjisEncoding encoding = mireto::utf8ToSjis(utf8.substr(start), Unmappable::CharacterReference);
    if (!encoding)
        return {false,
                {},
                "input is not valid UTF-8 at byte " + std::to_string(start + encoding.offset)};
    return {true, std::move(encoding.bytes), {}};
}

} // namespace mireto::cli
