// The import dialog: what a settings file holds, by name, to tick (all ticked at first).
// A name the store has already gets a choice beside it: overwrite the stored record,
// keep both (the file's under "名前 (2)"), or skip it; the choice is a list that opens
// where it is clicked, so that a file of any size lists at once. A ticked template whose sets
// would be found neither in the import nor in the store says so beside it: it is
// imported all the same and converts with 無し in their place. The dialog only chooses:
// the view imports.
#pragma once

#include "settings/settings_store.h"
#include "settings/template_exchange.h"

#include <QDialog>
#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidgetItem;

namespace mireto {

class RecordChecklist;

class CImportDlg : public QDialog {
    Q_OBJECT
public:
    // What the dialog shows first, which takes a while for a large file: worked out by
    // prepare(), which touches no widget, so that it can run away from the window.
    struct Start {
        std::unique_ptr<ImportPreview> preview;
        // For each template, with every record ticked.
        std::vector<std::vector<RecordKind>> missingSets;
    };
    // `store` and `records` must outlive the dialog unchanged.
    static Start prepare(const SettingsStore& store, const SharedRecords& records);

    CImportDlg(const SettingsStore& store, const SharedRecords& records, QWidget* parent = nullptr);
    CImportDlg(const SharedRecords& records, Start start, QWidget* parent = nullptr);

    // The ticked records, with the choice for each name that is taken (KeepBoth for
    // the others, which never meet it).
    std::vector<ImportChoice> choices() const;

    // Opens the choice beside the name of record `index` of `kind`, as a click on it
    // does, and returns it; null for a free name.
    QComboBox* conflictChoice(RecordKind kind, std::size_t index);

private:
    void showMissingSets();
    void showNotes(const std::vector<std::vector<RecordKind>>& missing);

    const SharedRecords& m_records;
    std::unique_ptr<ImportPreview> m_preview;
    std::vector<QTreeWidgetItem*> m_templateItems;
    RecordChecklist* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace mireto
