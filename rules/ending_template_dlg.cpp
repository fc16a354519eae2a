#include "rules/ending_template_dlg.h"

#include "rules/frequency_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // 語尾変換設定作成
    "\x8C\xEA\x94\xF6\x95\xCF\x8A\xB7\x90\xDD\x92\xE8\x8D\xEC\x90\xAC";

} // namespace

CEndingTemplateDlg::CEndingTemplateDlg(SettingsStore& store, EndingSet current, QWidget* parent)
    : QDialog(parent), m_record(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    // Position 0 is the built-in none set, which the editor does not offer.
    m_templates = new TemplateList(1);
    m_rows = new FrequencyEditor;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kChooseTemplateLabel, LabelSide::Left));
    layout->addWidget(m_rows);
    layout->addLayout(makeEditorButtons(this, m_save, m_delete));

    m_rows->showRecord(m_record);
    m_templates->fill([this](std::size_t at) { return m_store.GetEndingSet(at).name; });
    m_templates->attachEditor(
        m_delete, makeShelf(m_store, RecordKind::EndingSet, m_record, &SettingsStore::GetEndingSet,
                            &SettingsStore::InsertEndingSet, &SettingsStore::OverwriteEndingSet));

    connect(m_templates, &NameCombo::picked, this, &CEndingTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CEndingTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, m_templates, &TemplateList::deleteNamed);
}

void CEndingTemplateDlg::OnSelchangeTemplate(int item) {
    m_record = m_store.GetEndingSet(m_templates->positionOf(item));
    m_rows->showRecord(m_record);
}

void CEndingTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name || !m_rows->collectInto(m_record, TemplateList::saveCaption()))
        return;
    m_record.name = std::move(*name);
    m_templates->saveWorking();
}

} // namespace mireto
