#include "convert/dialogs/thread_settings_dlg.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_line_edit.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "2ｃｈ設定";
constexpr std::string_view kTitleLabel = "スレッドタイトル";
constexpr std::string_view kNameLabel = "名前";
constexpr std::string_view kModeBox = "スレッド変換";
constexpr std::string_view kModeTexts[] = {
    "無し",
    "良スレ",
    "クソスレ",
};

} // namespace

CThreadSettingsDlg::CThreadSettingsDlg(QWidget* parent)
    : QDialog(parent), m_title(new SjisLineEdit(this)), m_name(new SjisLineEdit(this)),
      m_mode(new QButtonGroup(this)) {
    setWindowTitle(uiText(kCaption));
    m_title->setObjectName(QStringLiteral("title"));
    m_name->setObjectName(QStringLiteral("name"));

    auto* fields = new QFormLayout;
    fields->addRow(uiText(kTitleLabel), m_title);
    fields->addRow(uiText(kNameLabel), m_name);

    auto* modeBox = new QGroupBox(uiText(kModeBox), this);
    auto* modeLayout = new QHBoxLayout(modeBox);
    for (int mode = ThreadSettings::None; mode <= ThreadSettings::BadThread; ++mode) {
        auto* button = new QRadioButton(uiText(kModeTexts[mode]), modeBox);
        button->setObjectName(QStringLiteral("mode%1").arg(mode));
        m_mode->addButton(button, mode);
        modeLayout->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(modeBox);
    layout->addLayout(makeChooserButtons(this));

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
