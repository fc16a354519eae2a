#include "widgets/page_encoding.h"

#include "convert/page_charset.h"
#include "convert/sjis_text.h"
#include "widgets/sjis_qstring.h"

#include <algorithm>

namespace mireto {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The control bytes Qt's code page 932 maps elsewhere than to themselves.
bool hasRemappedControls(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return c == '\x1A' || c == '\x1C' || c == '\x7F'; });
}

// A run of characters of two bytes or of half-width kana.
void appendDecoded(std::string_view run, std::string& out) {
    if (const std::optional<QString> text = decodeSjis(run)) {
        out += text->toUtf8().toStdString();
        return;
    }
    for (std::size_t pos = 0; pos < run.size();) {
        const std::size_t length = sjis::charLength(run, pos);
        const std::optional<QString> character = decodeSjis(run.substr(pos, length));
        out += character ? character->toUtf8().toStdString() : std::string(kReplacementCharacter);
        pos += length;
    }
}

std::string decodeByCharacter(std::string_view page) {
    std::string out;
    out.reserve(page.size() * 3 / 2);
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < page.size()) {
        const std::size_t length = sjis::charLength(page, pos);
        if (length == 1 && static_cast<unsigned char>(page[pos]) < 0x80) {
            appendDecoded(page.substr(runStart, pos - runStart), out);
            out += page[pos];
            runStart = pos + 1;
        }
        pos += length;
    }
    appendDecoded(page.substr(runStart), out);
    return out;
}

} // namespace

std::string pageAsUtf8(std::string_view sjisPage) {
    std::string page;
    const std::optional<QString> whole =
        hasRemappedControls(sjisPage) ? std::nullopt : decodeSjis(sjisPage);
    page = whole ? whole->toUtf8().toStdString() : decodeByCharacter(sjisPage);
    declareUtf8Charset(page);
    return page;
}

} // namespace mireto
