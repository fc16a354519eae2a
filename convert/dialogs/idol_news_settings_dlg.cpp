#include "convert/dialogs/idol_news_settings_dlg.h"

#include "convert/dialogs/ok_cancel_buttons.h"
#include "convert/dialogs/sjis_line_edit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace mireto {

CIdolNewsSettingsDlg::CIdolNewsSettingsDlg(QWidget* parent)
    : QDialog(parent), m_title(new SjisLineEdit(QStringLiteral("題名"), this)),
      m_supportOn(new QCheckBox(QStringLiteral("応援ON"), this)),
      m_name(new SjisLineEdit(QStringLiteral("名前"), this)),
      m_supportTarget(new SjisLineEdit(QStringLiteral("応援対象"), this)) {
    setWindowTitle(QStringLiteral("某バーチャルネットアイドル"));
    m_title->setObjectName(QStringLiteral("title"));
    m_supportOn->setObjectName(QStringLiteral("supportOn"));
    m_name->setObjectName(QStringLiteral("name"));
    m_supportTarget->setObjectName(QStringLiteral("supportTarget"));

    auto* titleRow = new QFormLayout;
    titleRow->addRow(m_title->label(), m_title);

    auto* supportBox = new QGroupBox(QStringLiteral("応援"), this);
    auto* supportLayout = new QFormLayout(supportBox);
    supportLayout->addRow(m_supportOn);
    supportLayout->addRow(m_name->label(), m_name);
    supportLayout->addRow(m_supportTarget->label(), m_supportTarget);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addWidget(supportBox);
    layout->addWidget(makeOkCancelButtons(this));

    connect(m_supportOn, &QCheckBox::clicked, this, &CIdolNewsSettingsDlg::OnClickSupport);
    setSettings(m_settings);
}

void CIdolNewsSettingsDlg::setSettings(IdolNewsSettings settings) {
    m_settings = std::move(settings);
    m_title->setBytes(m_settings.title);
    m_name->setBytes(m_settings.name);
    m_supportTarget->setBytes(m_settings.supportTarget);
    // Only 1 writes the support line, so only 1 shows as ticked.
    m_supportOn->setChecked(m_settings.supportOn == 1);
    OnClickSupport();
}

void CIdolNewsSettingsDlg::OnClickSupport() {
    // The texts stay while greyed, ready for when support is switched on again.
    m_name->setEnabled(m_supportOn->isChecked());
    m_supportTarget->setEnabled(m_supportOn->isChecked());
}

void CIdolNewsSettingsDlg::accept() {
    if (!allStorable(this, {m_title, m_name, m_supportTarget}))
        return;
    m_settings.title = *m_title->bytes();
    m_settings.name = *m_name->bytes();
    m_settings.supportTarget = *m_supportTarget->bytes();
    m_settings.supportOn = m_supportOn->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace mireto
