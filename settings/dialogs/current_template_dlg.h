// The chooser of the overall template that conversions use: pick a stored template or
// name a combination; on OK the view takes the chosen replacement set, ending set and
// template, whole. It never writes the store.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"

#include <QDialog>

namespace mireto {

class TemplateChoices;
class TemplateList;

class CCurrentTemplateDlg : public QDialog {
    Q_OBJECT
public:
    CCurrentTemplateDlg(const SettingsStore& store, ReplacementSet replacementSet,
                        EndingSet endingSet, OverallTemplate overall, QWidget* parent = nullptr);

    // The chosen records, whole; meaningful once the dialog has ended with OK.
    const ReplacementSet& replacementSet() const { return m_replacementSet; }
    const EndingSet& endingSet() const { return m_endingSet; }
    const OverallTemplate& overallTemplate() const { return m_template; }

    void accept() override;

private:
    void OnSelchangeTemplate(int item);

    const SettingsStore& m_store;
    ReplacementSet m_replacementSet;
    EndingSet m_endingSet;
    OverallTemplate m_template;

    TemplateChoices* m_choices = nullptr;
    TemplateList* m_templates = nullptr;
};

} // namespace mireto
