// Edits the bulletin-board thread page's settings: thread title, poster name and the
// kind of thread. The view hands a copy in and takes it back after OK.
#pragma once

#include "settings/records.h"

#include <QDialog>

class QButtonGroup;

namespace mireto {

class SjisLineEdit;

class CThreadSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CThreadSettingsDlg(QWidget* parent = nullptr);

    void setSettings(ThreadSettings settings);
    // The edited settings after OK; otherwise those it was given.
    ThreadSettings getSettings() const { return m_settings; }

public slots:
    void accept() override;

private:
    ThreadSettings m_settings;
    SjisLineEdit* m_title;
    SjisLineEdit* m_name;
    QButtonGroup* m_mode;
};

} // namespace mireto
