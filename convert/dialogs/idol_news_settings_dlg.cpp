#include "convert/dialogs/idol_news_settings_dlg.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_line_edit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "某バーチャルネットアイドル";
constexpr std::string_view kTitleLabel = "題名";
constexpr std::string_view kSupportBox = "応援";
constexpr std::string_view kSupportOn = "応援ON";
constexpr std::string_view kNameLabel = "名前";
constexpr std::string_view kTargetLabel = "応援対象";

} // namespace

CIdolNewsSettingsDlg::CIdolNewsSettingsDlg(QWidget* parent)
    : QDialog(parent), m_title(new SjisLineEdit(this)),
      m_supportOn(new QCheckBox(uiText(kSupportOn), this)), m_name(new SjisLineEdit(this)),
      m_supportTarget(new SjisLineEdit(this)) {
    setWindowTitle(uiText(kCaption));
    m_title->setObjectName(QStringLiteral("title"));
    m_supportOn->setObjectName(QStringLiteral("supportOn"));
    m_name->setObjectName(QStringLiteral("name"));
    m_supportTarget->setObjectName(QStringLiteral("supportTarget"));
    // Room for the default name, sixteen full-width characters.
    for (SjisLineEdit* edit : {m_title, m_name, m_supportTarget})
        makeRoomFor(edit, fullWidthSample(16));

    auto* titleRow = new QFormLayout;
    titleRow->addRow(uiText(kTitleLabel), m_title);

    auto* supportBox = new QGroupBox(uiText(kSupportBox), this);
    auto* supportLayout = new QFormLayout(supportBox);
    supportLayout->addRow(m_supportOn);
    supportLayout->addRow(uiText(kNameLabel), m_name);
    supportLayout->addRow(uiText(kTargetLabel), m_supportTarget);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addWidget(supportBox);
    layout->addLayout(makeChooserButtons(this));

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
