#include "app/control_panel.h"

#include "app/command_ids.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace mireto {

ControlPanel::ControlPanel(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("ControlPanel"));
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(
        addGroup(QStringLiteral("テンプレート"), cmd::kCurrentTemplate, cmd::kComboTemplate));
    layout->addWidget(
        addGroup(QStringLiteral("置換"), cmd::kCurrentReplacement, cmd::kComboReplacement));
    layout->addWidget(addGroup(QStringLiteral("語尾変換"), cmd::kCurrentEnding, cmd::kComboEnding));
    layout->addWidget(
        addGroup(QStringLiteral("出力HTML形式"), cmd::kHtmlSettings, cmd::kComboFormat));
    auto* go = new QToolButton(body);
    go->setIconSize(QSize(32, 32));
    go->setAutoRaise(false);
    m_buttons[cmd::kPanelGo] = go;
    layout->addWidget(go, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    setWidget(body);

    // Docked, the panel shows a bare grip instead of a caption; floating, the caption.
    m_gripper = new QWidget(this);
    m_gripper->setFixedHeight(6);
    setTitleBarWidget(m_gripper);
    connect(this, &QDockWidget::topLevelChanged, this, &ControlPanel::OnTopLevelChanged);
}

QWidget* ControlPanel::addGroup(const QString& title, int buttonId, int comboId) {
    auto* group = new QGroupBox(title);
    auto* row = new QHBoxLayout(group);
    auto* button = new QToolButton(group);
    button->setIconSize(QSize(16, 16));
    auto* combo = new QComboBox(group);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A name typed in the field selects nothing until the user picks it from the list;
    // Qt would otherwise "activate" it when the field loses the focus or takes Enter.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    combo->setMinimumContentsLength(10);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    row->addWidget(button);
    row->addWidget(combo, 1);
    m_buttons[buttonId] = button;
    m_combos[comboId] = combo;
    return group;
}

QComboBox* ControlPanel::combo(int id) const {
    const auto found = m_combos.find(id);
    return found == m_combos.end() ? nullptr : found->second;
}

QToolButton* ControlPanel::button(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

void ControlPanel::OnTopLevelChanged(bool floating) {
    setTitleBarWidget(floating ? nullptr : m_gripper);
    m_gripper->setVisible(!floating);
}

} // namespace mireto
