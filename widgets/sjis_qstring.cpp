#include "widgets/sjis_qstring.h"

#include "convert/sjis_codec.h"

namespace mireto {

namespace {

QString fromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Calls `run` with each stretch of `text` between lone surrogates, as UTF-8, and
// `loneSurrogate` with each lone surrogate (which UTF-8 cannot hold); false as soon as
// either does.
template <typename Run, typename Lone>
bool forEachPiece(QStringView text, Run run, Lone loneSurrogate) {
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!text[at].isSurrogate())
            continue;
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            ++at;
            continue;
        }
        if (!run(text.sliced(start, at - start).toUtf8().toStdString()) ||
            !loneSurrogate(text[at].unicode()))
            return false;
        start = at + 1;
    }
    return run(text.sliced(start).toUtf8().toStdString());
}

} // namespace

std::optional<QString> decodeSjis(std::string_view bytes) {
    const std::optional<std::string> utf8 = sjisToUtf8Exact(bytes);
    if (!utf8)
        return std::nullopt;
    return fromUtf8(*utf8);
}

QString fromSjis(std::string_view bytes) {
    return fromUtf8(sjisToUtf8(bytes));
}

std::optional<std::string> encodeSjis(const QString& text) {
    std::string bytes;
    const bool encoded = forEachPiece(
        text,
        [&bytes](const std::string& utf8) {
            const std::optional<std::string> piece = utf8ToSjisExact(utf8);
            if (piece)
                bytes += *piece;
            return piece.has_value();
        },
        [](char16_t) { return false; });
    if (!encoded)
        return std::nullopt;
    return bytes;
}

std::string encodeSjisForPage(const QString& text) {
    std::string bytes;
    forEachPiece(
        text,
        [&bytes](const std::string& utf8) {
            bytes += utf8ToSjis(utf8, Unmappable::CharacterReference).bytes;
            return true;
        },
        [&bytes](char16_t surrogate) {
            // Not a character, yet the page shows that something was there.
            bytes += "&#x" + QByteArray::number(surrogate, 16).toUpper().toStdString() + ";";
            return true;
        });
    return bytes;
}

} // namespace mireto
