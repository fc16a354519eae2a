#include "widgets/sjis_qstring.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

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

namespace {

// Encodes a text for a page piece by piece: runs that Shift_JIS holds go through the
// encoder in one call, and only a run that fails is halved, down to the characters
// that have to become references.
class PageEncoder {
public:
    explicit PageEncoder(std::string& out) : m_out(out) {}

    void encode(QStringView text) {
        if (encodeRun(text))
            return;
        if (text.size() == 1 || (text.size() == 2 && isPair(text, 0))) {
            const char32_t codePoint =
                text.size() == 2 ? QChar::surrogateToUcs4(text[0], text[1]) : text[0].unicode();
            m_out += "&#x" + QByteArray::number(codePoint, 16).toUpper().toStdString() + ";";
            return;
        }
        // Halve, keeping a surrogate pair together.
        qsizetype half = text.size() / 2;
        if (isPair(text, half - 1))
            ++half;
        encode(text.first(half));
        encode(text.sliced(half));
    }

    // The end of a piece of about `length` from `from`, not inside a surrogate pair.
    static qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype length) {
        qsizetype end = std::min(text.size(), from + length);
        if (end < text.size() && isPair(text, end - 1))
            ++end;
        return end;
    }

private:
    // A high surrogate at `at` followed by a low one: one character.
    static bool isPair(QStringView text, qsizetype at) {
        return at >= 0 && at + 1 < text.size() && text[at].isHighSurrogate() &&
               text[at + 1].isLowSurrogate();
    }

    // Appends the run's bytes when Shift_JIS holds all of it.
    bool encodeRun(QStringView run) {
        // An encoder that has met an error keeps it: a fresh one follows each failure.
        if (!m_encoder || m_encoder->hasError())
            m_encoder.emplace(kCodePage, QStringEncoder::Flag::Stateless);
        if (!m_encoder->isValid())
            return false;
        const std::size_t start = m_out.size();
        m_out.resize(start + static_cast<std::size_t>(m_encoder->requiredSpace(run.size())));
        char* end = m_encoder->appendToBuffer(m_out.data() + start, run);
        if (m_encoder->hasError()) {
            m_out.resize(start);
            return false;
        }
        m_out.resize(static_cast<std::size_t>(end - m_out.data()));
        return true;
    }

    std::string& m_out;
    std::optional<QStringEncoder> m_encoder;
};

} // namespace

std::string encodeSjisForPage(const QString& text) {
    // Pieces small enough that halving the one with a foreign character in it costs
    // little, large enough that the encoder's own work dominates.
    constexpr qsizetype kPiece = 4096;
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()) * 2);
    PageEncoder encoder(result);
    const QStringView view(text);
    for (qsizetype at = 0; at < view.size();) {
        const qsizetype end = PageEncoder::pieceEnd(view, at, kPiece);
        encoder.encode(view.sliced(at, end - at));
        at = end;
    }
    return result;
}

} // namespace mireto
