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
    CTemplateDlg dialog(m_session.editableStore(), m_session.currentTemplate(), this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnSaveReplacementTemplate() {
    CReplaceTemplateDlg dialog(m_session.editableStore(), m_session.currentReplacementSet(), this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnSaveEndingTemplate() {
    CEndingTemplateDlg dialog(m_session.editableStore(), m_session.currentEndingSet(), this);
    dialog.exec();
    storeChanged();
}

void CMiretoView::OnCurrentTemplate() {
    CCurrentTemplateDlg dialog(m_session.store(), m_session.currentReplacementSet(),
                               m_session.currentEndingSet(), m_session.currentTemplate(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session.useCurrent({dialog.overallTemplate(), dialog.endingSet(), dialog.replacementSet()});
    SelectCurrentInPanel();
    UpdateSettingsButton();
    settingsChanged();
}

void CMiretoView::OnCurrentReplacement() {
    CCurrentReplaceDlg dialog(m_session.store(), m_session.currentReplacementSet(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session.useReplacementSet(dialog.replacementSet());
    SelectCurrentInPanel();
    settingsChanged();
}

void CMiretoView::OnCurrentEnding() {
    CCurrentEndingDlg dialog(m_session.store(), m_session.currentEndingSet(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session.useEndingSet(dialog.endingSet());
    SelectCurrentInPanel();
    settingsChanged();
}

} // namespace mireto
