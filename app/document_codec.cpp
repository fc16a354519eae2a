#include "app/document_codec.h"

#include "convert/byte_order_mark.h"
#include "convert/sjis_codec.h"
#include "widgets/sjis_qstring.h"

#include <QStringDecoder>

namespace mireto {

namespace {

LineEnd firstLineEnd(std::string_view bytes) {
    const std::size_t feed = bytes.find('\n');
    if (feed == std::string_view::npos)
        return LineEnd::CrLf;
    return feed > 0 && bytes[feed - 1] == '\r' ? LineEnd::CrLf : LineEnd::Lf;
}

QString withFeedsOnly(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

DecodedDocument decodeDocument(std::string_view bytes) {
    DecodedDocument document;
    document.format.lineEnd = firstLineEnd(bytes);
    std::optional<QString> text;
    if (readsAsUtf8(bytes)) {
        // The byte-order mark is not text; a second one is.
        const std::string_view utf8 = withoutByteOrderMark(bytes);
        const bool bom = utf8.size() != bytes.size();
        QStringDecoder decoder(QStringConverter::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        text = decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
        document.format.encoding = TextEncoding::Utf8;
        document.format.byteOrderMark = bom;
    } else {
        text = decodeSjis(bytes);
    }
    document.text = withFeedsOnly(text ? *text : fromSjis(bytes));
    // The editor holds a U+2029 only as the break between two lines.
    document.exact = !document.text.contains(QChar::ParagraphSeparator) &&
                     encodeDocument(document.text, document.format) == std::string(bytes);
    return document;
}

std::optional<std::string> encodeDocument(const QString& text, const DocumentFormat& format) {
    QString lines = text;
    if (format.lineEnd == LineEnd::CrLf)
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (format.encoding == TextEncoding::ShiftJis)
        return encodeSjis(lines);
    std::string bytes = format.byteOrderMark ? std::string(kUtf8ByteOrderMark) : std::string();
    return bytes + lines.toUtf8().toStdString();
}

QString encodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Shift_JIS");
}

} // namespace mireto
