#include "cli/sjis_to_utf8.h"

#include "cli/character_converter.h"
#include "convert/sjis_text.h"

namespace mireto::cli {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

std::string sjisToUtf8(std::string_view sjisText) {
    CharacterConverter converter("UTF-8", "CP932");
    std::string result;
    result.reserve(sjisText.size() * 3 / 2);
    for (std::size_t pos = 0; pos < sjisText.size();) {
        const std::size_t length = sjis::charLength(sjisText, pos);
        const std::string_view character = sjisText.substr(pos, length);
        if (static_cast<unsigned char>(character[0]) < 0x80)
            result += character;
        else if (!converter.valid() || !converter.convert(character, result))
            result += kReplacementCharacter;
        pos += length;
    }
    return result;
}

} // namespace mireto::cli
