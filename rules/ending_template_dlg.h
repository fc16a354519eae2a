// The ending-set template editor: names the ending set on screen and saves it in the
// store, loads stored sets to look at or change, and deletes them. Everything it does
// reaches the store at once; it hands nothing back.
#pragma once

#include "settings/records.h"
#include "settings/settings_store.h"
#include "widgets/template_editor_dialog.h"

class QPushButton;

namespace mireto {

class FrequencyEditor;
class TemplateList;

class CEndingTemplateDlg : public TemplateEditorDialog {
    Q_OBJECT
public:
    CEndingTemplateDlg(SettingsStore& store, EndingSet current, QWidget* parent = nullptr);

protected:
    QString screenState() const override;
    bool saveScreen() override { return OnSave(); }
    void clearScreen() override;

private:
    void OnSelchangeTemplate(int item);
    bool OnSave();

    EndingSet m_record;
    SettingsStore& m_store;

    TemplateList* m_templates = nullptr;
    FrequencyEditor* m_rows = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace mireto
