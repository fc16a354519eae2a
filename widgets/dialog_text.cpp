#include "widgets/dialog_text.h"

#include "widgets/message_box.h"
#include "widgets/single_line.h"
#include "widgets/sjis_qstring.h"

namespace mireto {

namespace {

// 「%s」にはShift_JISで表せない文字が含まれています。Shift_JISで表せる文字に直して下さい。
constexpr std::string_view kUnstorable =
    "\x81u%s\x81v\x82\xC9\x82\xCDShift_JIS\x82\xC5\x95\\\x82\xB9\x82\xC8\x82\xA2\x95\xB6\x8E"
    "\x9A\x82\xAA\x8A\xDC\x82\xDC\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81"
    "BShift_JIS\x82\xC5\x95\\\x82\xB9\x82\xE9\x95\xB6\x8E\x9A\x82\xC9\x92\xBC\x82\xB5\x82\xC4"
    "\x89\xBA\x82\xB3\x82\xA2\x81"
    "B";

} // namespace

QString uiText(std::string_view sjis) {
    return fromSjis(sjis);
}

QString withName(std::string_view sjisTemplate, const QString& name) {
    const std::size_t at = sjisTemplate.find("%s");
    if (at == std::string_view::npos)
        return uiText(sjisTemplate);
    return uiText(sjisTemplate.substr(0, at)) + name + uiText(sjisTemplate.substr(at + 2));
}

std::optional<std::string> storableText(QWidget* owner, const QString& text,
                                        const QString& caption) {
    // The fields hold one line already; this keeps anything else from reaching the store.
    const QString line = singleLineText(text);
    std::optional<std::string> bytes = encodeSjis(line);
    if (!bytes)
        showMessage(owner, {withName(kUnstorable, line), caption, MessageIcon::Warning,
                            MessageButtons::Ok});
    return bytes;
}

} // namespace mireto
