// The docked panel at the frame's left edge: the four selection lists (overall
// template, replacement set, ending set, output format), the icon buttons beside them
// and the GO button. It only holds the controls; the view fills the lists and handles
// what they do, the frame gives the buttons their pictures and tips.
#pragma once

#include <QDockWidget>
#include <map>

class QComboBox;
class QToolButton;

namespace mireto {

class ControlPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ControlPanel(QWidget* parent = nullptr);

    // By control id (cmd::kCombo..., cmd::kCurrent..., kHtmlSettings, kPanelGo); null
    // for an id the panel does not have.
    QComboBox* combo(int id) const;
    QToolButton* button(int id) const;

private:
    QWidget* addGroup(const QString& title, int buttonId, int comboId);
    void OnTopLevelChanged(bool floating);

    std::map<int, QComboBox*> m_combos;
    std::map<int, QToolButton*> m_buttons;
    QWidget* m_gripper = nullptr;
};

} // namespace mireto
