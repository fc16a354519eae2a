// The three choice lists of an overall template (replacement set, ending set, page style),
// shared by the overall-template editor and chooser. Each list shows the store's entries
// from position 0, so item p is store position p; each has a name field, and what the
// dialogs store or hand back is the field's text, listed or not.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"

#include <QWidget>
#include <cstddef>

namespace mireto {

class TemplateList;

class TemplateChoices : public QWidget {
    Q_OBJECT
public:
    explicit TemplateChoices(QWidget* parent = nullptr);

    // Lists the replacement sets, the ending sets and the page styles of the store.
    void fill(const SettingsStore& store);

    // Selects the names an overall template records (no selection where none matches).
    void showNames(const OverallTemplate& overall);

    // Selects what stored overall template `position` resolves to: its sets, or the none
    // sets when it names sets that no longer exist, and its page style.
    void follow(const SettingsStore& store, std::size_t position);

    // The three fields' texts into `overall`; false, after a message with `caption`, when
    // one cannot be stored.
    bool collectInto(OverallTemplate& overall, const QString& caption);

    // The store positions of the selected sets; past every list when none is selected.
    std::size_t selectedEndingSet() const;
    std::size_t selectedReplacementSet() const;

private:
    TemplateList* m_replacements = nullptr;
    TemplateList* m_endings = nullptr;
    TemplateList* m_formats = nullptr;
};

} // namespace mireto
