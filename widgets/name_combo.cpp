#include "widgets/name_combo.h"

#include "widgets/single_line.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace mireto {

NameCombo::NameCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would rewrite what the user types; the field keeps it as typed.
    setCompleter(nullptr);
    keepSingleLine(lineEdit());
    // Qt also "activates" the item a typed name spells when the field loses the focus or
    // takes Enter; that would load a stored template over what the user has on screen.
    // Only a pick from the list is a pick.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    connect(this, &QComboBox::activated, this, &NameCombo::picked);
    connect(lineEdit(), &QLineEdit::textEdited, this, &NameCombo::OnEditChange);
}

int NameCombo::findExact(const QString& name) const {
    for (int item = 0; item < count(); ++item) {
        if (itemText(item).compare(name, Qt::CaseInsensitive) == 0)
            return item;
    }
    return -1;
}

void NameCombo::select(int item) {
    const QSignalBlocker blocker(this);
    const QSignalBlocker fieldBlocker(lineEdit());
    setCurrentIndex(item >= 0 && item < count() ? item : -1);
    if (currentIndex() < 0)
        clearEditText();
}

void NameCombo::insertName(int index, const QString& name) {
    const QSignalBlocker blocker(this);
    const QSignalBlocker fieldBlocker(lineEdit());
    const bool hadSelection = currentIndex() >= 0;
    const QString field = currentText();
    insertItem(index, name);
    // Qt selects the first item put into an empty list; these lists never select by themselves.
    if (!hadSelection && currentIndex() >= 0) {
        setCurrentIndex(-1);
        setEditText(field);
    }
}

void NameCombo::removeName(int index) {
    const QSignalBlocker blocker(this);
    const QSignalBlocker fieldBlocker(lineEdit());
    removeItem(index);
}

void NameCombo::removeAllNames() {
    const QSignalBlocker blocker(this);
    const QSignalBlocker fieldBlocker(lineEdit());
    clear();
}

void NameCombo::OnEditChange(const QString& text) {
    if (currentIndex() >= 0) {
        // What the user types names no listed item any more, even when it spells one.
        const int cursor = lineEdit()->cursorPosition();
        const QSignalBlocker blocker(this);
        const QSignalBlocker fieldBlocker(lineEdit());
        setCurrentIndex(-1);
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(cursor);
    }
    emit typed(text);
}

} // namespace mireto
