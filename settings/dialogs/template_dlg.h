// The overall-template editor: saves the combination of replacement set, ending set and
// page style on screen under a name, shows stored templates' combinations, and deletes
// templates. Everything it does reaches the store at once; it never changes the view's
// current records and hands nothing back.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"
#include "widgets/template_editor_dialog.h"

class QPushButton;

namespace mireto {

class TemplateChoices;
class TemplateList;

class CTemplateDlg : public TemplateEditorDialog {
    Q_OBJECT
public:
    CTemplateDlg(SettingsStore& store, OverallTemplate current, QWidget* parent = nullptr);

protected:
    QString screenState() const override;
    bool saveScreen() override { return OnSave(); }
    void clearScreen() override;

private:
    void OnSelchangeTemplate(int item);
    bool OnSave();

    SettingsStore& m_store;
    OverallTemplate m_template;

    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    TemplateChoices* m_choices = nullptr;
    TemplateList* m_templates = nullptr;
};

} // namespace mireto
