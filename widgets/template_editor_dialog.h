// What the three template editors share beyond their list: they never lose work
// silently. An editor remembers what it showed when the screen last matched the store
// (on opening, after loading, saving, deleting or starting a new template); closing it
// (OK, ×, Esc) or starting a new template while the screen holds anything else asks
// whether to save it first, through the editor's own save with its own questions.
// Cancel, or a save that does not happen, keeps the dialog open.
//
// Each editor also has 新規: an empty template, named by the user in the name field,
// which every editor labels テンプレート名 at its left (templateNameRow).
#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;

namespace mireto {

class NameCombo;

class TemplateEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TemplateEditorDialog(QWidget* parent = nullptr);

    // Whether the screen shows anything a save would store that the store does not hold.
    bool hasUnsavedWork() const { return screenState() != m_stored; }

    // OK, × and Esc end here: the editor closes only once unsaved work is saved or
    // given up.
    void done(int result) override;

    // The 新規 button.
    QPushButton* newButton() const { return m_new; }

protected:
    // Everything on screen that a save would store, the name included, as one text.
    virtual QString screenState() const = 0;
    // The editor's own save, with its questions; true when the store now holds what
    // the screen shows.
    virtual bool saveScreen() = 0;
    // Empties the controls for a new template.
    virtual void clearScreen() = 0;

    // The editor's name list, whose field names the template.
    void setNameList(NameCombo* names) { m_names = names; }
    // The screen matches the store now.
    void markStored() { m_stored = screenState(); }

    // Asks whether to save unsaved work; false means stay where the user was.
    bool mayLeaveScreen();

    // 新規: after asking about unsaved work, empties the name field and the controls,
    // and puts the cursor in the name field.
    void OnNew();

    // The name list in a row with its label, as every editor shows it.
    static QHBoxLayout* templateNameRow(NameCombo* names);

    // A text of every editable control under `root`, in order: its text, value or state.
    static QString controlsState(const QWidget& root);

private:
    QString m_stored;
    NameCombo* m_names = nullptr;
    QPushButton* m_new = nullptr;
};

} // namespace mireto
