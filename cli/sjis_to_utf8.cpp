#include "cli/sjis_to_utf8.h"

#include "cli/character_converter.h"
#include "convert/page_charset.h"
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
        if (converter.valid())
            pos += converter.convertPrefix(sjisText.substr(pos), result);
        if (pos == sjisText.size())
            break;
        // A character code page 932 does not define, or any without the conversion.
        const std::size_t length = sjis::charLength(sjisText, pos);
        if (static_cast<unsigned char>(sjisText[pos]) < 0x80)
            result += sjisText[pos];
        else
            result += kReplacementCharacter;
        pos += length;
    }
    return result;
}

std::string pageToUtf8(std::string_view sjisPage) {
    std::string page = sjisToUtf8(sjisPage);
    declareUtf8Charset(page);
    return page;
}

} // namespace mireto::cli
