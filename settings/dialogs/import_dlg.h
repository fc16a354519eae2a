// The import dialog: what a settings file holds, by name, to tick (all ticked at first).
// A name the store has already gets a choice beside it: overwrite the stored record,
// keep both (the file's under "名前 (2)"), or skip it. A ticked template whose sets
// would be found neither in the import nor in the store says so beside it: it is
// imported all the same and converts with 無し in their place. The dialog only chooses:
// the view imports.
#pragma once

#include "settings/settings_store.h"
#include "settings/template_exchange.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidgetItem;

namespace mireto {

class RecordChecklist;

class CImportDlg : public QDialog {
    Q_OBJECT
public:
    CImportDlg(const SettingsStore& store, const SharedRecords& records, QWidget* parent = nullptr);

    // The ticked records, with the choice for each name that is taken (KeepBoth for
    // the others, which never meet it).
    std::vector<ImportChoice> choices() const;

    // The choice beside the name of record `index` of `kind`; null for a free name.
    QComboBox* conflictChoice(RecordKind kind, std::size_t index) const;

private:
    void showMissingSets();

    const SettingsStore& m_store;
    const SharedRecords& m_records;
    NameRules m_rules;
    RecordChecklist* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace mireto
