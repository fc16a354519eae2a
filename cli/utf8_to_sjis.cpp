#include "cli/utf8_to_sjis.h"

#include "convert/byte_order_mark.h"
#include "convert/sjis_codec.h"

namespace mireto::cli {

SjisConversion utf8ToSjis(std::string_view utf8) {
    const std::string_view text = withoutByteOrderMark(utf8);
    const std::size_t start = utf8.size() - text.size();
    SjisEncoding encoding = mireto::utf8ToSjis(text, Unmappable::CharacterReference);
    if (!encoding)
        return {false,
                {},
                "input is not valid UTF-8 at byte " + std::to_string(start + encoding.offset)};
    return {true, std::move(encoding.bytes), {}};
}

} // namespace mireto::cli
