// The export dialog: the stored overall templates and sets by name, to tick. A ticked
// template brings the sets it uses, which the list shows ticked beside it. The dialog
// only chooses: the view asks where to write, and writes.
#pragma once

#include "settings/settings_store.h"
#include "settings/template_exchange.h"

#include <QDialog>
#include <set>
#include <string>

class QPushButton;
class QTreeWidgetItem;

namespace mireto {

class RecordChecklist;

class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // `currentTemplate` (a name) starts ticked when the store holds it.
    CExportDlg(const SettingsStore& store, const std::string& currentTemplate,
               QWidget* parent = nullptr);

    // What is ticked, by store position.
    ExportRequest request() const;
    // A file name for it: the first ticked template's name (or else the first ticked
    // set's) with ".ini", characters a file name cannot hold replaced by "_".
    QString suggestedFileName() const;

private:
    void showBroughtSets();

    const SettingsStore& m_store;
    RecordChecklist* m_list = nullptr;
    QPushButton* m_ok = nullptr;
    // The sets the user ticked, kept while a ticked template brings them as well.
    std::set<const QTreeWidgetItem*> m_ownTicks;
};

} // namespace mireto
