#include "app/find_replace_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mireto {

CFindReplaceDlg::CFindReplaceDlg(QWidget* parent) : QDialog(parent) {
    m_findWhat = new QLineEdit(this);
    m_findWhat->setObjectName(QStringLiteral("findWhat"));
    auto* findLabel = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    findLabel->setBuddy(m_findWhat);
    m_replaceWith = new QLineEdit(this);
    m_replaceWith->setObjectName(QStringLiteral("replaceWith"));
    m_replaceLabel = new QLabel(QStringLiteral("置換後の文字列(&P):"), this);
    m_replaceLabel->setBuddy(m_replaceWith);
    m_matchCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    m_matchCase->setObjectName(QStringLiteral("matchCase"));

    m_direction = new QGroupBox(QStringLiteral("方向"), this);
    m_up = new QRadioButton(QStringLiteral("上へ(&U)"), m_direction);
    m_up->setObjectName(QStringLiteral("up"));
    m_down = new QRadioButton(QStringLiteral("下へ(&D)"), m_direction);
    m_down->setObjectName(QStringLiteral("down"));
    m_down->setChecked(true);
    auto* directionRow = new QHBoxLayout(m_direction);
    directionRow->addWidget(m_up);
    directionRow->addWidget(m_down);

    m_findNext = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    m_findNext->setObjectName(QStringLiteral("findNext"));
    m_findNext->setDefault(true);
    m_replace = new QPushButton(QStringLiteral("置換して次に(&R)"), this);
    m_replace->setObjectName(QStringLiteral("replace"));
    m_replaceAll = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
    m_replaceAll->setObjectName(QStringLiteral("replaceAll"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findWhat, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replaceWith, 1, 1);
    fields->addWidget(m_matchCase, 2, 0, 1, 2);
    fields->addWidget(m_direction, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_replaceAll);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_findWhat, &QLineEdit::textChanged, this, &CFindReplaceDlg::updateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &CFindReplaceDlg::findNextRequested);
    connect(m_replace, &QPushButton::clicked, this, &CFindReplaceDlg::replaceRequested);
    connect(m_replaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::replaceAllRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setReplaceMode(false);
}

void CFindReplaceDlg::setReplaceMode(bool replace) {
    m_replaceMode = replace;
    setWindowTitle(replace ? QStringLiteral("置換") : QStringLiteral("検索"));
    m_replaceLabel->setVisible(replace);
    m_replaceWith->setVisible(replace);
    m_replace->setVisible(replace);
    m_replaceAll->setVisible(replace);
    m_direction->setVisible(!replace);
    updateButtons();
}

void CFindReplaceDlg::setFindWhat(const QString& text) {
    m_findWhat->setText(text);
    m_findWhat->selectAll();
}

QString CFindReplaceDlg::findWhat() const {
    return m_findWhat->text();
}

QString CFindReplaceDlg::replaceWith() const {
    return m_replaceWith->text();
}

bool CFindReplaceDlg::matchCase() const {
    return m_matchCase->isChecked();
}

bool CFindReplaceDlg::searchDown() const {
    // Replacing always goes down, as the classic replace box has no direction.
    return m_replaceMode || m_down->isChecked();
}

void CFindReplaceDlg::updateButtons() {
    const bool any = !m_findWhat->text().isEmpty();
    m_findNext->setEnabled(any);
    m_replace->setEnabled(any);
    m_replaceAll->setEnabled(any);
}

} // namespace mireto
