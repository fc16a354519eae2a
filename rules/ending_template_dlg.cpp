#include "rules/ending_template_dlg.h"

#include "rules/frequency_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "語尾変換設定作成";

} // namespace

CEndingTemplateDlg::CEndingTemplateDlg(SettingsStore& store, EndingSet current, QWidget* parent)
    : TemplateEditorDialog(parent), m_record(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    // Position 0 is the built-in none set, which the editor does not offer.
    m_templates = new TemplateList(1);
    m_rows = new FrequencyEditor;
    m_save = makeSaveButton();
    m_delete = makeDeleteButton();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(templateNameRow(m_templates));
    layout->addWidget(m_rows);
    QHBoxLayout* buttons = makeEditorButtons(this, m_save, m_delete);
    buttons->insertWidget(0, newButton());
    layout->addLayout(buttons);
    setNameList(m_templates);

    m_rows->showRecord(m_record);
    m_templates->fill([this](std::size_t at) { return m_store.GetEndingSet(at).name; });
    m_templates->attachEditor(
        m_delete, makeShelf(m_store, RecordKind::EndingSet, m_record, &SettingsStore::GetEndingSet,
                            &SettingsStore::InsertEndingSet, &SettingsStore::OverwriteEndingSet));

    connect(m_templates, &NameCombo::picked, this, &CEndingTemplateDlg::OnSelchangeTemplate);
    connect(m_save, &QPushButton::clicked, this, &CEndingTemplateDlg::OnSave);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_templates->deleteNamed())
            markStored();
    });
    markStored();
}

QString CEndingTemplateDlg::screenState() const {
    return m_templates->fieldText() + QChar(0x1F) + controlsState(*m_rows);
}

void CEndingTemplateDlg::clearScreen() {
    m_record = EndingSet{};
    m_rows->showRecord(m_record);
}

void CEndingTemplateDlg::OnSelchangeTemplate(int item) {
    m_record = m_store.GetEndingSet(m_templates->positionOf(item));
    m_rows->showRecord(m_record);
    markStored();
}

bool CEndingTemplateDlg::OnSave() {
    std::optional<std::string> name = m_templates->nameToSave();
    if (!name || !m_rows->collectInto(m_record, TemplateList::saveCaption()))
        return false;
    m_record.name = std::move(*name);
    if (!m_templates->saveWorking())
        return false;
    markStored();
    return true;
}

} // namespace mireto
