#include "app/panel_help.h"

#include "app/command_ids.h"
#include "app/control_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace mireto {

QString panelStatusHelp(int controlId) {
    switch (controlId) {
    case cmd::kPanelGo:
        return QStringLiteral("変換GO!!　テキストをページに変換して tmp.html に書き出し、"
                              "ブラウザで開きます");
    case cmd::kComboTemplate:
        return QStringLiteral("全体テンプレートを選ぶと、置換・語尾変換・出力HTML形式が"
                              "まとめて切り替わります");
    case cmd::kComboReplacement:
        return QStringLiteral(
            "変換のときに語句を置き換える置換のセットを選びます（無し: 置き換えない）");
    case cmd::kComboEnding:
        return QStringLiteral(
            "「。」の代わりに付ける語尾のセットを選びます（無し: 語尾を変えない）");
    case cmd::kComboFormat:
        return QStringLiteral("ページの見た目を 7 つの出力HTML形式から選びます");
    default:
        return {};
    }
}

void givePanelStatusHelp(ControlPanel& panel) {
    panel.button(cmd::kPanelGo)->setStatusTip(panelStatusHelp(cmd::kPanelGo));
    for (int id :
         {cmd::kComboTemplate, cmd::kComboReplacement, cmd::kComboEnding, cmd::kComboFormat}) {
        QComboBox* list = panel.combo(id);
        list->setStatusTip(panelStatusHelp(id));
        if (list->lineEdit())
            list->lineEdit()->setStatusTip(panelStatusHelp(id));
    }
}

} // namespace mireto
