// The replacement-set template editor: names the replacement set on screen and saves it in
// the store, loads stored sets to look at or change, and deletes them. Everything it does
// reaches the store at once; it hands nothing back.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"
#include "widgets/template_editor_dialog.h"

class QPushButton;

namespace mireto {

class RuleTabsEditor;
class TemplateList;

class CReplaceTemplateDlg : public TemplateEditorDialog {
    Q_OBJECT
public:
    CReplaceTemplateDlg(SettingsStore& store, ReplacementSet current, QWidget* parent = nullptr);

protected:
    QString screenState() const override;
    bool saveScreen() override { return OnSave(); }
    void clearScreen() override;

private:
    void OnSelchangeTemplate(int item);
    bool OnSave();

    // What a save stores: the rules on screen under the typed name.
    ReplacementSet m_set;
    SettingsStore& m_store;

    TemplateList* m_templates = nullptr;
    RuleTabsEditor* m_rules = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace mireto
