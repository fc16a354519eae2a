#include "widgets/template_editor_dialog.h"

#include "widgets/message_box.h"
#include "widgets/name_combo.h"
#include "widgets/template_list.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mireto {

TemplateEditorDialog::TemplateEditorDialog(QWidget* parent) : QDialog(parent) {
    m_new = new QPushButton(QStringLiteral("新規"));
    m_new->setObjectName(QStringLiteral("newButton"));
    m_new->setAutoDefault(false);
    connect(m_new, &QPushButton::clicked, this, &TemplateEditorDialog::OnNew);
    m_new->setToolTip(QStringLiteral("空のテンプレートを始めます。名前を入力して「保存」します"));
}

void TemplateEditorDialog::done(int result) {
    if (!mayLeaveScreen())
        return;
    QDialog::done(result);
}

bool TemplateEditorDialog::mayLeaveScreen() {
    if (!hasUnsavedWork())
        return true;
    const QString name = m_names ? m_names->fieldText() : QString();
    const QString text =
        name.isEmpty()
            ? QStringLiteral("保存していない変更があります。保存しますか？")
            : QStringLiteral("「%1」の変更は保存されていません。保存しますか？").arg(name);
    switch (showMessage(this, {text, TemplateList::saveCaption(), MessageIcon::Question,
                               MessageButtons::YesNoCancel})) {
    case MessageAnswer::Yes:
        return saveScreen();
    case MessageAnswer::No:
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return false;
}

void TemplateEditorDialog::OnNew() {
    if (!mayLeaveScreen())
        return;
    m_names->select(-1);
    clearScreen();
    markStored();
    m_names->setFocus();
}

QHBoxLayout* TemplateEditorDialog::templateNameRow(NameCombo* names) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("テンプレート名"));
    label->setObjectName(QStringLiteral("templateNameLabel"));
    label->setBuddy(names);
    if (names->lineEdit())
        names->lineEdit()->setPlaceholderText(QStringLiteral("名前を入力、または一覧から選択"));
    row->addWidget(label);
    row->addWidget(names, 1);
    return row;
}

QString TemplateEditorDialog::controlsState(const QWidget& root) {
    QString state;
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(child)) {
            // A combo box's field is counted with the combo box.
            if (!qobject_cast<const QComboBox*>(edit->parentWidget()))
                state += edit->text();
        } else if (const auto* combo = qobject_cast<const QComboBox*>(child)) {
            state += combo->currentText();
        } else if (const auto* slider = qobject_cast<const QAbstractSlider*>(child)) {
            state += QString::number(slider->value());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
            if (!button->isCheckable())
                continue;
            state += button->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        } else {
            continue;
        }
        // A separator no control's text holds.
        state += QChar(0x1F);
    }
    return state;
}

} // namespace mireto
