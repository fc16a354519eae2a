// Edits the idol-news page's settings: its title and the optional support line (who
// supports whom). The view hands a copy in and takes it back after OK.
#pragma once

#include "settings/records.h"

#include <QDialog>

class QCheckBox;

namespace mireto {

class SjisLineEdit;

class CIdolNewsSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CIdolNewsSettingsDlg(QWidget* parent = nullptr);

    void setSettings(IdolNewsSettings settings);
    // The edited settings after OK; otherwise those it was given.
    IdolNewsSettings getSettings() const { return m_settings; }

public slots:
    void accept() override;

private slots:
    void OnClickSupport();

private:
    IdolNewsSettings m_settings;
    SjisLineEdit* m_title;
    QCheckBox* m_supportOn;
    SjisLineEdit* m_name;
    SjisLineEdit* m_supportTarget;
};

} // namespace mireto
