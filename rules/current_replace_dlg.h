// The chooser of the replacement set that conversions use: pick a stored set, edit its
// rules; the result is handed back on OK. It never writes the store.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"

#include <QDialog>

namespace mireto {

class RuleTabsEditor;
class TemplateList;

class CCurrentReplaceDlg : public QDialog {
    Q_OBJECT
public:
    CCurrentReplaceDlg(const SettingsStore& store, ReplacementSet current,
                       QWidget* parent = nullptr);

    // The chosen set, whole; meaningful once the dialog has ended with OK.
    const ReplacementSet& replacementSet() const { return m_set; }

    void accept() override;

private:
    void OnSelchangeTemplate(int item);

    ReplacementSet m_set;
    const SettingsStore& m_store;

    TemplateList* m_templates = nullptr;
    RuleTabsEditor* m_rules = nullptr;
};

} // namespace mireto
