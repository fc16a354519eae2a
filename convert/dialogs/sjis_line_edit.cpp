#include "convert/dialogs/sjis_line_edit.h"

#include "app/message_box.h"
#include "app/sjis_qstring.h"

namespace mireto {

SjisLineEdit::SjisLineEdit(QString label, QWidget* parent)
    : QLineEdit(parent), m_label(std::move(label)) {}

void SjisLineEdit::setBytes(std::string bytes) {
    m_stored = std::move(bytes);
    m_shown = fromSjis(m_stored);
    setText(m_shown);
}

std::optional<std::string> SjisLineEdit::bytes() const {
    if (text() == m_shown)
        return m_stored;
    return encodeSjis(text());
}

bool allStorable(QWidget* dialog, std::initializer_list<SjisLineEdit*> edits) {
    for (SjisLineEdit* edit : edits) {
        if (edit->bytes())
            continue;
        showMessage(dialog, {QStringLiteral("「%1」にShift_JISで表せない文字が含まれているため、"
                                            "設定できません。")
                                 .arg(edit->label()),
                             dialog->windowTitle(), MessageIcon::Warning});
        edit->setFocus();
        return false;
    }
    return true;
}

} // namespace mireto
