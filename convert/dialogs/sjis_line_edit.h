// A line edit that holds one of the settings' Shift_JIS strings. What the user types
// is Unicode; a text that Shift_JIS cannot hold is refused, never stored mangled.
#pragma once

#include <QLineEdit>
#include <initializer_list>
#include <optional>
#include <string>

namespace mireto {

class SjisLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // `label` names the field in the message that refuses an unstorable text.
    explicit SjisLineEdit(QString label, QWidget* parent = nullptr);

    void setBytes(std::string bytes);
    // The stored bytes while the text is the one setBytes showed (so bytes that never
    // decoded survive untouched), else the text in Shift_JIS; nullopt when the text
    // has a character Shift_JIS cannot hold.
    std::optional<std::string> bytes() const;

    const QString& label() const { return m_label; }

private:
    QString m_label;
    std::string m_stored;
    QString m_shown;
};

// Whether every edit's text can be stored. If one cannot, tells the user which and
// puts the focus there.
bool allStorable(QWidget* dialog, std::initializer_list<SjisLineEdit*> edits);

} // namespace mireto
