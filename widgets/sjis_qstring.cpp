#include "widgets/sjis_qstring.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace mireto {

namespace {

constexpr const char* kCodePage = "CP932";

QByteArray bytesOf(std::string_view bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

std::optional<QString> decodeSjis(std::string_view bytes) {
    QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytesOf(bytes));
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return text;
}

QString fromSjis(std::string_view bytes) {
    QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytesOf(bytes));
}

std::optional<std::string> encodeSjis(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

std::string encodeSjisForPage(const QString& text) {
    if (auto whole = encodeSjis(text))
        return *whole;
    // Slow path, only for text that needs references: character by character, each
    // with a fresh encoder because an encoder's error flag cannot be cleared.
    std::string result;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const char32_t codePoint =
            pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        const qsizetype width = pair ? 2 : 1;
        if (auto bytes = encodeSjis(text.mid(i, width)))
            result += *bytes;
        else
            result += "&#x" + QByteArray::number(codePoint, 16).toUpper().toStdString() + ";";
        i += width;
    }
    return result;
}

} // namespace mireto
