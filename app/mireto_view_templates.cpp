// The template editors and the choosers of the current templates. The editors change
// the store themselves, so the view only lists it again; the choosers hand whole
// records back, taken only on OK.
//
// The panel is listed again however an editor ends: its saves and deletes are in the
// store already, and a panel still showing the old lists would map its items to the
// wrong store positions. The end of an editor is announced as a change of the
// conversion inputs too, so that what follows them looks again.
#include "app/mireto_view.h"
#include "rules/current_ending_dlg.h"
#include "rules/current_replace_dlg.h"
#include "rules/ending_template_dlg.h"
#include "rules/replace_template_dlg.h"
#include "settings/dialogs/current_template_dlg.h"
#include "settings/dialogs/template_dlg.h"

namespace mireto {

void CMiretoView::storeChanged() {
    RefreshPanel();
    settingsChanged();
}

void CMiretoView::OnSaveOverallTemplate() {
    CTemplateDlg dialog(m_store, m_template, this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnSaveReplacementTemplate() {
    CReplaceTemplateDlg dialog(m_store, m_replacementSet, this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnSaveEndingTemplate() {
    CEndingTemplateDlg dialog(m_store, m_endingSet, this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnCurrentTemplate() {
    CCurrentTemplateDlg dialog(m_store, m_replacementSet, m_endingSet, m_template, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_replacementSet = dialog.replacementSet();
    m_endingSet = dialog.endingSet();
    m_template = dialog.overallTemplate();
    SelectCurrentInPanel();
    UpdateSettingsButton();
    settingsChanged();
}

void CMiretoView::OnCurrentReplacement() {
    CCurrentReplaceDlg dialog(m_store, m_replacementSet, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_replacementSet = dialog.replacementSet();
    SelectCurrentInPanel();
    settingsChanged();
}

void CMiretoView::OnCurrentEnding() {
    CCurrentEndingDlg dialog(m_store, m_endingSet, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_endingSet = dialog.endingSet();
    SelectCurrentInPanel();
    settingsChanged();
}

} // namespace mireto
