#include "rules/current_replace_dlg.h"

#include "rules/rule_tabs_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // 現在の置換設定
    "\x8C\xBB\x8D\xDD\x82\xCC\x92u\x8A\xB7\x90\xDD\x92\xE8";
constexpr std::string_view kListLabel = // テンプレート設定
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x90\xDD\x92\xE8";

} // namespace

CCurrentReplaceDlg::CCurrentReplaceDlg(const SettingsStore& store, ReplacementSet current,
                                       QWidget* parent)
    : QDialog(parent), m_set(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    m_templates = new TemplateList(0);
    m_rules = new RuleTabsEditor;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kListLabel, LabelSide::Right));
    layout->addWidget(m_rules);
    layout->addLayout(makeChooserButtons(this));

    m_templates->fill([this](std::size_t at) { return m_store.GetReplacementSet(at).name; });
    m_templates->selectStored(m_set.name);
    m_rules->showSet(m_set);

    connect(m_templates, &NameCombo::picked, this, &CCurrentReplaceDlg::OnSelchangeTemplate);
}

void CCurrentReplaceDlg::accept() {
    std::optional<ReplacementSet> rules = m_rules->takeRules(windowTitle());
    if (!rules)
        return;
    std::optional<std::string> name = m_templates->fieldBytes(windowTitle());
    if (!name)
        return;
    m_set = std::move(*rules);
    m_set.name = std::move(*name);
    QDialog::accept();
}

void CCurrentReplaceDlg::OnSelchangeTemplate(int item) {
    m_rules->showSet(m_store.GetReplacementSet(m_templates->positionOf(item)));
}

} // namespace mireto
