// A stored Shift_JIS string as a field shows it. Its bytes are kept for as long as the
// field shows the text it was given, so that what the user leaves alone goes back exactly
// as it came: bytes that do not decode (shown as a substitute), and the characters
// Shift_JIS codes twice (NEC row 13 and the IBM extensions, which Qt writes back in their
// other form).
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace mireto {

class StoredText {
public:
    StoredText() = default;
    explicit StoredText(std::string bytes);

    // The text a one-line field shows for the bytes.
    const QString& shown() const { return m_shown; }

    // The stored bytes while `text` is the one shown; else `text` as storableText makes
    // it, nullopt after its message.
    std::optional<std::string> bytesFor(QWidget* owner, const QString& text,
                                        const QString& caption) const;
    // The same without a message: nullopt when `text` has no Shift_JIS form.
    std::optional<std::string> bytesFor(const QString& text) const;

private:
    std::string m_bytes;
    QString m_shown;
};

} // namespace mireto
