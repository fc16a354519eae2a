#include "settings/dialogs/template_dlg.h"

#include "settings/dialogs/template_choices.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "テンプレート設定作成";

} // namespace

CTemplateDlg::CTemplateDlg(SettingsStore& store, OverallTemplate current, QWidget* parent)
    : TemplateEditorDialog(parent), m_store(store), m_template(std::move(current)) {
    setWindowTitle(uiText(kCaption));

    m_templates = new TemplateList(0);
    m_choices = new TemplateChoices;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(templateNameRow(m_templates));
    layout->addWidget(m_choices);
    QHBoxLayout* buttons = makeEditorButtons(this, m_save, m_delete);
    buttons->insertWidget(0, newButton());
    layout->addLayout(buttons);
    setNameList(m_templates);

    m_choices->fill(m_store);
    m_templates->fill([this](std::size_t at) { return m_store.GetOverallTemplate(at).name; });
    m_choices->showNames(m_template);
    m_templates->attachEditor(m_delete, makeShelf(m_store, RecordKind::OverallTemplate, m_template,
                                                  &SettingsStore::GetOverallTemplate,
                                                  &SettingsStore::InsertOverallTemplate,
                                                  &SettingsStore::OverwriteOverallTemplate));

    connect(m_templates, &NameCombo::picked, this, &CTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_templates->deleteNamed())
            markStored();
    });
    markStored();
}

QString CTemplateDlg::screenState() const {
    return m_templates->fieldText() + QChar(0x1F) + controlsState(*m_choices);
}

void CTemplateDlg::clearScreen() {
    // A new template starts from the none sets and the first page style.
    m_choices->showNames(OverallTemplate{});
}

void CTemplateDlg::OnSelchangeTemplate(int item) {
    m_choices->follow(m_store, m_templates->positionOf(item));
    markStored();
}

bool CTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name || !m_choices->collectInto(m_template, TemplateList::saveCaption()))
        return false;
    m_template.name = std::move(*name);
    if (!m_templates->saveWorking())
        return false;
    markStored();
    return true;
}

} // namespace mireto
