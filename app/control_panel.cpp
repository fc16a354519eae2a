#include "app/control_panel.h"

#include "app/command_ids.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace mireto {

namespace {

// A panel list: its popup shows every name whole, however narrow the panel, and a
// wheel turned over it while it does not have the focus scrolls past it instead of
// silently switching the current set.
class PanelCombo : public QComboBox {
public:
    explicit PanelCombo(QWidget* parent) : QComboBox(parent) {
        // Focus comes from a click or Tab; a wheel passing over the list does not take it.
        setFocusPolicy(Qt::StrongFocus);
        // A picked name shows from its start, where the narrow field would otherwise
        // show its end.
        connect(this, &QComboBox::currentIndexChanged, this, [this] {
            if (lineEdit())
                lineEdit()->setCursorPosition(0);
        });
    }

    void showPopup() override {
        QAbstractItemView* list = view();
        list->setTextElideMode(Qt::ElideNone);
        int widest = 0;
        for (int row = 0; row < count(); ++row)
            widest = std::max(widest,
                              list->sizeHintForIndex(model()->index(row, modelColumn())).width());
        const int frame = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
        list->setMinimumWidth(widest + frame);
        QComboBox::showPopup();
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

} // namespace

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
    auto* combo = new PanelCombo(group);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A name typed in the field selects nothing until the user picks it from the list;
    // Qt would otherwise "activate" it when the field loses the focus or takes Enter.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    combo->setMinimumContentsLength(10);
    // The page styles are a few fixed names: the panel is as wide as the longest, so the
    // chosen one always shows whole. The other lists hold the user's names, of any
    // length, and show them whole in their popups.
    combo->setSizeAdjustPolicy(comboId == cmd::kComboFormat
                                   ? QComboBox::AdjustToContents
                                   : QComboBox::AdjustToMinimumContentsLengthWithIcon);
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
