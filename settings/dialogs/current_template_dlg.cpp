#include "settings/dialogs/current_template_dlg.h"

#include "settings/dialogs/template_choices.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/template_list.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = // 現在のテンプレート
    "\x8C\xBB\x8D\xDD\x82\xCC\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g";

} // namespace

CCurrentTemplateDlg::CCurrentTemplateDlg(const SettingsStore& store, ReplacementSet replacementSet,
                                         EndingSet endingSet, OverallTemplate overall,
                                         QWidget* parent)
    : QDialog(parent), m_store(store), m_replacementSet(std::move(replacementSet)),
      m_endingSet(std::move(endingSet)), m_template(std::move(overall)) {
    setWindowTitle(uiText(kCaption));

    m_templates = new TemplateList(0);
    m_choices = new TemplateChoices;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeLabelledRow(m_templates, kChooseTemplateLabel, LabelSide::Right));
    layout->addWidget(m_choices);
    layout->addLayout(makeChooserButtons(this));

    m_choices->fill(m_store);
    m_templates->fill([this](std::size_t at) { return m_store.GetOverallTemplate(at).name; });
    m_templates->selectStored(m_template.name);
    m_choices->showNames(m_template);

    connect(m_templates, &NameCombo::picked, this, &CCurrentTemplateDlg::OnSelchangeTemplate);
}

void CCurrentTemplateDlg::accept() {
    OverallTemplate chosen;
    std::optional<std::string> name = m_templates->fieldBytes(windowTitle());
    if (!name || !m_choices->collectInto(chosen, windowTitle()))
        return;
    chosen.name = std::move(*name);
    m_template = std::move(chosen);
    m_endingSet = m_store.GetEndingSet(m_choices->selectedEndingSet());
    m_replacementSet = m_store.GetReplacementSet(m_choices->selectedReplacementSet());
    QDialog::accept();
}

void CCurrentTemplateDlg::OnSelchangeTemplate(int item) {
    m_choices->follow(m_store, m_templates->positionOf(item));
}

} // namespace mireto
