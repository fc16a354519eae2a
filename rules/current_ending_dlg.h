// The chooser of the ending set that conversions use: pick a stored set, change its words,
// frequencies and flag; the result is handed back on OK. It never writes the store.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"

#include <QDialog>

namespace mireto {

class FrequencyEditor;
class TemplateList;

class CCurrentEndingDlg : public QDialog {
    Q_OBJECT
public:
    CCurrentEndingDlg(const SettingsStore& store, EndingSet current, QWidget* parent = nullptr);

    // The chosen set, whole; meaningful once the dialog has ended with OK.
    const EndingSet& endingSet() const { return m_record; }

    void accept() override;

private:
    void OnSelchangeTemplate(int item);

    EndingSet m_record;
    const SettingsStore& m_store;

    TemplateList* m_templates = nullptr;
    FrequencyEditor* m_rows = nullptr;
};

} // namespace mireto
