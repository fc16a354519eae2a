// The editor's find and replace box, modeless like the classic ones: find what,
// replace with, match case, direction, and the buttons that ask the view to act.
// It keeps no text of its own beyond its fields; the view does the searching.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mireto {

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindReplaceDlg(QWidget* parent = nullptr);

    // Find shows the direction; replace shows the replacement field and its buttons.
    void setReplaceMode(bool replace);
    void setFindWhat(const QString& text);

    QString findWhat() const;
    QString replaceWith() const;
    bool matchCase() const;
    bool searchDown() const;

signals:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void updateButtons();

    bool m_replaceMode = false;
    QLineEdit* m_findWhat = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QLineEdit* m_replaceWith = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QGroupBox* m_direction = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
};

} // namespace mireto
