#include "convert/dialogs/thread_settings_dlg.h"

#include "convert/dialogs/ok_cancel_buttons.h"
#include "convert/dialogs/sjis_line_edit.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mireto {

CThreadSettingsDlg::CThreadSettingsDlg(QWidget* parent)
    : QDialog(parent), m_title(new SjisLineEdit(QStringLiteral("スレッドタイトル"), this)),
      m_name(new SjisLineEdit(QStringLiteral("名前"), this)), m_mode(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("2ｃｈ設定"));
    m_title->setObjectName(QStringLiteral("title"));
    m_name->setObjectName(QStringLiteral("name"));

    auto* fields = new QFormLayout;
    fields->addRow(m_title->label(), m_title);
    fields->addRow(m_name->label(), m_name);

    auto* modeBox = new QGroupBox(QStringLiteral("スレッド変換"), this);
    auto* modeLayout = new QHBoxLayout(modeBox);
    const QString modeTexts[] = {QStringLiteral("無し"), QStringLiteral("良スレ"),
                                 QStringLiteral("クソスレ")};
    for (int mode = ThreadSettings::None; mode <= ThreadSettings::BadThread; ++mode) {
        auto* button = new QRadioButton(modeTexts[mode], modeBox);
        button->setObjectName(QStringLiteral("mode%1").arg(mode));
        m_mode->addButton(button, mode);
        modeLayout->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(modeBox);
    layout->addWidget(makeOkCancelButtons(this));

    setSettings(m_settings);
}

void CThreadSettingsDlg::setSettings(ThreadSettings settings) {
    m_settings = std::move(settings);
    m_title->setBytes(m_settings.title);
    m_name->setBytes(m_settings.name);
    // A mode outside the three sets no button; an exclusive group could not clear them.
    m_mode->setExclusive(false);
    for (QAbstractButton* button : m_mode->buttons())
        button->setChecked(m_mode->id(button) == m_settings.mode);
    m_mode->setExclusive(true);
}

void CThreadSettingsDlg::accept() {
    if (!allStorable(this, {m_title, m_name}))
        return;
    m_settings.title = *m_title->bytes();
    m_settings.name = *m_name->bytes();
    // With no button set the mode keeps its value.
    if (m_mode->checkedId() >= 0)
        m_settings.mode = m_mode->checkedId();
    QDialog::accept();
}

} // namespace mireto
