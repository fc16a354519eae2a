#include "widgets/sjis_line_edit.h"

#include "widgets/dialog_text.h"
#include "widgets/single_line.h"

namespace mireto {

SjisLineEdit::SjisLineEdit(QWidget* parent) : QLineEdit(parent) {
    keepSingleLine(this);
}

void SjisLineEdit::setBytes(std::string bytes) {
    m_stored = StoredText(std::move(bytes));
    setText(m_stored.shown());
}

std::optional<std::string> SjisLineEdit::bytes() const {
    return m_stored.bytesFor(text());
}

bool allStorable(QWidget* dialog, std::initializer_list<SjisLineEdit*> edits) {
    for (SjisLineEdit* edit : edits) {
        if (edit->bytes())
            continue;
        // Fails again, this time telling the user which text cannot be stored.
        (void)storableText(dialog, edit->text(), dialog->windowTitle());
        edit->setFocus();
        return false;
    }
    return true;
}

} // namespace mireto
