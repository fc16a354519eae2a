#include "widgets/dialog_text.h"

#include "convert/sjis_codec.h"
#include "widgets/message_box.h"
#include "widgets/single_line.h"
#include "widgets/sjis_qstring.h"

namespace mireto {

namespace {

// "%s" is the text, "%c" the first character in it that Shift_JIS cannot hold.
constexpr std::string_view kUnstorable = "「%s」にはShift_JISで表せない文字%cが含まれています。"
                                         "Shift_JISで表せる文字に直して下さい。";

// The first character of `text` that Shift_JIS cannot hold, with its code: 「🍣」(U+1F363).
std::string firstUnstorable(const QString& text) {
    const SjisEncoding encoding = utf8ToSjis(text.toUtf8().toStdString(), Unmappable::Fail);
    // A lone surrogate passes as U+FFFD, which Shift_JIS cannot hold either.
    const char32_t character = encoding ? U'\uFFFD' : encoding.character;
    return "「" + QString::fromUcs4(&character, 1).toStdString() + "」(" +
           codePointName(character) + ")";
}

} // namespace

QString uiText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString withName(std::string_view message, const QString& name) {
    const std::size_t at = message.find("%s");
    if (at == std::string_view::npos)
        return uiText(message);
    return uiText(message.substr(0, at)) + name + uiText(message.substr(at + 2));
}

std::optional<std::string> storableText(QWidget* owner, const QString& text,
                                        const QString& caption) {
    // The fields hold one line already; this keeps anything else from reaching the store.
    const QString line = singleLineText(text);
    std::optional<std::string> bytes = encodeSjis(line);
    if (!bytes) {
        std::string message(kUnstorable);
        message.replace(message.find("%c"), 2, firstUnstorable(line));
        showMessage(owner,
                    {withName(message, line), caption, MessageIcon::Warning, MessageButtons::Ok});
    }
    return bytes;
}

} // namespace mireto
