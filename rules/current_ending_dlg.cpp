#include "rules/current_ending_dlg.h"

#include "rules/frequency_editor.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // 現在の語尾変換設定
    "\x8C\xBB\x8D\xDD\x82\xCC\x8C\xEA\x94\xF6\x95\xCF\x8A\xB7\x90\xDD\x92\xE8";

} // namespace

CCurrentEndingDlg::CCurrentEndingDlg(const SettingsStore& store, EndingSet current, QWidget* parent)
    : QDialog(parent), m_record(std::move(current)), m_store(store) {
    setWindowTitle(uiText(kCaption));

    m_templates = new TemplateList(0);
    m_rows = new FrequencyEditor;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kChooseTemplateLabel, LabelSide::Left));
    layout->addWidget(m_rows);
    layout->addLayout(makeChooserButtons(this));

    m_rows->showRecord(m_record);
    m_templates->fill([this](std::size_t at) { return m_store.GetEndingSet(at).name; });
    m_templates->selectStored(m_record.name);

    connect(m_templates, &NameCombo::picked, this, &CCurrentEndingDlg::OnSelchangeTemplate);
}

void CCurrentEndingDlg::accept() {
    std::optional<std::string> name = m_templates->fieldBytes(windowTitle());
    if (!name || !m_rows->collectInto(m_record, windowTitle()))
        return;
    m_record.name = std::move(*name);
    QDialog::accept();
}

void CCurrentEndingDlg::OnSelchangeTemplate(int item) {
    m_record = m_store.GetEndingSet(m_templates->positionOf(item));
    m_rows->showRecord(m_record);
}

} // namespace mireto
