// A drop-down list with an editable name field, behaving as the program's lists always
// have: only the user's own picks and typing notify (filling and selecting from code stay
// silent), typing drops the list's selection while keeping the typed text, nothing typed
// is ever added to the list by the field itself, and names are found ignoring letter case.
#pragma once

#include <QComboBox>

namespace mireto {

class NameCombo : public QComboBox {
    Q_OBJECT
public:
    explicit NameCombo(QWidget* parent = nullptr);

    // The first item equal to `name` ignoring letter case, or -1.
    int findExact(const QString& name) const;

    // Selects an item; -1 clears the selection and the name field.
    void select(int item);
    void selectExact(const QString& name) { select(findExact(name)); }
    int selectedItem() const { return currentIndex(); }

    // The name field's text: the selected item's name or what the user typed.
    QString fieldText() const { return currentText(); }

    void insertName(int index, const QString& name);
    void removeName(int index);
    void removeAllNames();

signals:
    // The user picked an item from the list.
    void picked(int item);
    // The user changed the name field's text.
    void typed(const QString& text);

private:
    void OnEditChange(const QString& text);
};

} // namespace mireto
