// A line edit that holds one of the settings' Shift_JIS strings, on one line. What the
// user types is Unicode; a text that Shift_JIS cannot hold is refused, never stored
// mangled, and one left alone keeps its stored bytes.
#pragma once

#include "widgets/stored_text.h"

#include <QLineEdit>
#include <initializer_list>
#include <optional>
#include <string>

namespace mireto {

class SjisLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SjisLineEdit(QWidget* parent = nullptr);

    void setBytes(std::string bytes);
    // The stored bytes while the text is the one setBytes showed (so bytes that never
    // decoded survive untouched), else the text in Shift_JIS; nullopt when the text
    // has a character Shift_JIS cannot hold.
    std::optional<std::string> bytes() const;

private:
    StoredText m_stored;
};

// Whether every edit's text can be stored. If one cannot, tells the user in a message
// with the dialog's caption and puts the focus there.
bool allStorable(QWidget* dialog, std::initializer_list<SjisLineEdit*> edits);

} // namespace mireto
