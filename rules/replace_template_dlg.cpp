#include "rules/replace_template_dlg.h"

#include "rules/rule_tabs_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // 置換設定作成
    "\x92u\x8A\xB7\x90\xDD\x92\xE8\x8D\xEC\x90\xAC";
constexpr std::string_view kListLabel = // テンプレート設定
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x90\xDD\x92\xE8";
constexpr std::string_view kAskDelete = // 置換テンプレート「%s」を削除しますか？
    "\x92u\x8A\xB7\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82"
    "\xB7\x82\xA9\x81H";
constexpr std::string_view kDeleted = // 置換テンプレート「%s」を削除しました。
    "\x92u\x8A\xB7\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82"
    "\xB5\x82\xBD\x81"
    "B";

} // namespace

CReplaceTemplateDlg::CReplaceTemplateDlg(SettingsStore& store, ReplacementSet current,
                                         QWidget* parent)
    : QDialog(parent), m_set(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    // Position 0 is the built-in none set, which the editor does not offer.
    m_templates = new TemplateList(1);
    m_rules = new RuleTabsEditor;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kListLabel, LabelSide::Right));
    layout->addWidget(m_rules);
    layout->addLayout(makeEditorButtons(this, m_save, m_delete));

    m_templates->fill([this](std::size_t at) { return m_store.GetReplacementSet(at).name; });
    m_templates->attachEditor(m_delete, makeShelf(m_store, RecordKind::ReplacementSet, m_set,
                                                  &SettingsStore::GetReplacementSet,
                                                  &SettingsStore::InsertReplacementSet,
                                                  &SettingsStore::OverwriteReplacementSet));
    m_templates->setDeleteTexts(kAskDelete, kDeleted);
    m_rules->showSet(m_set);

    connect(m_templates, &NameCombo::picked, this, &CReplaceTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CReplaceTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, m_templates, &TemplateList::deleteNamed);
}

void CReplaceTemplateDlg::OnSelchangeTemplate(int item) {
    m_rules->showSet(m_store.GetReplacementSet(m_templates->positionOf(item)));
}

void CReplaceTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name)
        return;
    std::optional<ReplacementSet> rules = m_rules->takeRules(TemplateList::saveCaption());
    if (!rules)
        return;
    m_set = std::move(*rules);
    m_set.name = std::move(*name);
    m_templates->saveWorking();
    m_rules->renewPendingRule();
}

} // namespace mireto
