#include "settings/dialogs/template_dlg.h"

#include "settings/dialogs/template_choices.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // テンプレート設定作成
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x90\xDD\x92\xE8\x8D\xEC\x90\xAC";

} // namespace

CTemplateDlg::CTemplateDlg(SettingsStore& store, OverallTemplate current, QWidget* parent)
    : QDialog(parent), m_store(store), m_template(std::move(current)) {
    setWindowTitle(uiText(kCaption));

    m_templates = new TemplateList(0);
    m_choices = new TemplateChoices;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kChooseTemplateLabel, LabelSide::Right));
    layout->addWidget(m_choices);
    layout->addLayout(makeEditorButtons(this, m_save, m_delete));

    m_choices->fill(m_store);
    m_templates->fill([this](std::size_t at) { return m_store.GetOverallTemplate(at).name; });
    m_choices->showNames(m_template);
    m_templates->attachEditor(m_delete, makeShelf(m_store, RecordKind::OverallTemplate, m_template,
                                                  &SettingsStore::GetOverallTemplate,
                                                  &SettingsStore::InsertOverallTemplate,
                                                  &SettingsStore::OverwriteOverallTemplate));

    connect(m_templates, &NameCombo::picked, this, &CTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, m_templates, &TemplateList::deleteNamed);
}

void CTemplateDlg::OnSelchangeTemplate(int item) {
    m_choices->follow(m_store, m_templates->positionOf(item));
}

void CTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name || !m_choices->collectInto(m_template, TemplateList::saveCaption()))
        return;
    m_template.name = std::move(*name);
    m_templates->saveWorking();
}

} // namespace mireto
