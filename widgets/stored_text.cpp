#include "widgets/stored_text.h"

#include "widgets/dialog_text.h"
#include "widgets/single_line.h"
#include "widgets/sjis_qstring.h"

namespace mireto {

StoredText::StoredText(std::string bytes)
    : m_bytes(std::move(bytes)), m_shown(singleLineText(fromSjis(m_bytes))) {}

std::optional<std::string> StoredText::bytesFor(QWidget* owner, const QString& text,
                                                const QString& caption) const {
    if (text == m_shown)
        return m_bytes;
    return storableText(owner, text, caption);
}

std::optional<std::string> StoredText::bytesFor(const QString& text) const {
    if (text == m_shown)
        return m_bytes;
    return encodeSjis(singleLineText(text));
}

} // namespace mireto
