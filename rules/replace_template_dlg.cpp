#include "rules/replace_template_dlg.h"

#include "rules/rule_tabs_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "置換設定作成";
constexpr std::string_view kAskDelete = "置換テンプレート「%s」を削除しますか？";
constexpr std::string_view kDeleted = "置換テンプレート「%s」を削除しました。";

} // namespace

CReplaceTemplateDlg::CReplaceTemplateDlg(SettingsStore& store, ReplacementSet current,
                                         QWidget* parent)
    : TemplateEditorDialog(parent), m_set(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    // Position 0 is the built-in none set, which the editor does not offer.
    m_templates = new TemplateList(1);
    m_rules = new RuleTabsEditor;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(templateNameRow(m_templates));
    layout->addWidget(m_rules);
    QHBoxLayout* buttons = makeEditorButtons(this, m_save, m_delete);
    buttons->insertWidget(0, newButton());
    layout->addLayout(buttons);
    setNameList(m_templates);

    m_templates->fill([this](std::size_t at) { return m_store.GetReplacementSet(at).name; });
    m_templates->attachEditor(m_delete, makeShelf(m_store, RecordKind::ReplacementSet, m_set,
                                                  &SettingsStore::GetReplacementSet,
                                                  &SettingsStore::InsertReplacementSet,
                                                  &SettingsStore::OverwriteReplacementSet));
    m_templates->setDeleteTexts(kAskDelete, kDeleted);
    m_rules->showSet(m_set);

    connect(m_templates, &NameCombo::picked, this, &CReplaceTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CReplaceTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_templates->deleteNamed())
            markStored();
    });
    markStored();
}

QString CReplaceTemplateDlg::screenState() const {
    return m_templates->fieldText() + QChar(0x1F) + m_rules->screenState();
}

void CReplaceTemplateDlg::clearScreen() {
    ReplacementSet empty;
    empty.clearRules();
    m_rules->showSet(empty);
}

void CReplaceTemplateDlg::OnSelchangeTemplate(int item) {
    m_rules->showSet(m_store.GetReplacementSet(m_templates->positionOf(item)));
    markStored();
}

bool CReplaceTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name)
        return false;
    std::optional<ReplacementSet> rules = m_rules->takeRules(TemplateList::saveCaption());
    if (!rules)
        return false;
    m_set = std::move(*rules);
    m_set.name = std::move(*name);
    const bool saved = m_templates->saveWorking();
    m_rules->renewPendingRule();
    if (saved)
        markStored();
    return saved;
}

} // namespace mireto
